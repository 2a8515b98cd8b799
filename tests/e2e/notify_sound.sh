#!/usr/bin/env bash
# What the ringing program really plays: a private sound server with a null sink, the alarm's own tone
# recorded from the sink's monitor. The tone must go on past three of its lengths (the loop restarts it)
# and stop with OK.
#
# This scenario runs on the real clock: under libfaketime, Qt 6.4's FFmpeg back end races through a file
# and reports it ended at once. The alarm is set to the current minute, which rings as the program starts.
# Usage: notify_sound.sh WAKERY DEFAULT_WAV
source "$(dirname "$0")/notify_lib.sh"
e2e_setup "$1" "$2"

e2e_start_pulse

# A 1.8 s sweep from 400 Hz up to 1600 Hz: the window restarts it as its position reaches 1.5 s, so each
# pass climbs past 1300 Hz and drops back to 400 Hz; a restart at every 40 ms tick would stay low.
tone_length=1.8
sox -n -r 44100 -c 1 -b 16 "$E2E_DIR/tone.wav" synth "$tone_length" sine 400-1600 vol 0.5
# Far enough from the minute's end that the start-up check still finds the alarm due.
while (($(date +%-S) >= 45)); do
    sleep 0.5
done
e2e_write_alarm "$(date +%H:%M)" "$E2E_DIR/tone.wav"

parecord --device=wakery_sink.monitor --file-format=wav --rate=44100 --channels=1 "$E2E_DIR/rec.wav" &
recorder=$!
E2E_PIDS+=("$recorder")

e2e_start_program real
id=$(e2e_wait_window 10) || e2e_fail "no Alarm! window for the current minute"
seen=$(e2e_now)
# Long enough for the back end to start and for three lengths of the tone and more.
sleep 8.5
ok_time=$(e2e_now)
xdotool windowactivate --sync "$id" 2>/dev/null || true
e2e_key Return
e2e_wait_gone 3
sleep 2
kill -INT "$recorder"
wait "$recorder" 2>/dev/null || true

# The recorder's clock starts a little after it is launched, so the check reads times from the recording
# alone: where the tone begins, that it goes on without a gap through more than three passes, each
# climbing high, and that it ends (OK was pressed 8.5 s after the window came) with silence after it.
python3 - "$E2E_DIR/rec.wav" "$tone_length" "$(e2e_calc "$ok_time - $seen")" <<'PY'
import array, math, sys, wave

path, length, ok_after = sys.argv[1], float(sys.argv[2]), float(sys.argv[3])
with wave.open(path) as rec:
    rate = rec.getframerate()
    samples = array.array("h", rec.readframes(rec.getnframes()))
step = rate // 20  # 50 ms windows
count = len(samples) // step

def measure(i):
    part = samples[i * step:(i + 1) * step]
    rms = math.sqrt(sum(s * s for s in part) / len(part)) / 32768
    crossings = sum(1 for a, b in zip(part, part[1:]) if (a < 0) != (b < 0))
    return rms, crossings * 20 / 2  # two crossings per period

windows = [measure(i) for i in range(count)]
loud = [i for i, (rms, _) in enumerate(windows) if rms > 0.02]
if not loud:
    sys.exit("FAIL: the recording never carries the tone")
first, last = loud[0], loud[-1]
played = (last - first + 1) * 0.05
print(f"tone heard for {played:.2f} s (OK came {ok_after:.2f} s after the window); "
      f"{(count - 1 - last) * 0.05:.2f} s of recording after it")
if played < 3 * length + 0.5:
    sys.exit(f"FAIL: the tone stopped after {played:.2f} s, before three of its lengths and OK")
# Inner windows only: the first and last may be cut by the start and the stop.
inner = range(first + 1, last)
gaps = [round((i - first) * 0.05, 2) for i in inner if windows[i][0] < 0.02]
if gaps:
    sys.exit(f"FAIL: gaps in the looping tone at {gaps[:10]} s after its start")
freqs = [windows[i][1] for i in inner]
# A restart: the sweep back near its start right after it was high (a window may straddle the jump).
restarts = sum(1 for i in range(1, len(freqs))
               if freqs[i] < 500 <= freqs[i - 1] and max(freqs[max(0, i - 3):i]) > 1100)
peaks = [f for f in freqs if f > 1250]
print(f"{restarts} restarts, highest {max(freqs):.0f} Hz")
if restarts < 3 or not peaks or restarts > played / 1.2:
    sys.exit("FAIL: the sweep did not loop pass by pass")
if played > ok_after + 0.5:
    sys.exit("FAIL: the tone went on after OK")
# The window the stop cut through and the next may still carry its last samples.
tail = windows[last + 3:]
noisy = [round((i + 3) * 0.05, 2) for i, (rms, _) in enumerate(tail) if rms > 0.002]
if len(tail) < 20 or noisy:
    sys.exit(f"FAIL: no silence after OK: sound at {noisy[:10]} s after the tone's end")
print("the sweep looped until OK, silent afterwards")
PY
echo "PASS"
