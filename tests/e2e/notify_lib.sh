# Shared pieces of the notification scenarios: a private X display, the program copied into a folder of
# its own with a Data.ini beside it, started under a fake wall clock that the scenario can move.
# Sourced by the scenario scripts; every helper fails loudly with a message.

set -euo pipefail

E2E_PIDS=()
E2E_DIR=""

e2e_fail() {
    echo "FAIL: $*" >&2
    if [[ -n "$E2E_DIR" && -s "$E2E_DIR/wakery.log" ]]; then
        echo "--- the program's output:" >&2
        grep -v 'listing codecs' "$E2E_DIR/wakery.log" | tail -n 20 >&2
    fi
    exit 1
}

e2e_cleanup() {
    local pid
    for pid in "${E2E_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${E2E_PIDS[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    [[ -n "$E2E_DIR" && -d "$E2E_DIR" && -z "${E2E_KEEP:-}" ]] && rm -rf "$E2E_DIR"
}

# e2e_setup BINARY DEFAULT_WAV: a temp folder with a copy of the program, its media player module and
# its sound, a private runtime folder and an X server on a free display.
e2e_setup() {
    local binary=$1 wav=$2
    E2E_DIR=$(mktemp -d /tmp/wakery-e2e.XXXXXX)
    trap e2e_cleanup EXIT
    mkdir -p "$E2E_DIR/app" "$E2E_DIR/run"
    chmod 700 "$E2E_DIR/run"
    cp "$binary" "$E2E_DIR/app/wakery"
    cp "$(dirname "$binary")/wakery_sound.so" "$E2E_DIR/app/"
    cp "$wav" "$E2E_DIR/app/default.wav"
    export XDG_RUNTIME_DIR="$E2E_DIR/run"
    export HOME="$E2E_DIR"
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM SESSION_MANAGER
    # No session bus: without an address, the D-Bus library would start a stray daemon of its own.
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$E2E_DIR/no-session-bus"
    local fifo="$E2E_DIR/display"
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" 2>"$E2E_DIR/xvfb.log" &
    E2E_PIDS+=($!)
    local number
    read -r -t 10 number <"$fifo" || e2e_fail "Xvfb did not start: $(cat "$E2E_DIR/xvfb.log")"
    export DISPLAY=":$number"
}

# e2e_calc EXPR: the value of an arithmetic expression with fractions; e2e_true EXPR: its truth.
e2e_calc() {
    awk "BEGIN { printf \"%.6f\", $1 }"
}
e2e_true() {
    awk "BEGIN { exit !($1) }"
}

# Seconds since the epoch, with fractions, by the real clock.
e2e_now() {
    date +%s.%N
}

# e2e_weekday_digit EPOCH: the program's weekday digit of that local date (1 = Sunday .. 7 = Saturday).
e2e_weekday_digit() {
    echo $(($(date -d "@$1" +%u) % 7 + 1))
}

# e2e_offset_to HH:MM:SS: the fake-clock offset (whole seconds) that makes the wall clock show that time
# today, now.
e2e_offset_to() {
    local target now
    target=$(date -d "today $1" +%s)
    now=$(date +%s)
    echo $((target - now))
}

# e2e_set_offset SECONDS: moves the running program's wall clock (read again within a second).
e2e_set_offset() {
    local offset=$1
    if ((offset >= 0)); then
        echo "+$offset" >"$E2E_DIR/faketime"
    else
        echo "$offset" >"$E2E_DIR/faketime"
    fi
    E2E_OFFSET=$offset
}

# The fake wall clock's current time, seconds since the epoch with fractions.
e2e_fake_now() {
    e2e_calc "$(e2e_now) + $E2E_OFFSET"
}

