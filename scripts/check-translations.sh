#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when translations/tarvenpad_en.ts is not what the lupdate target makes of the
# sources, that is when a text was added, changed or removed without regenerating it
# (`cmake --build build --target lupdate`). Runs the target on a copy in a scratch build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
committed="$root/translations/tarvenpad_en.ts"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$committed" "$scratch/tarvenpad_en.ts"
cmake -S "$root" -B "$scratch/build" -G Ninja -DTARVENPAD_TESTS=OFF \
  -DTARVENPAD_TS_FILE="$scratch/tarvenpad_en.ts" >/dev/null
cmake --build "$scratch/build" --target lupdate >/dev/null
if ! diff -u "$committed" "$scratch/tarvenpad_en.ts"; then
  echo "translations/tarvenpad_en.ts is out of date: run" \
    "'cmake --build build --target lupdate' and commit the result." >&2
  exit 1
fi
echo "translations/tarvenpad_en.ts is up to date."
