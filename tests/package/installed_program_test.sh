#!/usr/bin/env bash
# The programs as installed, on a machine where the build and source trees do not exist:
# `cmake --install` into a temporary prefix, then, in a mount namespace where both trees are
# hidden under empty folders, the installed `tidewell` starts under Xvfb with a temporary home.
# It must show its window, write an autostart entry that starts the installed program, and give
# a notice added through its wizard the default sound from <prefix>/share/tidewell/media; the
# installed `tidewell-cli` must list the installed example schedule.
#
#   installed_program_test.sh BUILD_DIR SOURCE_DIR OUTPUT_DIR
#
# Exits 77 (skipped) only when a tool it needs is missing (scripts/install-deps.sh installs them).
set -euo pipefail

build=$(realpath "$1") source_dir=$(realpath "$2") out=$3
for tool in Xvfb xdotool xdpyinfo import desktop-file-validate unshare; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
mkdir -p "$out"
out=$(realpath "$out")
rm -f "$out"/installed-*.png

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$out/installed-install.log"

# The first start on a machine is an administrator's: mark it done for the temporary machine.
version=$(grep -a 'IDS_DIALOG_ABOUT_COMPANY_PRODUCT_VERSION_PEP' "$source_dir/src/text/messages.def" |
  sed 's/.*Version \([0-9.]*\)".*/\1/')
mkdir -p "$work/home/machine/Verimont/Tidewell/$version"
printf '[App]\r\nFirst Run = sz:1\r\n' >"$work/home/machine/Verimont/Tidewell/$version/registry.ini"
# The part that runs without the trees; bash reads a script as it goes, so it runs from a copy.
cp "$source_dir/tests/package/installed_program_run.sh" "$work/run.sh"

# Root may make the namespace itself; anyone else maps themself to root in a user namespace.
namespace=(unshare --mount)
[ "$(id -u)" -ne 0 ] && namespace+=(--map-root-user)
"${namespace[@]}" true 2>/dev/null || { echo "skipped: no mount namespace can be made here"; exit 77; }
# The build tree first: it may lie inside the source tree, which hides it when covered.
"${namespace[@]}" bash -c '
  set -e
  mount -t tmpfs -o size=1m hidden "$1"
  mount -t tmpfs -o size=1m hidden "$2"
  [ -z "$(ls -A "$1" 2>/dev/null)" ] && [ -z "$(ls -A "$2")" ]
  exec bash "$3/run.sh" "$3"' hide "$build" "$source_dir" "$work" || status=$?
cp "$work"/out/* "$out"/ 2>/dev/null || true
exit "${status:-0}"
