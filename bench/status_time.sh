#!/usr/bin/env bash
# How long `tidewell-cli status` takes against the running program with 10,000 tasks: the program
# on Qt's offscreen platform with a temporary home and a private session bus, the tool run 20 times.
# Usage: bench/status_time.sh PROGRAM TOOL [TASKS]
set -euo pipefail
program=$1
tool=$2
tasks=${3:-10000}
app= bus=
home=$(mktemp -d)
trap 'kill $app $bus 2>/dev/null || true; rm -rf "$home"' EXIT
dbus-daemon --session --fork --print-address=3 --print-pid=4 3>"$home/address" 4>"$home/pid"
export DBUS_SESSION_BUS_ADDRESS=$(cat "$home/address")
bus=$(cat "$home/pid")
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share XDG_RUNTIME_DIR=$home/run
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
data="$home/Documents/Verimont User Data/Ostrel"
mkdir -p "$data"
# Complete sections (the example's daily task), so that loading shows no message.
/usr/bin/python3 - "$data/schedule.rws" "$tasks" "$(dirname "$0")/../examples/schedule.rws" <<'PY'
import re, sys
example = open(sys.argv[3], encoding="utf-8").read().replace("\r\n", "\n")
daily = re.search(r"\[Daily 1\]\n(.*?)\n\n", example, re.S).group(1)
out = [";Verimont Tidewell 2.5 configuration file", "", "[Info]", "Info = Tidewell Job List", ""]
for n in range(1, int(sys.argv[2]) + 1):
    out += [f"[Daily {n}]", daily.replace("Title = Stretch and drink water", f"Title = Task {n}"), ""]
open(sys.argv[1], "w", newline="\r\n").write("\n".join(out))
PY
"$program" autoload >"${STATUS_LOG:-/dev/null}" 2>&1 &
app=$!
for _ in $(seq 1 120); do "$tool" status >/dev/null 2>&1 && break; sleep 0.5; done
"$tool" status
start=$(date +%s%N)
for _ in $(seq 1 20); do "$tool" status >/dev/null; done
end=$(date +%s%N)
echo "status: $(( (end - start) / 20000000 )) ms per call over 20 calls, $tasks tasks"
