#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Boots Debian's own kernel in QEMU on this machine's root file system (shared read-only over
# 9p) and runs one kernel suite inside it:
#   run-vm.sh BUILD_DIR SUITE [ARGS...]
# The kernel package is downloaded once into BUILD_DIR/kernel. The suite's exit status is
# this script's; 77 means the VM could not run here (CTest shows it as skipped), which CI
# refuses (CI=true turns it into a failure). The VM is stopped after TARVENPAD_VM_SECONDS
# (CTest sets it below the test's own TIMEOUT, so that this script, not CTest, ends a run
# that hangs and says so).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source=$(cd "$here/../.." && pwd)
build=$(cd "$1" && pwd)
limit=${TARVENPAD_VM_SECONDS:-1440}
suite=$2
shift 2

skip() {
  echo "SKIPPED: $*"
  if [ "${CI:-}" = true ]; then
    echo "CI requires the kernel suite: failing instead of skipping" >&2
    exit 1
  fi
  exit 77
}

command -v qemu-system-x86_64 >/dev/null || skip "qemu-system-x86_64 is not installed"
[ -e /usr/share/qemu ] || skip "QEMU has no firmware files"

kdir=$build/kernel
# One download per build folder: the current linux-image package of this Debian release.
if [ ! -e "$kdir/ready" ]; then
  rm -rf "$kdir" && mkdir -p "$kdir/root"
  kernel_package() {
    apt-cache depends linux-image-amd64 2>/dev/null | awk '/Depends: linux-image-[0-9]/ { print $2; exit }'
  }
  pkg=$(kernel_package)
  if [ -z "$pkg" ] && [ "$(id -u)" -eq 0 ]; then
    apt-get update -qq && pkg=$(kernel_package)
  fi
  [ -n "$pkg" ] || skip "apt does not know linux-image-amd64 (run apt-get update)"
  (cd "$kdir" && apt-get download "$pkg" >/dev/null 2>&1) || skip "could not download $pkg"
  dpkg-deb -x "$kdir"/linux-image-*.deb "$kdir/root"
  version=$(ls "$kdir/root/lib/modules")
  depmod -b "$kdir/root" "$version"
  rm -f "$kdir"/linux-image-*.deb
  echo "$version" >"$kdir/ready"
fi
version=$(cat "$kdir/ready")
modules=$kdir/root/lib/modules/$version

# The initramfs: a static busybox and the modules that mount the shared root.
initrd=$kdir/initrd.gz
if [ ! -e "$initrd" ] || [ "$here/initramfs-init.sh" -nt "$initrd" ]; then
  busybox=$(command -v busybox || true)
  [ -n "$busybox" ] && file -L "$busybox" | grep -q 'statically linked' ||
    skip "busybox-static is not installed"
  stage=$(mktemp -d)
  mkdir -p "$stage/bin" "$stage/modules" "$stage/newroot" "$stage/proc" "$stage/sys" "$stage/dev"
  cp "$busybox" "$stage/bin/busybox"
  cp "$here/initramfs-init.sh" "$stage/init"
  for m in virtio_pci 9pnet_virtio 9p; do
    modprobe -d "$kdir/root" -S "$version" --show-depends "$m" >/dev/null 2>&1 ||
      { echo "the kernel $version has no module $m" >&2; exit 1; }
    # The module's path may hold spaces (the build folder's does).
    modprobe -d "$kdir/root" -S "$version" --show-depends "$m" | sed -n 's/^insmod \(.*\.ko\) *$/\1/p'
  done | awk '!seen[$0]++' | while read -r ko; do
    cp "$ko" "$stage/modules/"
    basename "$ko" >>"$stage/modules/order"
  done
  (cd "$stage" && find . | cpio -o -H newc --quiet | gzip -1) >"$initrd.tmp"
  mv "$initrd.tmp" "$initrd"
  rm -rf "$stage"
fi

out=$(mktemp -d "$build/kernel/run.XXXXXX")
trap 'rm -rf "$out"' EXIT
accel=tcg
if [ -w /dev/kvm ] && grep -qE 'vmx|svm' /proc/cpuinfo; then accel=kvm; fi

# The suite's command line travels in a file on the writable share.
{
  printf 'MODULES=%q\n' "$modules"
  printf 'SUITE=%q\n' "$suite"
  printf 'ARGS=('
  for a in "$@"; do printf '%q ' "$a"; done
  printf ')\n'
  printf 'BUILD=%q\n' "$build"
} >"$out/job"
echo "$here/guest.sh" >"$out/guest"
# The source and build folders, shared again at their own paths: the VM's scratch space over
# /tmp, /run, /var/tmp and /root would hide them there. (A comma in a path is doubled for
# QEMU's option syntax.)
printf 'source %s\nbuild %s\n' "$source" "$build" >"$out/shares"

ro_share=security_model=none,readonly=on,multidevs=remap
status=0
timeout "$limit" qemu-system-x86_64 -machine q35,accel=$accel -cpu max -smp 2 -m 3072 \
  -nographic -no-reboot -monitor none -serial stdio \
  -kernel "$kdir/root/boot/vmlinuz-$version" -initrd "$initrd" \
  -append "console=ttyS0 panic=-1 quiet loglevel=3 rdinit=/init" \
  -virtfs local,path=/,mount_tag=hostroot,$ro_share \
  -virtfs local,path="$out",mount_tag=out,security_model=none,multidevs=remap \
  -virtfs local,path="${source//,/,,}",mount_tag=source,$ro_share \
  -virtfs local,path="${build//,/,,}",mount_tag=build,$ro_share \
  -nic none </dev/null || status=$?

if [ -d "$out/screenshots" ]; then
  mkdir -p "$build/acceptance-screenshots"
  cp "$out/screenshots"/*.png "$build/acceptance-screenshots/" 2>/dev/null || true
fi
if [ -e "$out/failure" ]; then
  cat "$out/failure" >&2
  exit 1
fi
if [ ! -e "$out/status" ]; then
  if [ "$status" -eq 124 ]; then
    echo "the VM did not finish within $limit s" >&2
  else
    echo "the VM ended without a suite status" >&2
  fi
  exit 1
fi
exit "$(cat "$out/status")"
