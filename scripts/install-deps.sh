#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages of the named lists that are not installed yet:
#   install-deps.sh [run] [test] [package] [ci]   (scripts/packages-LIST.txt; default: run)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ $# -gt 0 ] || set -- run
wanted=()
for list in "$@"; do
  file="$here/packages-$list.txt"
  [ -f "$file" ] || { echo "install-deps.sh: no list $file" >&2; exit 2; }
  mapfile -t -O "${#wanted[@]}" wanted < <(grep -vE '^\s*(#|$)' "$file")
done
missing=()
for p in $(printf '%s\n' "${wanted[@]}" | sort -u); do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
