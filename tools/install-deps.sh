#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Zemlo need, but only those
# that are missing, so that running it twice costs nothing. Every package is named here: the
# install is --no-install-recommends, so nothing that a package merely recommends arrives.
set -euo pipefail

packages=(
    # the build
    cmake ninja-build g++ pkg-config
    # the window: Qt's widgets (the X11 platform plugin comes with libqt6gui6), a font
    qt6-base-dev libgl-dev fonts-dejavu-core
    # the tests and their mocks (libgmock-dev is a package of its own)
    libgtest-dev libgmock-dev
    # guest programs: the cross compiler and the riscv64 C library it links against, which
    # gcc-riscv64-linux-gnu only recommends
    gcc-riscv64-linux-gnu libc6-dev-riscv64-cross
    # the reference that guest programs' output is compared with
    qemu-user
    # the simulator's fuzz targets: clang and its libFuzzer runtime
    clang-14 libclang-rt-14-dev
    # a virtual display, screenshots and window lookup for the window's looks
    xvfb xauth xdotool imagemagick
)

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
    [ "$status" = "installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
