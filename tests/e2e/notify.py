"""A due alarm in the real program: it rings within a second of its minute by the (faked) wall clock, OK and
Snooze answer the keyboard, and what the sound server receives loops until OK."""
import array, math, time  # noqa: E401
from harness import check, main
from services import Service, resume


def rings_at(s, hhmmss, timeout=10.0):
    s.wait_window("Alarm!", timeout)
    late = s.fake_now() - s.today(hhmmss)
    check(0 <= late < 1, f"the Alarm! window came {late:.2f} s after {hhmmss}")


def answer(s, *keys):
    s.keys(s.wait_window("Alarm!"), *keys)
    s.wait("the Alarm! window to close", lambda: not s.windows("Alarm!"))


def ok(s):
    s.alarm("7:00:00 AM", "Wake up")
    s.set_clock("06:59:54")
    program = s.program(faketime=True)
    rings_at(s, "07:00:00")
    answer(s, "Return")
    s.set_clock("07:00:40")  # later in the same minute it must not come back, whatever checks run
    check(s.no_window("Alarm!", 7) and program.poll() is None, "OK ends it for the minute, the program runs on")


def snooze(s):
    s.alarm("7:00:00 AM", "Wake up")
    s.set_clock("06:59:58")
    logind = Service(s.bus(system=True), "org.freedesktop.login1")
    s.program(faketime=True, env={"FAKETIME_NO_CACHE": "1"})
    answer(s, "Tab", "Return")  # OK has the focus; Tab moves it to Snooze, with the default 00:05 in its box
    s.set_clock("07:04:56")
    resume(logind)
    s.no_window("Alarm!", 2.5)
    rings_at(s, "07:05:00", 8)


def sound(s):
    # On the real clock: under libfaketime Qt 6.4's FFmpeg back end races through a file and reports it
    # ended at once. A 1.8 s sweep from 400 Hz up to 1600 Hz, which the window restarts as it reaches 1.5 s:
    # each pass climbs past 1300 Hz and drops back; a restart at every 40 ms tick would stay low.
    s.pulse()
    s.run("sox", "-n", "-r", "44100", "-c", "1", "-b", "16", s.path("tone.wav"), "synth", "1.8", "sine", "400-1600", "vol", "0.5")
    with open(s.path("rec.raw"), "wb") as raw:
        s.start("parec -d wakery_sink.monitor --format=s16le --rate=44100 --channels=1 --latency-msec=50".split(), stdout=raw)
    heard = []  # per 50 ms of the recording: loud or not, and the frequency from the zero crossings

    def listen():
        with open(s.path("rec.raw"), "rb") as raw:
            data = raw.read()
        for at in range(len(heard), len(data) // 4410):
            part = array.array("h", data[at * 4410:(at + 1) * 4410])
            rms = math.sqrt(sum(x * x for x in part) / len(part)) / 32768
            heard.append((rms > 0.02, 10 * sum(1 for a, b in zip(part, part[1:]) if (a < 0) != (b < 0))))
        loud = [at for at, (on, _) in enumerate(heard) if on]
        passes = sum(1 for at in range(4, len(heard)) if heard[at][1] < 500 and max(f for _, f in heard[at - 4:at]) > 1100)
        return loud, passes

    # The current minute rings as the program starts, unless it is nearly over.
    s.wait("a time well inside the minute", lambda: time.localtime().tm_sec < 45, 20, 0.2)
    s.alarm(time.strftime("%H:%M"), "Wake up", s.path("tone.wav"))
    s.program()
    s.wait_window("Alarm!")
    s.wait("three passes of the looping tone", lambda: listen()[1] >= 3, 20, 0.5)
    answer(s, "Return")
    s.wait("two seconds of silence after OK", lambda: -listen()[0][-1] + len(heard) > 40, 10, 0.5)
    loud, passes = listen()
    check(loud == list(range(loud[0], loud[-1] + 1)), f"the tone looped {passes} times without a gap and stopped with OK")


main(globals())
