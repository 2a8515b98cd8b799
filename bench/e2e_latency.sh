#!/usr/bin/env bash
# Speed and weight of the real program under Xvfb, for docs/performance.md:
#  - how long after the start of the due minute the alarm check runs (its Data.ini test, seen by strace)
#    and the "Alarm!" window is mapped (MapNotify on the root window, seen by xev), median of RUNS runs;
#  - wake-ups (context switches of all threads) and on-CPU time of the idle program over IDLE_SECONDS;
#  - resident memory before any alarm rang and after one ring was closed with OK.
# The wall clock is moved with libfaketime; Qt's timers run on the real monotonic clock.
# Usage: bench/e2e_latency.sh [BUILD_DIR]      (RUNS=5 IDLE_SECONDS=60 by default)
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tests/e2e/notify_lib.sh"
build=${1:-$root/build}
runs=${RUNS:-5}
idle_seconds=${IDLE_SECONDS:-60}
command -v strace >/dev/null || e2e_fail "strace is needed (apt-get install strace)"

e2e_setup "$build/bin/wakery" "$build/bin/default.wav"
e2e_start_pulse

# stamped COMMAND...: runs the command and prints each line of its output prefixed by the real time it
# arrived; ends the command when it is itself ended.
stamped() {
    python3 -u -c '
import signal, subprocess, sys, time
child = subprocess.Popen(sys.argv[1:], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
def end(*_):
    child.terminate()
    sys.exit(0)
signal.signal(signal.SIGTERM, end)
for line in child.stdout:
    print(f"{time.time():.6f} {line}", end="", flush=True)
' "$@"
}

median() {
    sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

stop_program() {
    kill "$E2E_PROGRAM" 2>/dev/null || true
    wait "$E2E_PROGRAM" 2>/dev/null || true
}

# ring_once MODE: one alarm at 07:00, the program started at 06:59:56; MODE "map" records the window's
# MapNotify, "check" the program's stat calls. Prints the latency in milliseconds.
ring_once() {
    local mode=$1 log="$E2E_DIR/$1.log" helper id minute_real
    e2e_write_alarm "7:00:00 AM"
    e2e_set_offset "$(e2e_offset_to 06:59:56)"
    : >"$log"
    e2e_start_program
    sleep 1.5 # start-up done, well before the minute
    if [[ $mode == map ]]; then
        stamped stdbuf -oL xev -root -event substructure >"$log" &
    else
        strace -f -ttt -e trace=%file -p "$E2E_PROGRAM" -o "$log" 2>/dev/null &
    fi
    helper=$!
    id=$(e2e_wait_window 10) || e2e_fail "no Alarm! window"
    minute_real=$(e2e_calc "$(date -d "today 07:00:00" +%s) - $E2E_OFFSET")
    sleep 0.3
    kill "$helper" 2>/dev/null || true
    wait "$helper" 2>/dev/null || true
    stop_program
    if [[ $mode == map ]]; then
        awk -v id="$(printf '0x%x' "$id")" -v m="$minute_real" \
            '/MapNotify/ { f = 1; t = $1; next } f && $0 ~ "window " id "," { printf "%.1f\n", (t - m) * 1000; exit } { f = 0 }' "$log"
    else
        awk -v m="$minute_real" '/Data\.ini/ { t = $2; if (t >= m - 0.5) { printf "%.1f\n", (t - m) * 1000; exit } }' "$log"
    fi
}

echo "== window mapped after the minute start (ms), $runs runs"
maps=()
for _ in $(seq "$runs"); do
    maps+=("$(ring_once map)")
done
echo "runs: ${maps[*]}   median: $(printf '%s\n' "${maps[@]}" | median)"

echo "== alarm check (Data.ini test) after the minute start (ms), $runs runs, under strace"
checks=()
for _ in $(seq "$runs"); do
    checks+=("$(ring_once check)")
done
echo "runs: ${checks[*]}   median: $(printf '%s\n' "${checks[@]}" | median)"

# Sums over all threads: context switches, on-CPU nanoseconds (schedstat), and the thread count.
sample() {
    local pid=$1 switches=0 cpu=0 threads=0 task v n
    for task in /proc/"$pid"/task/*; do
        v=$(awk '/^voluntary_ctxt_switches|^nonvoluntary_ctxt_switches/ { s += $2 } END { print s }' "$task/status")
        n=$(awk '{ print $1 }' "$task/schedstat")
        switches=$((switches + v))
        cpu=$((cpu + n))
        threads=$((threads + 1))
    done
    echo "$switches $cpu $threads"
}

rss() {
    awk '/^VmRSS/ { printf "%.1f MB", $2 / 1024 }' "/proc/$1/status"
}

idle() {
    local pid=$1 seconds=$2 a b
    read -r -a a <<<"$(sample "$pid")"
    sleep "$seconds"
    read -r -a b <<<"$(sample "$pid")"
    awk -v s="$seconds" -v w=$((b[0] - a[0])) -v c=$((b[1] - a[1])) -v t="${b[2]}" 'BEGIN {
        printf "%d wake-ups in %d s = %.3f/s; on-CPU %.2f ms = %.4f %% of a core; %d threads\n",
               w, s, w / s, c / 1e6, c / 1e7 / s, t }'
}

echo "== idle program, no alarm rung yet"
e2e_write_alarm "7:00:00 AM"
e2e_set_offset "$(e2e_offset_to 06:58:00)"
e2e_start_program
sleep 5
echo "resident before any ring: $(rss "$E2E_PROGRAM")"
idle "$E2E_PROGRAM" "$idle_seconds"

echo "== one ring, closed with OK"
e2e_set_offset "$(e2e_offset_to 06:59:57)"
id=$(e2e_wait_window 15) || e2e_fail "no Alarm! window"
sleep 3
xdotool windowactivate --sync "$id" 2>/dev/null || true
e2e_key Return
e2e_wait_gone 3
sleep 3
echo "resident after one ring: $(rss "$E2E_PROGRAM")"
echo "== idle again after the ring"
idle "$E2E_PROGRAM" "$((idle_seconds / 2))"
stop_program
