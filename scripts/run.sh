#!/usr/bin/env bash
# Builds the program and runs it. Until the windowed program exists, this runs
# the command-line tool on the shipped example schedule (or on the file given).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
# The folder and options of the README's Release build, so that its test lines work after this.
build=${TIDEWELL_BUILD:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" --target tidewell-cli
"$build/tidewell-cli" list "${1:-examples/schedule.rws}"
