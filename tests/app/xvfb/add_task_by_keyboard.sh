#!/usr/bin/env bash
# Adds a Weekly notice task through the real Add a Task wizard with the keyboard alone, on a
# private X server with a temporary home, and finds it in the task list's schedule file.
# A picture of each page and of the main window is kept in the output folder.
#
#   add_task_by_keyboard.sh PROGRAM CLI SOURCE_DIR OUTPUT_DIR
#
# Exits 77 (skipped) when Xvfb, xdotool or ImageMagick is missing. LANG chooses the language
# (English by default); the mnemonics typed are those both languages share.
set -euo pipefail

program=$1 cli=$2 source_dir=$3 out=$4
for tool in Xvfb xdotool import xdpyinfo; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

mkdir -p "$out"
rm -f "$out"/*.png
home=$(mktemp -d)
xvfb_pid='' program_pid=''
cleanup() {
  # Waited for: a server still going when the next test starts its own may answer in its place.
  [ -n "$program_pid" ] && { kill "$program_pid" 2>/dev/null; wait "$program_pid" 2>/dev/null; } || true
  [ -n "$xvfb_pid" ] && { kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; } || true
  rm -rf "$home"
}
trap cleanup EXIT

# The server picks a free display itself and names it.
display_file="$home/display"
Xvfb -displayfd 3 -screen 0 1280x860x24 -nolisten tcp 3>"$display_file" >"$out/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
[ -s "$display_file" ] || { echo "Xvfb did not start"; cat "$out/xvfb.log"; exit 1; }
display=":$(head -1 "$display_file")"
# A busy machine (the other tests run beside this one) may take a while to bring the server up.
for _ in $(seq 300); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo -display "$display" >/dev/null 2>&1 || { echo "Xvfb did not answer on $display"; exit 1; }

export DISPLAY=$display HOME=$home QT_QPA_PLATFORM=xcb LANG=${LANG:-C.UTF-8}
export XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_RUNTIME_DIR=$home/run
export TIDEWELL_MACHINE_CONFIG_DIR=$home/machine
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
# The first start on a machine is an administrator's: mark it done for this temporary machine.
version=$(grep -a 'IDS_DIALOG_ABOUT_COMPANY_PRODUCT_VERSION_PEP' "$source_dir/src/text/messages.def" |
  sed 's/.*Version \([0-9.]*\)".*/\1/')
mkdir -p "$home/machine/Verimont/Tidewell/$version"
printf '[App]\r\nFirst Run = sz:1\r\n' >"$home/machine/Verimont/Tidewell/$version/registry.ini"

"$program" >"$out/program.log" 2>&1 &
program_pid=$!

# The program's main window, and a dialog over it (its other visible window), waited for and
# given the keyboard focus. Found by the program's process, whatever the language of the titles.
main_window=''
visible_windows() { xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null || true; }
give_focus() { xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"; settle; }
focus_main() {
  for _ in $(seq 100); do
    main_window=$(visible_windows | head -1)
    [ -n "$main_window" ] && break
    sleep 0.2
  done
  [ -n "$main_window" ] || { echo "the main window did not open"; exit 1; }
  give_focus "$main_window"
}
focus_dialog() {
  local id=''
  for _ in $(seq 100); do
    id=$(visible_windows | grep -vx "$main_window" | tail -1)
    [ -n "$id" ] && break
    sleep 0.2
  done
  [ -n "$id" ] || { echo "the dialog did not open"; exit 1; }
  give_focus "$id"
}
settle() { sleep 0.4; }
shot() { settle; import -display "$display" -window root "$out/$1.png"; }
key() { xdotool key --clearmodifiers "$@"; settle; }
type_text() { xdotool type --delay 20 "$1"; settle; }

title='Keyboard task'
focus_main
shot 0-main-window
key ctrl+a
focus_dialog
shot 1-welcome
key Return
key alt+t
type_text "$title"
key alt+y Down Down          # task type: show a notice message
key alt+o
type_text 'Stand up and stretch.'
shot 2-task
key alt+n
key alt+p                    # beeps
shot 3-sound
key alt+n
key alt+t Home Down          # schedule type: Weekly
key alt+d Home Down Down     # Wednesday
key alt+a                    # add the entry
shot 4-schedule
key alt+n
shot 5-randomization
key alt+n
shot 6-waiting
key alt+n
shot 7-summary
key alt+f
give_focus "$main_window"
shot 8-main-window-with-task

schedule="$home/Documents/Verimont User Data/Ostrel/schedule.rws"
listing=$("$cli" list "$schedule")
echo "$listing" >"$out/list.txt"
if ! grep -q "$title" <<<"$listing"; then
  echo "the added task is not in the list:"; echo "$listing"; exit 1
fi
echo "added: $(grep "$title" <<<"$listing")"
