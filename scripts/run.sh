#!/usr/bin/env bash
# Builds what exists so far and shows it; later this starts the program itself.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
build=${TIDEWELL_BUILD:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$build"
echo "Built:"
find "$build" -maxdepth 3 -type f \( -name 'libtidewell_*.a' -o -name 'test_*' -o -name 'bench_*' -o -name 'tidewell*' \) -perm -u+r | sort
