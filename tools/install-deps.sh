#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Zemlo need, but only those
# that are missing, so that running it twice costs nothing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libgl-dev fonts-dejavu-core
    libgtest-dev
    gcc-riscv64-linux-gnu
    qemu-user
    clang-14 libclang-rt-14-dev
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
