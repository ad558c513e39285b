#!/bin/bash
# Builds and runs the whole test suite: once as a normal build, once under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs")

if [ "${ZORIS_SKIP_SANITIZERS:-0}" != 1 ]; then
  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DZORIS_SANITIZE=ON >/dev/null
  cmake --build build-asan -j"$jobs"
  (cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
     ctest --output-on-failure -j"$jobs")
fi
