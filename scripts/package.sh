#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian source package and the binary package from debian/, the way a
# distribution does, into build-package/ (or the folder given as $1): the tracked files
# are copied there as a clean checkout, the upstream tarball is made from them (debian/
# left out) and dpkg-buildpackage builds the lot, running the unit suites.
# A second argument `arm64` cross-builds the arm64 package instead
# (dpkg-buildpackage -aarm64 -Pcross,nocheck, after scripts/build-arm64.sh's multiarch
# set-up), and `source` makes only the source package (scripts/build-in-chroot.sh).
# Prints the paths of the packages it made last.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build-package}
arch=${2:-$(dpkg --print-architecture)}
"$root/scripts/install-deps.sh" run package
options=()
if [ "$arch" = source ]; then
  :
elif [ "$arch" != "$(dpkg --print-architecture)" ]; then
  [ "$arch" = arm64 ] || { echo "package.sh: no cross build for $arch" >&2; exit 2; }
  "$root/scripts/build-arm64.sh" --setup-only
  options=(-a"$arch" -Pcross,nocheck)
fi
name=$(dpkg-parsechangelog -l "$root/debian/changelog" -SSource)
version=$(dpkg-parsechangelog -l "$root/debian/changelog" -SVersion)
upstream=${version%-*}
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
rm -rf "${dir:?}/$name-$upstream"
rm -f "$dir/${name}_"*
src=$dir/$name-$upstream
mkdir "$src"
(cd "$root" && git ls-files -z | xargs -0 sh -c 'for f; do [ -e "$f" ] || [ -L "$f" ] && printf "%s\0" "$f"; done' sh |
  tar --null -T - -cf -) | tar -xf - -C "$src"
# The same tarball every time from the same files, as a release's would be.
stamp=$(cd "$root" && git log -1 --format=%ct)
tar --sort=name --mtime="@$stamp" --owner=0 --group=0 --numeric-owner --exclude="$name-$upstream/debian" \
  -C "$dir" -cJf "$dir/${name}_$upstream.orig.tar.xz" "$name-$upstream"
if [ "$arch" = source ]; then
  (cd "$dir" && dpkg-source -b "$name-$upstream" >"$dir/source.log")
  ls "$dir"/*.dsc
  exit 0
fi
export DEB_BUILD_OPTIONS="${DEB_BUILD_OPTIONS:-} parallel=$(nproc)"
(cd "$src" && dpkg-buildpackage -us -uc "${options[@]}") >"$dir/build.log" 2>&1 || {
  tail -n 80 "$dir/build.log"
  echo "package.sh: dpkg-buildpackage failed; the whole log is $dir/build.log" >&2
  exit 1
}
ls "$dir"/*.deb
