#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every picture the README shows exists and is the one scripts/screenshots.sh made: its
# hash stands in docs/screenshots.sha256. Reads files only, so it costs CI nothing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
status=0
for picture in $(grep -o 'docs/[A-Za-z0-9_.-]*\.png' README.md | sort -u); do
  if [[ ! -f $picture ]]; then
    echo "check-screenshots: $picture is shown in README.md but missing" >&2
    status=1
  elif ! grep -q " $picture\$" docs/screenshots.sha256; then
    echo "check-screenshots: $picture was not made by scripts/screenshots.sh" >&2
    status=1
  fi
done
# Each listed picture is the one the script wrote.
sha256sum --check --quiet docs/screenshots.sha256 || {
  echo "check-screenshots: a picture changed since scripts/screenshots.sh made it" >&2
  status=1
}
exit $status
