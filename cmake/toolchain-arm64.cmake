# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-building for arm64 (Raspberry Pi OS 64-bit, Debian arm64) on an amd64 Debian with
# the arm64 libraries installed through multiarch: scripts/build-arm64.sh.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)

# Libraries and headers from the arm64 side only; programs (moc, rcc, lrelease) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/aarch64-linux-gnu /)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(QT_HOST_PATH /usr)
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/aarch64-linux-gnu/pkgconfig:/usr/share/pkgconfig)
set(ENV{PKG_CONFIG_SYSROOT_DIR} /)

# ctest runs the arm64 tests through qemu-user; the arm64 loader and libraries are where
# multiarch put them, so qemu needs no separate root.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64)
