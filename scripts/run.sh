#!/bin/bash
# Installs what is missing, builds, and starts the program in ./run, which holds the shipped
# catalogue and its rules file.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
mkdir -p run
[ -e run/DEFAULT.lng ] || cp data/DEFAULT.lng run/
[ -e run/DEFAULT.chk ] || cp data/DEFAULT.chk run/
cd run
exec ../build/src/zoris "$@"
