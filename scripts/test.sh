#!/usr/bin/env bash
# Builds everything with the sanitizers and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
# The layers keep their include directions, and the code its format.
python3 scripts/check_layers.py
bash scripts/check_format.sh
build=${TIDEWELL_TEST_BUILD:-build-test}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTIDEWELL_SANITIZE=ON
cmake --build "$build"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure --no-tests=error -j"$(nproc)"

# The Release configuration with its own warnings (GCC at -O3 sees more), its tests (a few
# seconds), and every benchmark run once with a tiny minimum time so that none can rot.
release_build=${TIDEWELL_RELEASE_BUILD:-build-rel}
cmake -S . -B "$release_build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTIDEWELL_TESTS=ON -DTIDEWELL_BENCH=ON
cmake --build "$release_build"
ctest --test-dir "$release_build" --output-on-failure --no-tests=error -j"$(nproc)"
for b in "$release_build"/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "benchmark $(basename "$b") (one short run)"
  log="$release_build/$(basename "$b").json"
  # A benchmark that skips with an error still exits 0: look for the error in the report.
  if ! "$b" --benchmark_min_time=0.001 --benchmark_format=json >"$log" 2>"$log.err" \
    || grep -q '"error_occurred": true' "$log"; then
    cat "$log.err"; grep -A2 '"error_occurred": true' "$log" || true; exit 1
  fi
done

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
