#!/usr/bin/env bash
# Builds everything, lays out a working directory with the window, the simulators, the
# workloads built so far and the animation clip side by side, and starts the window there.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"
cmake --build build --target workdir

cd build/workdir
exec ./zemlo
