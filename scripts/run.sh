#!/usr/bin/env bash
# Builds the windowed program and starts it on the user's desktop. Any argument is passed on
# (the program accepts none, or "autoload" for a hidden start).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
# The folder and options of the README's Release build, so that its test lines work after this.
build=${TIDEWELL_BUILD:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" --target tidewell
exec "$build/src/app/tidewell" "$@"
