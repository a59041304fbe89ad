#!/usr/bin/env bash
# Builds the windowed program and starts it on the user's desktop. Any argument is passed on
# (the program accepts none, or "autoload" for a hidden start).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
build=${TIDEWELL_BUILD:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTIDEWELL_TESTS=OFF -DTIDEWELL_BENCH=OFF
cmake --build "$build" --target tidewell
exec "$build/src/app/tidewell" "$@"
