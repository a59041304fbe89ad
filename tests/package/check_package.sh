#!/usr/bin/env bash
# Builds the Debian package with cpack and checks it as a distribution reviewer would: its files
# and fields, lintian (no errors; every warning that stays is named in README.md with its
# reason), the AppStream metainfo, the desktop entry, and that the manual page and the bash
# completion of tidewell-cli know every command and option the tool's usage names.
#
#   check_package.sh BUILD_DIR SOURCE_DIR OUTPUT_DIR
#
# Exits 77 (skipped) only when a tool it needs is missing (scripts/install-deps.sh installs them).
set -euo pipefail

build=$(realpath "$1") source_dir=$(realpath "$2") out=$3
for tool in cpack dpkg-deb dpkg-parsechangelog lintian appstreamcli desktop-file-validate; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
[ -f /usr/share/bash-completion/bash_completion ] || { echo "skipped: bash-completion is not installed"; exit 77; }
mkdir -p "$out"
out=$(realpath "$out")
rm -rf "$out/package"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out/package" >"$out/cpack.log" 2>&1 ||
  { cat "$out/cpack.log"; echo "FAIL: cpack"; exit 1; }
deb=$(ls "$out"/package/*.deb)
root=$out/package/root
dpkg-deb -x "$deb" "$root"
dpkg-deb -f "$deb" >"$out/package/control.txt"
echo "package: $(basename "$deb")"

# Both programs and the desktop integration.
id=example.verimont.Tidewell
for file in usr/bin/tidewell usr/bin/tidewell-cli \
  usr/share/man/man1/tidewell.1.gz usr/share/man/man1/tidewell-cli.1.gz \
  usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml \
  usr/share/icons/hicolor/scalable/apps/tidewell.svg \
  usr/share/bash-completion/completions/tidewell-cli usr/share/dbus-1/interfaces/org.tidewell.Tidewell.xml \
  usr/share/doc/tidewell/copyright usr/share/doc/tidewell/changelog.Debian.gz \
  usr/share/doc/tidewell/examples/schedule.rws usr/share/tidewell/media/wav usr/share/tidewell/media/mid \
  usr/share/tidewell/help/en/index.html usr/share/tidewell/help/zh_CN/index.html; do
  [ -e "$root/$file" ] || fail "the package lacks /$file"
done
for size in 16 22 32 48 64 128; do
  png=$root/usr/share/icons/hicolor/${size}x${size}/apps/tidewell.png
  [ "$(file -b "$png" 2>/dev/null | grep -o '[0-9]* x [0-9]*')" = "$size x $size" ] ||
    fail "no ${size}x${size} PNG icon"
done

# The fields.
field() { dpkg-deb -f "$deb" "$1"; }
for needed in libqt6gui6 libsdl2-mixer-2.0-0 libxcb1; do
  grep -q "\(^\|, \)$needed\b" <<<"$(field Depends)" || fail "Depends lacks $needed: $(field Depends)"
done
grep -q 'timgm6mb-soundfont | fluid-soundfont-gm' <<<"$(field Recommends)" ||
  fail "Recommends lacks a General MIDI soundfont"
[ -z "$(field Homepage)" ] || fail "a Homepage field is set"
[ "$(field Description | wc -l)" -ge 5 ] || fail "the Description has no real long part"
version=$(field Version)
gzip -dc "$root/usr/share/doc/tidewell/changelog.Debian.gz" >"$out/package/changelog"
[ "$(dpkg-parsechangelog -l "$out/package/changelog" -S Version)" = "$version" ] ||
  fail "the changelog's latest entry is not $version"
grep -q "<release version=\"${version%-*}\"" "$root/usr/share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo has no release ${version%-*}"

# lintian: no error; each warning tag left is explained in the README.
lintian --fail-on error "$deb" >"$out/package/lintian.txt" 2>&1 ||
  fail "lintian reports errors"
cat "$out/package/lintian.txt"
for tag in $(awk '/^W: /{print $3}' "$out/package/lintian.txt" | sort -u); do
  grep -q "\`$tag\`" "$source_dir/README.md" || fail "lintian warning $tag is not explained in README.md"
done

appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"
desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "desktop-file-validate"

# The tool's usage names every command and option: the manual page must name each, and the
# completion must offer each command and, after a command, each of its options, so that none is
# added to the tool and forgotten there.
usage=$("$root/usr/bin/tidewell-cli" 2>&1 || true)
page=$(gzip -dc "$root/usr/share/man/man1/tidewell-cli.1.gz" | sed 's/\\-/-/g')
completion=$root/usr/share/bash-completion/completions/tidewell-cli
complete_words() {
  bash -c 'source /usr/share/bash-completion/bash_completion; source "$1"; shift
    COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
    _tidewell_cli; printf " %s" "${COMPREPLY[@]}"; echo " "' complete "$completion" "$@"
}
declare -A options_of
command=''
while read -r line; do
  # A command starts with a letter; "tidewell-cli --version" ends the options of the one before.
  if [[ $line =~ tidewell-cli\ ([a-z][a-z-]*) ]]; then
    command=${BASH_REMATCH[1]}
  elif [[ $line =~ tidewell-cli\ - ]]; then
    command=''
  fi
  [ -n "$command" ] && options_of[$command]+=" $(grep -o -- '--[a-z-]*' <<<"$line" | tr '\n' ' ' || true)"
done <<<"$usage"
[ ${#options_of[@]} -ge 7 ] || fail "tidewell-cli printed no usage: $usage"
offered_commands=$(complete_words tidewell-cli '')
for command in "${!options_of[@]}"; do
  grep -q "^\.B $command\$" <<<"$page" || fail "the manual page does not name the command $command"
  [[ $offered_commands == *" $command "* ]] || fail "the completion does not offer the command $command"
  offered=$(complete_words tidewell-cli "$command" schedule.rws '')
  for option in ${options_of[$command]}; do
    grep -q -- "$option\b" <<<"$page" || fail "the manual page does not name $option"
    [[ $offered == *" $option "* ]] || fail "the completion does not offer $option after $command"
  done
done
[ "$(complete_words tidewell-cli ag)" = " agenda " ] || fail "\"ag\" does not complete to agenda"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "the package passes its checks"
