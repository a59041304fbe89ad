#!/usr/bin/env bash
# The real program under Xvfb with a temporary home: it starts, shows its window, and runs the
# tasks that fall due a few seconds later (their run lines in the event log, the program's file).
# Usage: run_task_test.sh PROGRAM OUTPUT_FOLDER
set -euo pipefail
program=$1
output=$2
command -v Xvfb >/dev/null || { echo "Xvfb is not installed"; exit 77; }

home=$(mktemp -d)
display=""
cleanup() {
    # Waited for: a server still going when the next test starts its own may answer in its place.
    [ -n "${app:-}" ] && { kill "$app" 2>/dev/null; wait "$app" 2>/dev/null; } || true
    [ -n "${xvfb:-}" ] && { kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; } || true
    rm -rf "$home"
}
trap cleanup EXIT

# A free display number of our own.
for number in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] || { display=":$number"; break; }
done
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done

export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share
export XDG_RUNTIME_DIR=$home/run XDG_DOCUMENTS_DIR=$home/Documents
export DISPLAY=$display SDL_AUDIODRIVER=dummy DBUS_SESSION_BUS_ADDRESS=disabled: LANG=C.UTF-8
unset QT_QPA_PLATFORM
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
data="$home/Documents/Verimont User Data/Ostrel"
mkdir -p "$data"
/usr/bin/python3 "$(dirname "$0")/make_schedule.py" "$data/schedule.rws" 6 "$home/touched"

"$program" >"$output/e2e-program.log" 2>&1 &
app=$!
log="$XDG_DATA_HOME/Verimont/Tidewell/log/schdlog.txt"
for _ in $(seq 300); do
    [ -f "$home/touched" ] && [ "$(grep -c 'Run task' "$log" 2>/dev/null)" = 2 ] && break
    kill -0 "$app" 2>/dev/null || { echo "the program ended early"; cat "$output/e2e-program.log"; exit 1; }
    sleep 0.1
done
import -display "$display" -window root "$output/e2e-window.png" 2>/dev/null || true
grep -q 'Run task "Tea is ready"' "$log" || { echo "the notice did not run"; exit 1; }
grep -q 'Run task "Touch a file"' "$log" || { echo "the program task did not run"; exit 1; }
[ -f "$home/touched" ] || { echo "the program did not start"; exit 1; }
# The run is recorded in the schedule file (the Last Run column).
grep -q 'SchI Have Last Run Time = true' "$data/schedule.rws" || { echo "no last run saved"; exit 1; }
echo "both tasks ran; screenshot in $output/e2e-window.png"
