#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the PNG icons in resources/icons from the SVG icon. Run after changing the SVG and
# commit the result; the build itself only copies them.
set -euo pipefail
command -v rsvg-convert >/dev/null || { echo "render-icons.sh needs librsvg2-bin" >&2; exit 1; }
root=$(cd "$(dirname "$0")/.." && pwd)
dir="$root/resources/icons"
for size in 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" "$dir/com.quelmark.TarvenpadProgrammer.svg" -o "$dir/$size.png"
done
