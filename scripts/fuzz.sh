#!/bin/bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer, and
# runs each for the given number of seconds (default 600), starting from fuzz/seeds. A crashing
# input is copied to fuzz/regressions/<target>/, where the test suite keeps running it.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
scripts/deps.sh
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZORIS_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzz_catalog fuzz_datafile fuzz_numbertext fuzz_rules

status=0
for target in catalog datafile numbertext rules; do
  corpus=build-fuzz/corpus/$target
  artifacts=build-fuzz/artifacts/$target
  mkdir -p "$corpus" "$artifacts"
  echo "== fuzz_$target for ${seconds}s"
  if ! build-fuzz/fuzz/fuzz_$target -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
       -max_len=1048576 -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" "fuzz/seeds/$target" \
       2>&1 | tee "build-fuzz/fuzz_$target.log" | grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|==[0-9]+==ERROR|SUMMARY)'; then
    :
  fi
  for crash in "$artifacts"/*; do
    [ -e "$crash" ] || continue
    mkdir -p "fuzz/regressions/$target"
    cp "$crash" "fuzz/regressions/$target/"
    echo "kept $crash in fuzz/regressions/$target/"
    status=1
  done
done
exit $status
