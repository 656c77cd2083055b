#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the source package in a minimal chroot of a Debian release, as that release's own
# build daemons would: build-in-chroot.sh SUITE [OUTDIR]   (SUITE: bookworm, trixie, sid...)
# debootstrap makes the chroot once, from Debian's own archive, under $TARVENPAD_CHROOTS
# (default /var/cache/tarvenpad-chroots)/SUITE; every build then starts from it afresh,
# installs the package's Build-Depends and nothing else, and builds it as an ordinary user
# with its unit suites. The packages and the log land in OUTDIR (build-chroot-SUITE/).
# Needs root (debootstrap, chroot, mounts).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
suite=${1:?usage: build-in-chroot.sh SUITE [OUTDIR]}
out=${2:-$root/build-chroot-$suite}
chroots=${TARVENPAD_CHROOTS:-/var/cache/tarvenpad-chroots}
mirror=${TARVENPAD_MIRROR:-http://deb.debian.org/debian}
[ "$(id -u)" -eq 0 ] || { echo "build-in-chroot.sh: needs root" >&2; exit 2; }
"$root/scripts/install-deps.sh" chroot
start=$(date +%s)

base=$chroots/$suite
if [ ! -e "$base/etc/debian_version" ]; then
  echo "-- debootstrap $suite into $base"
  mkdir -p "$chroots"
  rm -rf "$base.new"
  # buildd: the essential packages and build-essential, which every Build-Depends implies.
  debootstrap --variant=buildd "$suite" "$base.new" "$mirror" >"$chroots/debootstrap-$suite.log" 2>&1 || {
    tail -n 20 "$chroots/debootstrap-$suite.log"
    exit 1
  }
  mv "$base.new" "$base"
fi

mkdir -p "$out"
out=$(cd "$out" && pwd)
rm -rf "${out:?}"/*
echo "-- the source package"
dsc=$("$root/scripts/package.sh" "$out/source" source | tail -n1)

# Each build writes into an overlay on the chroot, which stays as debootstrap made it.
layer=$chroots/$suite.build.$$
work=$layer/root
cleanup() {
  for m in var/cache/apt/archives dev/shm dev/pts dev proc ""; do
    umount "$work/$m" 2>/dev/null || true
  done
  mountpoint -q "$work" || rm -rf --one-file-system "$layer"
}
trap cleanup EXIT
mkdir -p "$layer/upper" "$layer/scratch" "$work"
mount -t overlay overlay -o "lowerdir=$base,upperdir=$layer/upper,workdir=$layer/scratch" "$work"
mount -t proc proc "$work/proc"
mount --bind /dev "$work/dev"
mount -t devpts -o newinstance,ptmxmode=0666 devpts "$work/dev/pts"
mount -t tmpfs tmpfs "$work/dev/shm"
# The downloaded packages are kept beside the chroot for the next build.
mkdir -p "$base.debs/partial"
mount --bind "$base.debs" "$work/var/cache/apt/archives"
cp /etc/resolv.conf "$work/etc/resolv.conf"
# A mirror or snapshot that is not refreshed daily serves an unstable whose Release file has
# passed its Valid-Until date; its signatures are still checked.
echo 'Acquire::Check-Valid-Until "false";' >"$work/etc/apt/apt.conf.d/90tarvenpad-snapshot"
mkdir -p "$work/build"
cp "$(dirname "$dsc")"/*.dsc "$(dirname "$dsc")"/*.tar.* "$work/build/"
inside() { chroot "$work" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
  DEBIAN_FRONTEND=noninteractive "$@"; }

echo "-- $suite: installing the Build-Depends"
inside sh -c "cd /build && dpkg-source -x --no-check *.dsc src >/dev/null"
inside apt-get update -qq
inside apt-get build-dep -y -qq --no-install-recommends /build/src >"$out/build-deps.log" 2>&1 || {
  tail -n 30 "$out/build-deps.log"
  exit 1
}
inside useradd --create-home --home-dir /home/builder builder
inside chown -R builder: /build

echo "-- $suite: dpkg-buildpackage (with the unit suites)"
built=$(date +%s)
status=0
inside runuser -u builder -- env HOME=/home/builder DEB_BUILD_OPTIONS="parallel=$(nproc)" \
  sh -c 'cd /build/src && dpkg-buildpackage -us -uc' >"$out/build.log" 2>&1 || status=$?
cp "$work"/build/*.deb "$work"/build/*.dsc "$work"/build/*.buildinfo "$work"/build/*.changes "$out/" 2>/dev/null || true
end=$(date +%s)
if [ "$status" -ne 0 ]; then
  tail -n 80 "$out/build.log"
  echo "build-in-chroot.sh: the $suite build failed; the whole log is $out/build.log" >&2
  exit 1
fi
grep -E '^(100% tests passed|[0-9]+% tests passed)' "$out/build.log" || true
echo "Built on $suite in $((end - built)) s (all told $((end - start)) s, the chroot and its Build-Depends included):"
ls "$out"/*.deb
