"""A due alarm in the real program: it rings within a second of its minute by the wall clock (moved by
faketime), OK and Snooze answer the keyboard, and the sound the sound server receives loops until OK."""
import array
import math
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
from harness import Failure, check  # noqa: E402


def one_alarm(s, at, sound=""):
    """One switched-on alarm on today's weekday (digit 1 = Sunday .. 7 = Saturday)."""
    day = (time.localtime().tm_wday + 1) % 7 + 1
    s.write_data(f"[Alarm]\r\nCount=1\r\n[Alarm1]\r\nState=1\r\nType={day}\r\nTime={at}\r\nMemo=Wake up\r\nSound={sound}\r\n")


def rings_on_time(s, hhmmss, timeout=10.0):
    window = s.wait_window("Alarm!", timeout)
    late = s.seconds_after(hhmmss)
    check(0 <= late < 1, f"the Alarm! window came {late:.2f} s after {hhmmss}")
    return window


def expect_no_ring(s, seconds):
    try:
        s.wait_window("Alarm!", seconds)
    except Failure:
        return
    raise Failure("an Alarm! window at fake %s" % time.strftime("%T", time.localtime(s.fake_now())))


def ok(s):
    one_alarm(s, "7:00:00 AM")
    s.set_clock("06:59:54")
    program = s.program(faketime=True)
    s.keys(rings_on_time(s, "07:00:00"), "Return")
    s.wait("the Alarm! window to close", lambda: not s.windows("Alarm!"))
    # Later in the same minute it must not come back, whatever checks run (one every 5 s).
    s.set_clock("07:00:40")
    expect_no_ring(s, 7)
    check(program.poll() is None, "OK closes it for the minute, the program runs on")


def snooze(s):
    one_alarm(s, "7:00:00 AM")
    s.set_clock("06:59:58")
    s.program(faketime=True)
    # OK has the focus; Tab moves it to Snooze, whose Return snoozes for the box's default 00:05.
    s.keys(s.wait_window("Alarm!"), "Tab", "Return")
    s.wait("the Alarm! window to close", lambda: not s.windows("Alarm!"))
    s.set_clock("07:04:56")
    expect_no_ring(s, 2.5)
    rings_on_time(s, "07:05:00", 8)


class Recording:
    """The sink's monitor as 50 ms windows of (loudness, frequency from zero crossings)."""
    def __init__(self, s):
        self.file = s.path("rec.raw")
        with open(self.file, "wb") as raw:
            s.start(["parec", "--device=wakery_sink.monitor", "--format=s16le", "--rate=44100", "--channels=1",
                     "--latency-msec=50"], stdout=raw)
        self.windows = []

    def read(self):
        with open(self.file, "rb") as raw:
            data = raw.read()
        for at in range(len(self.windows), len(data) // 4410):
            part = array.array("h", data[at * 4410:(at + 1) * 4410])
            crossings = sum(1 for a, b in zip(part, part[1:]) if (a < 0) != (b < 0))
            self.windows.append((math.sqrt(sum(x * x for x in part) / len(part)) / 32768, crossings * 10))
        return self.windows

    def loud(self):
        return [at for at, (rms, _) in enumerate(self.read()) if rms > 0.02]

    def restarts(self):
        """Passes of the sweep: a window back near its start right after it was high."""
        freqs = [f for _, f in self.read()]
        return sum(1 for at in range(4, len(freqs)) if freqs[at] < 500 and max(freqs[at - 4:at]) > 1100)


def sound(s):
    # The real clock: under libfaketime Qt 6.4's FFmpeg back end races through a file and reports it ended
    # at once. The alarm is the current minute, which rings at the start if the minute is not nearly over.
    # A 1.8 s sweep from 400 Hz to 1600 Hz: the window restarts it as it reaches 1.5 s, so each pass
    # climbs past 1300 Hz and drops back; a restart at every 40 ms tick would stay low.
    s.pulse()
    subprocess.run(["sox", "-n", "-r", "44100", "-c", "1", "-b", "16", s.path("tone.wav"), "synth", "1.8", "sine",
                    "400-1600", "vol", "0.5"], check=True)
    recording = Recording(s)
    s.wait("a time well inside the minute", lambda: time.localtime().tm_sec < 45, 20, 0.2)
    one_alarm(s, time.strftime("%H:%M"), s.path("tone.wav"))
    s.program()
    window = s.wait_window("Alarm!")
    s.wait("three passes of the looping tone", lambda: recording.restarts() >= 3, 20, 0.5)
    s.keys(window, "Return")
    s.wait("the Alarm! window to close", lambda: not s.windows("Alarm!"))
    # Sound stops with OK: two seconds of silence after the tone, however late the recorder writes.
    s.wait("silence after OK", lambda: len(recording.read()) - recording.loud()[-1] > 40, 10, 0.5)
    loud = recording.loud()
    gaps = [at for at in range(loud[0], loud[-1]) if at not in loud]
    check(not gaps, f"the tone looped {recording.restarts()} times without a gap ({gaps[:5]}) and stopped with OK")


harness.main(globals())
