#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Inside the VM, as its first process: loads the USB and HID modules of the booted kernel,
# starts udevd with our rule, runs the suite the host asked for, leaves its status on the
# share and powers off.
set -u
exec </dev/null
. /tmp/out/job
export PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8
export TARVENPAD_SHOT_DIR=/tmp/out/screenshots
# What the suite cannot do without ends the run with one sentence that names it.
fail() {
  echo "$*" >/tmp/out/failure
  umount /tmp/out
  busybox poweroff -f
}
mp() {
  modprobe -d "${MODULES%/lib/modules/*}" "$@" 2>/dev/null || fail "the VM cannot load the module $1"
}
# evdev: the input event nodes that identifying reads the presses from.
for m in usbhid hid_generic uhid evdev libcomposite usb_f_hid; do mp "$m"; done
mount -t configfs none /sys/kernel/config
mp dummy_hcd num=6
mkdir -p /run/udev/rules.d
cp "$BUILD/tests/kernel/70-tarvenpad.rules" /run/udev/rules.d/ 2>/dev/null ||
  fail "the VM does not see our udev rule in $BUILD/tests/kernel"
[ -x "$SUITE" ] || fail "the VM does not see the suite $SUITE"
/lib/systemd/systemd-udevd --daemon --resolve-names=early 2>/dev/null
udevadm trigger --action=add >/dev/null 2>&1
udevadm settle --timeout=30
cd /tmp
"$SUITE" "${ARGS[@]}"
status=$?
udevadm control --exit 2>/dev/null
echo $status >/tmp/out/status
sync
umount /tmp/out
busybox poweroff -f
