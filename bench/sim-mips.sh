#!/usr/bin/env bash
# Simulated MIPS of sim-zemlo.exe (no model listening) on two CPU-bound workloads of about
# 1e9 instructions each, beside qemu-riscv64 and a native build of the same sources.
#   bench/sim-mips.sh [build-dir]     (default: build; the simulators are built there first)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target sim-zemlo >/dev/null
sim="$build/sim/sim-zemlo.exe"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# name, source, argument giving ~1e9 simulated instructions
workloads=("fp_loop bench/fp_loop.c 14500" "pointer_chase bench/pointer_chase.c 540")

seconds() { # seconds taken by the command, to the millisecond
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1 </dev/null
    end=$(date +%s.%N)
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }' 
}

printf '%-14s %14s %9s %9s %9s %9s %9s\n' workload instructions sim_s sim_MIPS qemu_s qemu_MIPS native_s
for row in "${workloads[@]}"; do
    read -r name source argument <<<"$row"
    riscv64-linux-gnu-gcc -O2 -static -o "$work/$name.ss" "$source"
    cc -O2 -o "$work/$name.native" "$source"
    sim_s=$(seconds "$sim" -redir:sim "$work/$name.res" "$work/$name.ss" "$argument")
    insns=$(awk '$1 == "sim_num_insn" { print $2 }' "$work/$name.res")
    qemu_s=$(seconds qemu-riscv64 "$work/$name.ss" "$argument")
    native_s=$(seconds "$work/$name.native" "$argument")
    awk -v n="$name" -v i="$insns" -v s="$sim_s" -v q="$qemu_s" -v h="$native_s" \
        'BEGIN { printf "%-14s %14s %9.3f %9.0f %9.3f %9.0f %9.3f\n", n, i, s, i / s / 1e6, q, i / q / 1e6, h }' 
done
