#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds the programs and their unit tests for arm64 (Raspberry Pi OS 64-bit, Debian
# arm64) into build-arm64/ (or the folder given as $1, with extra CMake arguments) and runs
# the unit tests under qemu-user. Enables Debian's arm64 architecture and installs the arm64
# libraries beside the amd64 ones first; run again, it finds them there. The acceptance suite
# drives this machine's own display and kernel and stays with the amd64 build.
# With --setup-only, only the multiarch set-up and the arm64 libraries (scripts/package.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build-arm64}
shift || true
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
if ! dpkg --print-foreign-architectures | grep -qx arm64; then
  $sudo dpkg --add-architecture arm64
  # The package lists know of arm64 packages only after this.
  $sudo apt-get update -qq
fi
"$root/scripts/install-deps.sh" run arm64
[ "$dir" != --setup-only ] || exit 0
"$root/scripts/build.sh" "$dir" "-DCMAKE_TOOLCHAIN_FILE=$root/cmake/toolchain-arm64.cmake" "$@"
cd "$dir"
ctest --output-on-failure --parallel "$(nproc)" --label-exclude 'acceptance|kernel'
