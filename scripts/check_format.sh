#!/usr/bin/env bash
# Fails, naming the files, when a C++ file of the project is not clean under .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
format=$(command -v clang-format-14 || command -v clang-format)
unclean=$(git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' \
  'fuzz/*.cpp' 'fuzz/*.h' | while read -r f; do
  if [ -f "$f" ] && ! "$format" --dry-run -Werror "$f" >/dev/null 2>&1; then echo "$f"; fi
done)
if [ -n "$unclean" ]; then
  echo "Not clean under .clang-format (run clang-format -i on them):" >&2
  echo "$unclean" >&2
  exit 1
fi
