#!/usr/bin/env bash
# Idle cost of the windowed program: started hidden (as at logon) with 100 tasks under Xvfb and a
# temporary home, the share of one core it uses over a minute.
# Usage: bench/idle_cpu.sh PROGRAM [SECONDS]
set -euo pipefail
program=$1
seconds=${2:-60}
home=$(mktemp -d)
trap 'kill $app $xvfb 2>/dev/null || true; rm -rf "$home"' EXIT
Xvfb :123 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share XDG_RUNTIME_DIR=$home/run
export DISPLAY=:123 SDL_AUDIODRIVER=dummy DBUS_SESSION_BUS_ADDRESS=disabled:
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
data="$home/Documents/Verimont User Data/Ostrel"
mkdir -p "$data"
/usr/bin/python3 - "$data/schedule.rws" <<'PY'
import sys
out = [";Verimont Tidewell 2.5 configuration file", "", "[Info]", "Info = Tidewell Job List", ""]
for n in range(1, 101):
    out += [f"[Daily {n}]", f"Title = Task {n}", "TI TaskType = 2", "TI Notice Msg = hello", "Enabled = true",
            "SchI Starting Time = 2000-01-01 00:00:00", "SchI Daily = {{Block}}", "<B Start>",
            f"{n % 24:02d}:{(7 * n) % 60:02d}:00", "<B End>", ""]
open(sys.argv[1], "w", newline="\r\n").write("\n".join(out))
PY
"$program" autoload >/dev/null 2>&1 &
app=$!
sleep 5  # start-up is not idle time
ticks() { awk '{print $14 + $15}' "/proc/$app/stat"; }
before=$(ticks)
sleep "$seconds"
after=$(ticks)
hz=$(getconf CLK_TCK)
awk -v t=$((after - before)) -v hz="$hz" -v s="$seconds" \
    'BEGIN { printf "idle: %d ticks in %d s = %.3f %% of one core\n", t, s, 100 * t / hz / s }'
