#!/usr/bin/env bash
# The checks of installed_program_test.sh that run where the build and source trees are hidden.
#   installed_program_run.sh WORK_DIR
# WORK_DIR holds prefix/ (the installed programs) and home/ (with the machine folder); pictures
# and logs go to WORK_DIR/out.
set -euo pipefail

work=$1
prefix=$work/prefix home=$work/home out=$work/out
mkdir -p "$out"
fail() { echo "FAIL: $*"; exit 1; }

xvfb_pid='' program_pid=''
cleanup() {
  # Waited for: a server still going when the next test starts its own may answer in its place.
  [ -n "$program_pid" ] && { kill "$program_pid" 2>/dev/null; wait "$program_pid" 2>/dev/null; } || true
  [ -n "$xvfb_pid" ] && { kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; } || true
}
trap cleanup EXIT

# The installed tool lists the installed example, without the program running.
example=$prefix/share/doc/tidewell/examples/schedule.rws
listing=$("$prefix/bin/tidewell-cli" list "$example" --now "2026-12-07 12:00:00") ||
  fail "tidewell-cli could not list the installed example"
echo "$listing" >"$out/installed-example-list.txt"
for title in 'Stretch and drink water' 'Team meeting' 'Tea is ready'; do
  grep -q "^$title	" <<<"$listing" || fail "the example's task \"$title\" is not listed: $listing"
done

Xvfb -displayfd 3 -screen 0 1280x860x24 -nolisten tcp 3>"$work/display" >"$out/installed-xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
display=":$(head -1 "$work/display")"
for _ in $(seq 100); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo -display "$display" >/dev/null 2>&1 || { cat "$out/installed-xvfb.log"; fail "Xvfb does not answer on $display"; }

export DISPLAY=$display HOME=$home QT_QPA_PLATFORM=xcb LANG=C.UTF-8 SDL_AUDIODRIVER=dummy
export XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_RUNTIME_DIR=$home/run
export TIDEWELL_MACHINE_CONFIG_DIR=$home/machine DBUS_SESSION_BUS_ADDRESS=disabled:
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

program=$prefix/bin/tidewell
"$program" >"$out/installed-program.log" 2>&1 &
program_pid=$!

settle() { sleep 0.4; }
key() { xdotool key --clearmodifiers "$@"; settle; }
visible_windows() { xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null || true; }
give_focus() { xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"; settle; }
main_window=''
for _ in $(seq 100); do
  main_window=$(visible_windows | head -1)
  [ -n "$main_window" ] && break
  kill -0 "$program_pid" 2>/dev/null || { cat "$out/installed-program.log"; fail "the program ended"; }
  sleep 0.2
done
[ -n "$main_window" ] || fail "the main window did not open"
give_focus "$main_window"
import -display "$display" -window root "$out/installed-main-window.png"

# The first start turns scheduling on and writes the logon start entry.
entry=$XDG_CONFIG_HOME/autostart/tidewell.desktop
[ -f "$entry" ] || fail "no autostart entry was written"
grep -qx "Exec=$program autoload" "$entry" || fail "the autostart entry does not start $program: $(cat "$entry")"
desktop-file-validate "$entry" || fail "the autostart entry is not a valid desktop entry"

# A notice added through the wizard, its sound left as the wizard offers it.
key ctrl+a
dialog=''
for _ in $(seq 100); do
  dialog=$(visible_windows | grep -vx "$main_window" | tail -1)
  [ -n "$dialog" ] && break
  sleep 0.2
done
[ -n "$dialog" ] || fail "the wizard did not open"
give_focus "$dialog"
key Return
key alt+t
xdotool type --delay 20 'Installed notice'
settle
key alt+y Down Down # task type: show a notice message
key alt+o
xdotool type --delay 20 'Found its sound.'
settle
key alt+n # the sound page
key alt+m # music: the page offers the default sound of a notice
import -display "$display" -window root "$out/installed-sound-page.png"
key alt+n
key alt+t Home Down      # schedule type: Weekly
key alt+d Home Down Down # Wednesday
key alt+a                # add the entry
for _ in randomization waiting summary; do key alt+n; done
key alt+f
give_focus "$main_window"
import -display "$display" -window root "$out/installed-notice-added.png"

schedule="$home/Documents/Verimont User Data/Ostrel/schedule.rws"
for _ in $(seq 50); do grep -q 'Installed notice' "$schedule" 2>/dev/null && break; sleep 0.2; done
grep -q 'Installed notice' "$schedule" || fail "the notice was not added"
grep -aq "$prefix/share/tidewell/media/" "$schedule" ||
  fail "the notice did not get a default sound from $prefix/share/tidewell/media"
"$prefix/bin/tidewell-cli" list "$schedule" | grep -q '^Installed notice	' ||
  fail "tidewell-cli does not list the added notice"
echo "the installed programs run without the build tree; pictures in the output folder"
