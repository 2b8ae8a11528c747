#!/bin/sh
# Runs a libFuzzer target for a bounded time on a corpus of its own, seeded with the files
# given after the corpus directory.
#   run-fuzzer.sh FUZZER SECONDS CORPUS [SEED...]
set -eu
fuzzer=$1 seconds=$2 corpus=$3
shift 3
mkdir -p "$corpus"
for seed in "$@"; do
    cp "$seed" "$corpus/" 2>/dev/null || true
done
exec "$fuzzer" -max_total_time="$seconds" -timeout=10 -artifact_prefix="$corpus/"  -rss_limit_mb=8192 -malloc_limit_mb=8192 \
    -print_final_stats=1 "$corpus"
