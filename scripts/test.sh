#!/usr/bin/env bash
# Builds everything with the sanitizers and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
build=${TIDEWELL_TEST_BUILD:-build-test}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTIDEWELL_SANITIZE=ON
cmake --build "$build"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure --no-tests=error -j"$(nproc)"

# Short, bounded fuzzing of every parser, with clang's libFuzzer.
if [ -d fuzz ] && ls fuzz/*.cpp >/dev/null 2>&1; then
  fuzz_build=${TIDEWELL_FUZZ_BUILD:-build-fuzz}
  CXX=clang++ cmake -S . -B "$fuzz_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTIDEWELL_FUZZ=ON -DTIDEWELL_TESTS=OFF -DTIDEWELL_BENCH=OFF
  cmake --build "$fuzz_build"
  for f in "$fuzz_build"/fuzz/fuzz_*; do
    [ -x "$f" ] || continue
    echo "fuzzing $(basename "$f")"
    "$f" -max_total_time="${TIDEWELL_FUZZ_SECONDS:-20}" -rss_limit_mb=2048 >/dev/null 2>"$fuzz_build/$(basename "$f").log" \
      || { tail -50 "$fuzz_build/$(basename "$f").log"; exit 1; }
  done
fi
