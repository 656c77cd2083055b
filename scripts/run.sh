#!/usr/bin/env bash
# Installs what is missing, builds and starts the programmer: on the attached encoders when
# one is plugged in, otherwise on two emulated units. Without a display it runs under Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" run
"$root/scripts/build.sh" "$root/build"
program="$root/build/apps/tarvenpad-programmer-demo"
if [ ! -x "$program" ]; then
  echo "Built the libraries; the programmer window is not part of this build yet."
  exit 0
fi
if grep -qis '^HID_ID=.*:0*3650$' /sys/class/hidraw/*/device/uevent 2>/dev/null; then
  program="$root/build/apps/tarvenpad-programmer"
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$program"
fi
exec "$program"