# e2e_start_program [real]: starts the copied program under the fake clock set by e2e_set_offset, or
# on the real clock. Only the wall clock is faked: Qt's timers keep running on the real monotonic clock.
e2e_start_program() {
    if [[ "${1:-}" == real ]]; then
        "$E2E_DIR/app/wakery" >"$E2E_DIR/wakery.log" 2>&1 &
        E2E_PROGRAM=$!
        E2E_PIDS+=("$E2E_PROGRAM")
        return
    fi
    local lib
    lib=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n 1)
    [[ -n "$lib" ]] || e2e_fail "libfaketime is not installed"
    LD_PRELOAD="$lib" FAKETIME_TIMESTAMP_FILE="$E2E_DIR/faketime" FAKETIME_CACHE_DURATION=1 \
        FAKETIME_DONT_FAKE_MONOTONIC=1 "$E2E_DIR/app/wakery" >"$E2E_DIR/wakery.log" 2>&1 &
    E2E_PROGRAM=$!
    E2E_PIDS+=("$E2E_PROGRAM")
}

# e2e_alarm_window: the id of the visible "Alarm!" window, or nothing.
e2e_alarm_window() {
    xdotool search --onlyvisible --name '^Alarm!$' 2>/dev/null | head -n 1 || true
}

# e2e_wait_window SECONDS: waits (real time) for the "Alarm!" window; prints its id, or fails.
e2e_wait_window() {
    local deadline id
    deadline=$(e2e_calc "$(e2e_now) + $1")
    while e2e_true "$(e2e_now) < $deadline"; do
        id=$(e2e_alarm_window)
        if [[ -n "$id" ]]; then
            echo "$id"
            return 0
        fi
        kill -0 "$E2E_PROGRAM" 2>/dev/null || e2e_fail "the program ended: $(cat "$E2E_DIR/wakery.log")"
        sleep 0.02
    done
    return 1
}

# e2e_wait_gone SECONDS: waits for the "Alarm!" window to close, or fails.
e2e_wait_gone() {
    local deadline
    deadline=$(e2e_calc "$(e2e_now) + $1")
    while e2e_true "$(e2e_now) < $deadline"; do
        [[ -z "$(e2e_alarm_window)" ]] && return 0
        sleep 0.02
    done
    e2e_fail "the Alarm! window did not close"
}

# e2e_expect_no_window SECONDS: the window must not appear for that long.
e2e_expect_no_window() {
    if id=$(e2e_wait_window "$1"); then
        e2e_fail "an Alarm! window ($id) appeared at fake $(date -d "@$(e2e_fake_now)" +%T.%N)"
    fi
}

# e2e_write_alarm TIME SOUND: a Data.ini with one switched-on alarm at TIME on today's weekday.
e2e_write_alarm() {
    local digit
    digit=$(e2e_weekday_digit "$(date +%s)")
    printf '[Alarm]\r\nCount=1\r\n[Alarm1]\r\nState=1\r\nType=%s\r\nTime=%s\r\nMemo=Wake up\r\nSound=%s\r\n' \
        "$digit" "$1" "${2:-}" >"$E2E_DIR/app/Data.ini"
}

# e2e_key KEYS...: key presses to the window that has the focus.
e2e_key() {
    xdotool key --clearmodifiers "$@"
}

# e2e_start_pulse: a private sound server with one null sink, wakery_sink, whose monitor can be recorded;
# PULSE_SERVER points the program at it.
e2e_start_pulse() {
    local pulse="$E2E_DIR/pulse"
    mkdir -p "$pulse"
    cat >"$pulse/default.pa" <<PA
load-module module-null-sink sink_name=wakery_sink rate=44100 channels=2
set-default-sink wakery_sink
load-module module-native-protocol-unix auth-anonymous=1 socket=$pulse/native
PA
    pulseaudio --daemonize=no --exit-idle-time=-1 -n --use-pid-file=no --disallow-exit \
        -F "$pulse/default.pa" >"$pulse/log" 2>&1 &
    E2E_PIDS+=($!)
    export PULSE_SERVER="unix:$pulse/native"
    local _
    for _ in $(seq 100); do
        pactl info >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    e2e_fail "the sound server did not start: $(cat "$pulse/log")"
}
