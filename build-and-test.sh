#!/usr/bin/env bash
# Builds everything and runs every test twice: once in a plain build, once in a build with
# AddressSanitizer and UndefinedBehaviorSanitizer. Both must pass.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

jobs=$(nproc)
run_suite() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir" -j "$jobs"
    ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

echo "== plain build"
run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo
echo "== AddressSanitizer and UndefinedBehaviorSanitizer build"
run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DZEMLO_SANITIZE=ON
