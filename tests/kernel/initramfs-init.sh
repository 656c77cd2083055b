#!/bin/busybox sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The VM's first process: mounts the host's root file system (read-only, over 9p) with
# writable scratch space on top, puts the source and build folders back at their own paths
# (the scratch space hides them when they live under /tmp, /run, /var/tmp or /root) and hands
# over to guest.sh, which runs the job the host left on the second share and powers off.
# When something the suite needs is missing, one sentence saying what goes to the host in
# the share's "failure" file, and the VM powers off rather than panic.
/bin/busybox --install -s /bin
export PATH=/bin
mount -t proc proc /proc
mount -t sysfs sys /sys
mount -t devtmpfs dev /dev
r=/newroot
opts=trans=virtio,version=9p2000.L,msize=512000
fail() {
  echo "$*" >/out/failure
  umount /out
  poweroff -f
}
while read -r ko; do
  insmod "/modules/$ko" || { echo "the module $ko would not load"; poweroff -f; }
done </modules/order
mkdir -p /out
mount -t 9p -o $opts out /out || { echo "the VM cannot mount the host's job folder"; poweroff -f; }
mount -t 9p -o $opts,ro,cache=loose hostroot $r 2>/dev/null ||
  fail "the VM cannot mount the host's root file system"
mount -t proc proc $r/proc
mount -t sysfs sys $r/sys
mount -t devtmpfs dev $r/dev
mkdir -p $r/dev/pts $r/dev/shm
mount -t devpts devpts $r/dev/pts
mount -t tmpfs tmpfs $r/dev/shm
for d in tmp run var/tmp root; do mount -t tmpfs -o mode=1777 tmpfs $r/$d; done
# Each line: a share's tag and the path it belongs at (which may hold spaces).
while read -r tag path; do
  mkdir -p "$r$path" && mount -t 9p -o $opts,ro,cache=loose "$tag" "$r$path" 2>/dev/null ||
    fail "the VM cannot mount $path from the host"
done </out/shares
guest=$(cat /out/guest)
[ -f "$r$guest" ] || fail "the VM does not see the guest script $guest"
mkdir -p $r/tmp/out
mount -o move /out $r/tmp/out
# The shared root becomes the root (no chroot: udevadm refuses to work in one).
exec switch_root $r /bin/bash "$guest"
