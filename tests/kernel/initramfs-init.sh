#!/bin/busybox sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The VM's first process: mounts the host's root file system (read-only, over 9p) with
# writable scratch space on top and hands over to guest.sh, which runs the job the host left
# on the second share and powers off.
/bin/busybox --install -s /bin
export PATH=/bin
mount -t proc proc /proc
mount -t sysfs sys /sys
mount -t devtmpfs dev /dev
while read -r ko; do insmod "/modules/$ko"; done </modules/order
r=/newroot
mount -t 9p -o trans=virtio,version=9p2000.L,ro,cache=loose,msize=512000 hostroot $r ||
  { echo "cannot mount the host's root"; poweroff -f; }
mount -t proc proc $r/proc
mount -t sysfs sys $r/sys
mount -t devtmpfs dev $r/dev
mkdir -p $r/dev/pts $r/dev/shm
mount -t devpts devpts $r/dev/pts
mount -t tmpfs tmpfs $r/dev/shm
for d in tmp run var/tmp root; do mount -t tmpfs -o mode=1777 tmpfs $r/$d; done
mkdir -p $r/tmp/out
mount -t 9p -o trans=virtio,version=9p2000.L,msize=512000 out $r/tmp/out
# The shared root becomes the root (no chroot: udevadm refuses to work in one).
exec switch_root $r /bin/bash "$(cat $r/tmp/out/guest)"
