#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package tarvenpad-programmer_<version>_<arch>.deb in build-package/ (or the
# folder given as $1): a Release build for /usr with Debian's hardening flags, without tests.
# A second argument `arm64` cross-builds the arm64 package (after scripts/build-arm64.sh has
# installed the arm64 libraries).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build-package}
arch=${2:-$(dpkg --print-architecture)}
"$root/scripts/install-deps.sh" run package
cross=()
if [ "$arch" != "$(dpkg --print-architecture)" ]; then
  [ "$arch" = arm64 ] || { echo "package.sh: no cross build for $arch" >&2; exit 2; }
  "$root/scripts/install-deps.sh" arm64
  cross=("-DCMAKE_TOOLCHAIN_FILE=$root/cmake/toolchain-arm64.cmake")
  # dpkg-buildflags and dpkg-shlibdeps (under cpack) then speak of the target.
  export DEB_HOST_ARCH=$arch
fi
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
rm -f "$dir"/*.deb
"$root/scripts/build.sh" "$dir" "${cross[@]}" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DTARVENPAD_TESTS=OFF "-DCMAKE_CXX_FLAGS=$cxxflags" "-DCMAKE_EXE_LINKER_FLAGS=$ldflags" \
  -DTARVENPAD_WERROR=OFF # a distribution's newer compiler must not fail the build on a warning
(cd "$dir" && cpack -G DEB >/dev/null)
ls "$dir"/tarvenpad-programmer_*.deb
