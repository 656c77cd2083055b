#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the licence identifier at the top of every tracked source, build and script file that
# lacks it: the first line of C++ files, after the shebang of scripts. Safe to run again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
id='SPDX-License-Identifier: GPL-3.0-or-later'
mapfile -t files < <("$root/scripts/check-spdx.sh" --list-missing)
for f in "${files[@]}"; do
  [ -n "$f" ] || continue
  case "$f" in
  *.cpp | *.h) line="// $id" ;;
  *) line="# $id" ;;
  esac
  tmp=$(mktemp)
  if head -n1 "$f" | grep -q '^#!'; then
    { head -n1 "$f"; echo "$line"; tail -n +2 "$f"; } >"$tmp"
  else
    { echo "$line"; cat "$f"; } >"$tmp"
  fi
  cat "$tmp" >"$f" # keeps the file's mode
  rm -f "$tmp"
  echo "added: $f"
done
