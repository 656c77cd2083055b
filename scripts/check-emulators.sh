#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The emulator files judged by the emulators themselves, Debian's MAME and RetroArch:
#   check-emulators.sh BUILD_DIR      (the tool is BUILD_DIR/apps/tarvenpad)
# Export cases: MAME loads `tarvenpad mame`'s controller file and reports each port's
# sequence; RetroArch loads `tarvenpad retroarch`'s binds and writes its configuration back.
# Each must give every control as our file has it: a name it does not know comes back
# otherwise (MAME drops the token, RetroArch writes "nul"). The cases use every key code the
# encoder offers, modifiers and mouse buttons. The other way: files the programs wrote
# themselves (RetroArch's first retroarch.cfg, MAME's default.cfg after a script changed two
# ports) read with `tarvenpad keys --from`. Exit status 1 on any mismatch.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ $# -eq 1 ] || { echo "usage: check-emulators.sh BUILD_DIR" >&2; exit 2; }
tool="$(cd "$1" && pwd)/apps/tarvenpad"
mame=/usr/games/mame retroarch=/usr/bin/retroarch
for program in "$tool" "$mame" "$retroarch" "$(command -v jq || echo jq)"; do
  [ -x "$program" ] || { echo "check-emulators.sh: $program is missing" >&2; exit 2; }
done
# A blank in the scratch folder's name, as in many a user's paths.
work=$(mktemp -d "${TMPDIR:-/tmp}/tarvenpad emulators.XXXXXX")
trap 'rm -rf "$work"' EXIT
started=$SECONDS passed=0 failed=0

roles=()
for p in 1 2 3 4; do
  roles+=("P${p}_UP" "P${p}_DOWN" "P${p}_LEFT" "P${p}_RIGHT")
  for b in 1 2 3 4 5 6 7 8; do roles+=("P${p}_BUTTON$b"); done
  roles+=("START$p" "COIN$p")
done
roles+=(PAUSE MENU EXIT) # both emulators have these 59; SERVICE is MAME's alone
# Every key code the encoder offers, from the table the program is built with.
mapfile -t codes < <(sed -n 's/^ *{\(0x[0-9A-Fa-f]\{2\}\), QT_TRANSLATE_NOOP("KeyName".*/\1/p' \
  "$here/../src/model/KeyCodes.h" | grep -vx 0x00)
[ "${#codes[@]}" -gt 100 ] || { echo "check-emulators.sh: no key codes found" >&2; exit 2; }

