#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds and starts the programmer: on the attached encoders when
# one is plugged in, otherwise on two emulated units. Without a display it shows the demo on
# a virtual screen instead: a screenshot of its window and what the command-line tool does
# with the same emulated units, then it ends.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TARVENPAD_BUILD_DIR:-$root/build}
# The acceptance suite sets TARVENPAD_NO_BUILD=1 (and TARVENPAD_BUILD_DIR) so that it runs
# this script on its own build without installing or rebuilding anything.
if [ -z "${TARVENPAD_NO_BUILD:-}" ]; then
  "$root/scripts/install-deps.sh" run
  "$root/scripts/build.sh" "$build"
fi
demo="$build/apps/tarvenpad-programmer-demo"
if [ ! -x "$demo" ]; then
  echo "Built the libraries; the programmer window is not part of this build yet."
  exit 0
fi

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  # A display without a session (ssh -X, say) has no runtime folder; Qt would warn about it.
  if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    export XDG_RUNTIME_DIR="${TMPDIR:-/tmp}/runtime-$(id -un)"
    mkdir -p -m 0700 "$XDG_RUNTIME_DIR"
  fi
  program=$demo
  if grep -qis '^HID_ID=.*:0*3650$' /sys/class/hidraw/*/device/uevent 2>/dev/null; then
    program="$build/apps/tarvenpad-programmer"
  fi
  exec "$program"
fi

echo "No display found (DISPLAY is not set), so the programmer starts on a virtual screen:"
echo "the demo on two emulated units, shown as a screenshot, then the command-line tool."

tmp=$(mktemp -d)
pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || true
    wait "${pids[i]}" 2>/dev/null || true
  done
  rm -rf "$tmp"
}
trap cleanup EXIT
# A private runtime folder, as a desktop session would give, so Qt has nothing to warn about.
mkdir -m 0700 "$tmp/runtime"
export XDG_RUNTIME_DIR="$tmp/runtime"

# Xvfb picks a free display number itself and writes it to fd 3 once it accepts clients.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  [ -s "$tmp/display" ] && break
  sleep 0.1
done
if [ ! -s "$tmp/display" ]; then
  echo "Xvfb did not start." >&2
  exit 1
fi
export DISPLAY=":$(head -n1 "$tmp/display")"
# The screen started here is an X screen, whatever platform the environment asks Qt for
# (QT_QPA_PLATFORM=wayland is common on Wayland desktops).
export QT_QPA_PLATFORM=xcb

# A window manager, so the window is maximised and framed as on a desktop.
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done

"$demo" &
pids+=($!)
title="Quelmark Electronics, Inc. - TARVEN-PAD Programmer"
shown=""
for _ in $(seq 300); do
  if ! kill -0 "${pids[-1]}" 2>/dev/null; then
    echo "The programmer ended before its window appeared." >&2
    exit 1
  fi
  shown=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null || true)
  [ -n "$shown" ] && break
  sleep 0.2
done
if [ -z "$shown" ]; then
  echo "The programmer's window did not appear within a minute." >&2
  exit 1
fi
sleep 1 # let it paint its rows before the picture is taken
shot="$build/screenshot.png"
import -window root "$shot"
echo
echo "Screenshot of the programmer's main window: $shot"
kill "${pids[-1]}" 2>/dev/null || true

tool="$build/apps/tarvenpad"
show() {
  echo
  echo "\$ tarvenpad $*"
  "$tool" "$@"
}
cd "$tmp"
show --demo units
show --demo read sample.TPD --unit 1
show show sample.TPD
echo
echo "On a machine with a display, ./scripts/run.sh opens the programmer's window itself."
