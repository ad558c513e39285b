#!/bin/bash
# Builds the Google Benchmark target in Release and runs every benchmark at 100, 1,000, 10,000
# and 100,000 indicators on the offscreen platform; prints the table of figures and checks that
# each 100,000-indicator figure is at most 12 times its 10,000-indicator figure. Each benchmark
# runs three times; the table shows the fastest run, the one least disturbed by the machine.
# Extra arguments go to the benchmark program (for example --benchmark_filter=Report).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DZORIS_BENCH=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build build-bench -j"$(nproc)" --target bench
out=$(mktemp)
trap 'rm -f "$out"' EXIT
QT_QPA_PLATFORM=offscreen build-bench/bench/bench --benchmark_out="$out" --benchmark_out_format=json \
  --benchmark_repetitions=3 "$@" >&2
python3 scripts/benchtable.py "$out"