# OUT ROLE=CODE[+shift][+control][+alt]...: a JSON configuration, the items on its first slots.
config() {
  local out=$1 item key
  for item in "${@:2}"; do
    key=${item#*=}
    printf '%s\t%d\t%s\n' "${item%%=*}" "$((${key%%+*}))" "${key#"${key%%+*}"}"
  done | jq -R -n '[inputs | split("\t")] as $items | {format: "tarvenpad-config", version: 1,
    options: {reverseX: false, reverseY: false, activeHigh: false, rotaryOnAux: false,
              relayOnAux: false},
    slots: [range(46) as $i | ($items[$i] // ["", "0", ""]) as $s |
      {slot: $i, key: ($s[1] | tonumber), shift: ($s[2] | test("shift")),
       control: ($s[2] | test("control")), alt: ($s[2] | test("alt")), repeat: false}
      + (if $s[0] == "" then {} else {role: $s[0]} end)]}' >"$out"
}
# Status 9 (written, with warnings) counts as written.
tool() {
  local status=0
  "$tool" "$@" >"$work/out" 2>"$work/err" || status=$?
  [ "$status" -eq 0 ] || [ "$status" -eq 9 ] || { cat "$work/err"; return 1; }
}
# A MAME configuration's ports and their standard sequences; a retroarch.cfg's lines.
ports() {
  awk 'match($0, /<port type="[^"]*"/) { port = substr($0, RSTART + 12, RLENGTH - 13) }
       match($0, /<newseq type="standard">[^<]*</) {
         print port "\t" substr($0, RSTART + 24, RLENGTH - 25) }' "$1" | sort
}
lines() { sed -n 's/^\([A-Za-z0-9_]*\) *= *"\(.*\)"[[:space:]]*$/\1\t\2/p' "$1" | sort; }
# Lines of $1 that $2 does not hold as they are: the mismatches.
missing() { grep -Fxv -f "$2" "$1" || true; }
verdict() {
  if [ -z "$2" ]; then echo "ok    $1"; passed=$((passed + 1)); else
    echo "FAIL  $1"; head -n 20 <<<"$2" | sed 's/^/        /'; failed=$((failed + 1)); fi
}

# MAME on pong, which needs no ROMs, with the controller file $2 if given: what its input
# system holds goes to DIR/inputs.txt, the default.cfg it writes on exit to DIR/cfg. It may
# crash on its way out once all is written: its output is judged, not its status.
mame_run() {
  local dir=$1 args=()
  mkdir -p "$dir/cfg" "$dir/ctrlr" "$dir/run" && chmod 700 "$dir/run"
  [ $# -lt 2 ] || { cp "$2" "$dir/ctrlr/panel.cfg" && args=(-ctrlrpath "$dir/ctrlr" -ctrlr panel); }
  (cd "$dir" && HOME="$dir" XDG_RUNTIME_DIR="$dir/run" TARVENPAD_MAME_DUMP="$dir/dump" \
    timeout -s KILL 30 "$mame" -video none -sound none -nothrottle -skip_gameinfo \
    -seconds_to_run 2 -cfg_directory "$dir/cfg" "${args[@]}" \
    -autoboot_script "$here/emulators/mame-inputs.lua" pong || true) >"$dir/log" 2>&1
  sort "$dir/dump" >"$dir/inputs.txt" 2>/dev/null && [ -s "$dir/inputs.txt" ] ||
    { echo "MAME reported no inputs: $(tail -n 3 "$dir/log")"; return 1; }
}
# RetroArch without video, sound or input on the configuration $1, with what follows (such as
# --appendconfig). It writes the file with every setting as it starts and then runs on: it is
# stopped once the file has stopped growing, 10 s at most.
retroarch_run() {
  local cfg=$1 last=0 size i pid
  mkdir -p "$cfg.home"
  printf '%s = "null"\n' video_driver audio_driver input_driver input_joypad_driver \
    menu_driver >"$cfg" && echo 'config_save_on_exit = "true"' >>"$cfg"
  HOME="$cfg.home" "$retroarch" --config "$cfg" "${@:2}" --max-frames=30 >"$cfg.log" 2>&1 &
  pid=$!
  for ((i = 0; i < 50; i++)); do
    sleep 0.2
    size=$(stat -c %s "$cfg")
    ((size < 1000 || size != last)) || break
    last=$size
  done
  { kill -KILL "$pid" || true; wait "$pid" || true; } 2>/dev/null
  grep -q '^input_player1_a = ' "$cfg" || { echo "RetroArch wrote no configuration"; return 1; }
}

# NAME ITEM...: both exports of one configuration, each judged by its emulator.
export_case() {
  local dir="$work/${1// /-}" report count
  mkdir -p "$dir" && config "$dir/panel.json" "${@:2}"
  report=$(tool mame "$dir/panel.json" "$dir/panel.cfg" && mame_run "$dir/mame" "$dir/panel.cfg" &&
    ports "$dir/panel.cfg" >"$dir/ours" && missing "$dir/ours" "$dir/mame/inputs.txt") || true
  count=$(wc -l <"$dir/ours" 2>/dev/null || echo 0)
  [ "$count" -eq $(($# - 1)) ] || report+=$'\n'"our file has $count ports for $(($# - 1)) roles"
  verdict "MAME       $1: $count ports" "$report"
  report=$(tool retroarch "$dir/panel.json" "$dir/binds.cfg" &&
    retroarch_run "$dir/retroarch.cfg" --appendconfig "$dir/binds.cfg" &&
    lines "$dir/binds.cfg" >"$dir/ours" && lines "$dir/retroarch.cfg" >"$dir/theirs" &&
    missing "$dir/ours" "$dir/theirs") || true
  verdict "RetroArch  $1: $(grep -vc _mbtn "$dir/ours" || true) binds" "$report"
}
# FILE: ROLE<tab>KEY SHIFT CONTROL ALT of every slot with a role, from `tarvenpad show --json`.
keys_of() {
  tool show "$1" --json &&
    jq -r '.slots[] | select(.role) | "\(.role)\t\(.key) \(.shift) \(.control) \(.alt)"' \
      "$work/out" | sort
}

echo "Judged by MAME $(HOME="$work" "$mame" -version | cut -d' ' -f1) and RetroArch" \
  "$(HOME="$work" "$retroarch" --version 2>&1 | grep -o -m 1 'v[0-9][0-9.]*')"
# Every key code, one to a slot, 46 to a configuration.
for ((c = 0; c * 46 < ${#codes[@]}; c++)); do
  items=()
  for ((i = c * 46; i < (c + 1) * 46 && i < ${#codes[@]}; i++)); do
    items+=("${roles[i % ${#roles[@]}]}=${codes[i]}")
  done
  export_case "key codes $((c * 46 + 1)) to $i" "${items[@]}"
done
# What MAME sees held together and RetroArch takes as the key alone; mouse buttons.
export_case "modifiers and mouse buttons" P1_BUTTON1=0x04+shift P1_BUTTON2=0x3E+control+alt \
  P2_BUTTON3=0x58+shift+control+alt P1_BUTTON4=0xE8+shift P3_BUTTON8=0xEA START1=0xE9 \
  COIN4=0x1E+control EXIT=0x29+alt

# RetroArch's own binds, from the retroarch.cfg it writes when it first runs: player 1's
# stick on the arrows, RetroPad B, A, Y, X, L, R (Buttons 1 to 6) on Z X A S Q W, Start on
# Enter, Select (Coin) on Right Shift; the hotkeys. The roles it has no key for keep none.
dir="$work/retroarch-own" && mkdir -p "$dir"
config "$dir/panel.json" $(printf '%s=0 ' "${roles[@]:0:28}" PAUSE MENU EXIT)
want=$(for item in P1_UP=82 P1_DOWN=81 P1_LEFT=80 P1_RIGHT=79 P1_BUTTON1=29 P1_BUTTON2=27 \
  P1_BUTTON3=4 P1_BUTTON4=22 P1_BUTTON5=20 P1_BUTTON6=26 START1=40 COIN1=229 PAUSE=19 MENU=58 \
  EXIT=41 $(printf '%s=0 ' "${roles[@]:10:2}" "${roles[@]:14:14}"); do
  printf '%s\t%s false false false\n' "${item%%=*}" "${item#*=}"; done | sort)
report=$(retroarch_run "$dir/retroarch.cfg" &&
  tool keys "$dir/panel.json" "$dir/keys.json" --from "$dir/retroarch.cfg" &&
  diff <(echo "$want") <(keys_of "$dir/keys.json")) || true
verdict "RetroArch  its own retroarch.cfg -> keys" "$report"

# MAME's default.cfg after its menu (here a script) put Shift+Q on Player 1 Button 1 and F5
# on Start 2. `keys --from` and `mame` again must give every port the first alternative of
# what MAME reported that its keyboard can have ("KEYCODE_TAB NOT KEYCODE_LALT" is Tab); a
# port without one is not written. Two configurations hold the 60 roles between them.
port_of() {
  sed 's/^P\([1-4]\)_\(UP\|DOWN\|LEFT\|RIGHT\)$/P\1_JOYSTICK_\2/; s/^SERVICE$/SERVICE1/;
       s/^PAUSE$/UI_PAUSE/; s/^MENU$/UI_CONFIGURE/; s/^EXIT$/UI_CANCEL/'
}
mame_own() {
  local dir="$work/mame-own" half
  mkdir -p "$dir"
  TARVENPAD_MAME_SET="P1_BUTTON1=KEYCODE_LSHIFT KEYCODE_Q;START2=KEYCODE_F5" \
    mame_run "$dir/mame" || return 1
  grep -q 'KEYCODE_LSHIFT KEYCODE_Q' "$dir/mame/cfg/default.cfg" ||
    { echo "MAME wrote no default.cfg with the changed ports"; return 1; }
  # What MAME reported for our roles' ports, as the first alternative a keyboard can give.
  printf '%s\n' "${roles[@]}" SERVICE | port_of | sort | join -t$'\t' - "$dir/mame/inputs.txt" |
    awk -F'\t' '{ n = split($2, alt, / OR /); for (i = 1; i <= n; i++) {
      s = alt[i]; gsub(/ NOT [A-Z0-9_]+/, "", s)
      if (s ~ /^(KEYCODE_[A-Z0-9_]+|MOUSECODE_1_BUTTON[123])( KEYCODE_[A-Z0-9_]+)*$/) {
        print $1 "\t" s; break } } }' >"$dir/want"
  grep -qx $'START2\tKEYCODE_F5' "$dir/want" || { echo "MAME did not report Start 2 on F5"; return 1; }
  for half in 0 1; do
    config "$dir/panel.json" $(printf '%s=0 ' "${roles[@]:half*30:30}" | sed 's/EXIT=0/& SERVICE=0/')
    tool keys "$dir/panel.json" "$dir/keys.json" --from "$dir/mame/cfg/default.cfg"
    tool mame "$dir/keys.json" "$dir/again.cfg"
    ports "$dir/again.cfg"
  done | sort >"$dir/ours"
  diff "$dir/want" "$dir/ours"
}
report=$(mame_own 2>&1) || report=${report:-"a step failed"}
verdict "MAME       its own default.cfg -> keys, on all 60 roles" "$report"

echo "emulators: $passed passed, $failed failed (${#codes[@]} key codes; $((SECONDS - started)) s)"
[ "$failed" -eq 0 ]
