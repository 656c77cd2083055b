#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes every picture in docs/ from the real programs: the windows from the demo on the
# acceptance suite's Xvfb and openbox (tests/acceptance/docs_Screenshots.cpp), the legend
# sheet from the tool. Then writes docs/screenshots.sha256, which scripts/check-screenshots.sh
# holds the pictures to. Usage: scripts/screenshots.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
"$root/scripts/build.sh" "$build" >/dev/null
cmake --build "$build" --target docs_screenshots tarvenpad >/dev/null
TARVENPAD_DOCS_DIR="$root/docs" "$build/tests/acceptance/docs_screenshots"

# The legend sheet of the demo's sample configuration, which emulated unit 1 holds, read
# over the two-player preset so that its inputs carry the preset's roles.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/apps/tarvenpad" preset "Arcade, two players" "$work/sample.TPD" >/dev/null
"$build/apps/tarvenpad" read "$work/sample.TPD" --demo --unit 1 >/dev/null
"$build/apps/tarvenpad" legend "$work/sample.TPD" "$root/docs/legend-sheet.png"

(cd "$root" && sha256sum docs/*.png >docs/screenshots.sha256)
echo "pictures and docs/screenshots.sha256 written"
