#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a tracked C++, CMake or shell file does not carry the licence identifier in its
# first line (second after a shebang). With --list-missing, only prints those files.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
id='SPDX-License-Identifier: GPL-3.0-or-later'
missing=()
while IFS= read -r f; do
  [ -f "$f" ] || continue
  first=$(head -n1 "$f")
  case "$first" in '#!'*) first=$(sed -n 2p "$f") ;; esac
  case "$f" in
  *.cpp | *.h) want="// $id" ;;
  *) want="# $id" ;;
  esac
  [ "$first" = "$want" ] || missing+=("$f")
done < <(git ls-files '*.cpp' '*.h' '*CMakeLists.txt' '*.cmake' '*.sh' '.ci/run')
if [ "${1:-}" = --list-missing ]; then
  printf '%s\n' "${missing[@]+"${missing[@]}"}"
  exit 0
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Files without the line '$id' at the top (run scripts/add-spdx.sh):"
  printf '  %s\n' "${missing[@]}"
  exit 1
fi
echo "Every source file carries the licence identifier."
