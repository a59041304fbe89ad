#!/usr/bin/env bash
# Idle cost of the windowed program: started hidden (as at logon) with 100 tasks under Xvfb and a
# temporary home, the share of one core it uses over a minute. With "shown" the window is open
# (maximized, its list drawn) the whole time.
# Usage: bench/idle_cpu.sh PROGRAM [SECONDS] [shown]
set -euo pipefail
program=$1
seconds=${2:-60}
start=autoload
[ "${3:-}" = shown ] && start=
home=$(mktemp -d)
trap 'kill $app $xvfb 2>/dev/null || true; rm -rf "$home"' EXIT
# A free display of its own: several runs may share the machine.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$home/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$home/display" ] && break; sleep 0.1; done
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share XDG_RUNTIME_DIR=$home/run
export DISPLAY=":$(head -1 "$home/display")" SDL_AUDIODRIVER=dummy DBUS_SESSION_BUS_ADDRESS=disabled:
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
data="$home/Documents/Verimont User Data/Ostrel"
mkdir -p "$data"
/usr/bin/python3 - "$data/schedule.rws" <<'PY'
import sys
out = [";Verimont Tidewell 2.5 configuration file", "", "[Info]", "Info = Tidewell Job List", ""]
for n in range(1, 101):
    out += [f"[Daily {n}]", f"Title = Task {n}", "TI TaskType = 2", "TI Notice Msg = hello", "Enabled = true",
            "SchI Starting Time = 2000-01-01 00:00:00", "SchI Have Ending Time = false", "SchI Daily = {{Block}}", "<B Start>",
            f"{n % 24:02d}:{(7 * n) % 60:02d}:00", "<B End>", ""]
open(sys.argv[1], "w", newline="\r\n").write("\n".join(out))
PY
"$program" $start >/dev/null 2>&1 &
app=$!
sleep 5  # start-up is not idle time
# Nanoseconds on a CPU of all its threads: clock ticks (10 ms) are too coarse for an idle program.
cpu_ns() { cat /proc/$app/task/*/schedstat | awk '{ sum += $1 } END { printf "%d", sum }'; }
kill -0 $app  # it must still run
before=$(cpu_ns)
sleep "$seconds"
kill -0 $app
after=$(cpu_ns)
awk -v ns=$((after - before)) -v s="$seconds" \
    'BEGIN { printf "idle: %.1f ms of CPU in %d s = %.4f %% of one core\n", ns / 1e6, s, 100 * ns / 1e9 / s }'
