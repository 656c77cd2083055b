#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian source and binary packages (scripts/package.sh) and checks them the way a
# distribution would: lintian without errors or warnings on the .dsc, .buildinfo and .deb, the
# metainfo, desktop entry and man pages through their validators,
# and an install into an empty root that must put every file where the FHS and udev expect.
# check-package.sh [DIR [arm64]]: the second argument checks the cross-built arm64 package.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build-package}
arch=${2:-$(dpkg --print-architecture)}
run=() # how this machine runs the package's programs: qemu-user for arm64 on amd64
[ "$arch" = "$(dpkg --print-architecture)" ] || run=(qemu-aarch64)
"$root/scripts/install-deps.sh" run package ci
log=$(mktemp)
if ! "$root/scripts/package.sh" "$dir" "$arch" >"$log" 2>&1; then
  cat "$log"
  rm -f "$log"
  exit 1
fi
rm -f "$log"
id=com.quelmark.TarvenpadProgrammer
version=$(sed -n 's/^project(TarvenpadProgrammer VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
debian_version=$(dpkg-parsechangelog -l "$root/debian/changelog" -SVersion)
# The package's upstream version is the program's.
[ "${debian_version%-*}" = "$version" ]
deb=$dir/tarvenpad-programmer_${debian_version}_$arch.deb
[ -f "$deb" ]
dsc=$dir/tarvenpad-programmer_$debian_version.dsc
buildinfo=$dir/tarvenpad-programmer_${debian_version}_$arch.buildinfo

echo "-- lintian $(basename "$dsc") $(basename "$buildinfo") $(basename "$deb")"
# Fails on errors and warnings; shows the informational and pedantic notes too.
status=0
lintian --fail-on error,warning --display-info --pedantic "$dsc" "$buildinfo" "$deb" \
  >"$dir/lintian.log" 2>&1 || status=$?
grep -v "root privileges" "$dir/lintian.log" || true
[ "$status" -eq 0 ] || { echo "lintian found errors or warnings"; exit 1; }

echo "-- the package installed into an empty root"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/var/lib/dpkg/info" "$tmp/var/lib/dpkg/updates" "$tmp/var/log"
touch "$tmp/var/lib/dpkg/status" "$tmp/var/lib/dpkg/available"
[ ${#run[@]} -eq 0 ] || dpkg --root="$tmp" --add-architecture "$arch"
# Its libraries are the host's; the maintainer scripts run outside the root (DPKG_ROOT set).
if ! dpkg --root="$tmp" --force-depends --force-script-chrootless -i "$deb" >"$tmp.log" 2>&1; then
  cat "$tmp.log"
  exit 1
fi
rm -f "$tmp.log"
(cd "$tmp" && find usr -type f -o -type l | sort) >"$tmp.files"
cat >"$tmp.expected" <<EOT
usr/bin/tarvenpad
usr/bin/tarvenpad-programmer
usr/bin/tarvenpad-programmer-demo
usr/lib/udev/rules.d/70-tarvenpad.rules
usr/lib/udev/tarvenpad-hid-check
usr/share/applications/$id.desktop
usr/share/bash-completion/completions/tarvenpad
usr/share/doc/tarvenpad-programmer/changelog.Debian.gz
usr/share/doc/tarvenpad-programmer/copyright
usr/share/icons/hicolor/128x128/apps/$id.png
usr/share/icons/hicolor/256x256/apps/$id.png
usr/share/icons/hicolor/48x48/apps/$id.png
usr/share/icons/hicolor/64x64/apps/$id.png
usr/share/icons/hicolor/scalable/apps/$id.svg
usr/share/lintian/overrides/tarvenpad-programmer
usr/share/man/man1/tarvenpad-programmer-demo.1.gz
usr/share/man/man1/tarvenpad-programmer.1.gz
usr/share/man/man1/tarvenpad.1.gz
usr/share/metainfo/$id.metainfo.xml
usr/share/tarvenpad/translations/tarvenpad_en.qm
usr/share/zsh/vendor-completions/_tarvenpad
EOT
if ! diff -u "$tmp.expected" "$tmp.files"; then
  echo "The package's files are not where they belong (- expected, + installed)."
  rm -f "$tmp.files" "$tmp.expected"
  exit 1
fi
rm -f "$tmp.files" "$tmp.expected"
for size in 48 64 128 256; do
  file "$tmp/usr/share/icons/hicolor/${size}x$size/apps/$id.png" | grep -q " $size x $size,"
done
"${run[@]}" "$tmp/usr/bin/tarvenpad" --emulate 2 units >/dev/null

echo "-- appstreamcli, desktop-file-validate, mandoc"
appstreamcli validate --no-net "$tmp/usr/share/metainfo/$id.metainfo.xml"
grep -q "<release version=\"$version\"" "$tmp/usr/share/metainfo/$id.metainfo.xml"
desktop-file-validate "$tmp/usr/share/applications/$id.desktop"
for page in "$root"/docs/*.1 "$tmp"/usr/share/man/man1/*.1.gz; do
  mandoc -Tlint "$page"
done
zcat "$tmp/usr/share/man/man1/tarvenpad.1.gz" | head -n1 | grep -q "Programmer $version\""

dpkg --root="$tmp" --force-script-chrootless --purge tarvenpad-programmer >/dev/null
[ ! -e "$tmp/usr" ] || [ -z "$(find "$tmp/usr" -type f)" ]
echo "Package checks passed: $(basename "$deb")"
