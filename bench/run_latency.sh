#!/usr/bin/env bash
# How soon the running program starts its due programs. The windowed program runs hidden under
# Xvfb with a temporary home; its tasks run a small program that writes CLOCK_REALTIME first
# thing, so a start's latency is how far into its due second the stamp falls.
#   - one task every second: the single runs, and how many of each minute's 60 it makes;
#   - 20 tasks due together every PERIOD seconds (60 by default): the last of them in each of
#     those seconds.
# BUSY=1 keeps every core busy meanwhile; OTHERS=N adds N tasks that are not due, so that each
# pass's save before its runs is that of a large list.
# Usage: bench/run_latency.sh BUILD_DIR [SECONDS]
set -euo pipefail
build=$(cd "$1" && pwd)
seconds=${2:-130}
home=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; rm -rf "$home"' EXIT
Xvfb :124 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share XDG_RUNTIME_DIR=$home/run
export DISPLAY=:124 SDL_AUDIODRIVER=dummy DBUS_SESSION_BUS_ADDRESS=disabled: TIDEWELL_MACHINE_CONFIG_DIR=$home/machine
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
data="$home/Documents/Verimont User Data/Ostrel"
mkdir -p "$data"
schedule="$data/schedule.rws"
log=$home/stamps

cc -O2 -x c -o "$home/stamp" - <<'C'
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <time.h>
#include <unistd.h>
int main(int argc, char** argv) {
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    if (argc < 3) return 2;
    char line[256];
    int n = snprintf(line, sizeof line, "%lld.%09ld %s\n", (long long)now.tv_sec, now.tv_nsec, argv[2]);
    int fd = open(argv[1], O_WRONLY | O_CREAT | O_APPEND, 0600);
    return fd < 0 || write(fd, line, (size_t)n) != n;
}
C

if [ "${OTHERS:-0}" -gt 0 ]; then
  /usr/bin/python3 - "$schedule" "$OTHERS" <<'PY'
import sys
out = [";Verimont Tidewell 2.5 configuration file", "", "[Info]", "Info = Tidewell Job List", ""]
for n in range(1, int(sys.argv[2]) + 1):
    out += [f"[Daily {n}]", f"Title = Task {n}", "TI TaskType = 2", "TI Notice Msg = hello", "Enabled = true",
            "SchI Starting Time = 2000-01-01 00:00:00", "SchI Daily = {{Block}}", "<B Start>",
            f"{n % 24:02d}:{(7 * n) % 60:02d}:00", "<B End>", ""]
open(sys.argv[1], "w", newline="\r\n").write("\n".join(out))
PY
fi
# The first minute boundary at least 15 s away: start-up is over by then.
first=$(( ($(date +%s) + 75) / 60 * 60 ))
start=$(date -d "@$first" '+%Y-%m-%d %H:%M:%S')
cli() { "$build/tidewell-cli" add --file "$schedule" "$@" >/dev/null; }
cli --title "every second" --every 1s --start "$start" --run "$home/stamp" --args "$log single"
for n in $(seq 20); do
  cli --title "together $n" --every "${PERIOD:-60}s" --start "$start" --run "$home/stamp" --args "$log together"
done

"$build/src/app/tidewell" autoload >"$home/program.log" 2>&1 &
pids+=($!)
if [ "${BUSY:-0}" = 1 ]; then
  for _ in $(seq "$(nproc)"); do
    sh -c 'while :; do :; done' &
    pids+=($!)
  done
fi
sleep $(( first - $(date +%s) + seconds ))

/usr/bin/python3 - "$log" "$first" "${PERIOD:-60}" <<'PY'
import collections, sys
stamps = collections.defaultdict(list)
for line in open(sys.argv[1]):
    stamp, kind = line.split()
    stamps[kind].append(float(stamp))
first, period = int(sys.argv[2]), int(sys.argv[3])
# The 20 are due every period from the first: a late one still counts from its due second.
together = collections.defaultdict(list)
for s in stamps["together"]:
    due = first + int(s - first) // period * period
    together[due].append((s - due) * 1000)
single = [(s - int(s)) * 1000 for s in stamps["single"] if int(s) not in together]
def figures(ms):
    ms = sorted(ms)
    return f"median {ms[len(ms) // 2]:.1f} ms, p90 {ms[len(ms) * 9 // 10]:.1f} ms, max {ms[-1]:.1f} ms"
print(f"single runs ({len(single)}): {figures(single)}")
lasts = [max(v) for v in together.values()]
print(f"last of 20 due together ({len(lasts)} seconds, {sum(map(len, together.values()))} runs): {figures(lasts)}")
seconds = {int(s) for s in stamps["single"]}
minute = range(first, first + 60)
twice = len(stamps["single"]) - len(seconds)
print(f"every-second task, first minute: {sum(1 for s in minute if s in seconds)} of 60 runs; "
      f"{twice} second(s) with two runs (a late one)")
PY
