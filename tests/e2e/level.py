# SPDX-License-Identifier: GPL-3.0-or-later
"""An alarm's own volume and fade-in as heard on the private sound server's sink."""
import array, os  # noqa: E401
from harness import check, logind, main


def volume_fade(s):
    s.pulse()
    s.alarm("7:00:00 AM", "quarter", later=[("7:01:00 AM", "half"), ("7:02:00 AM", "fading")])
    s.data(
        s.data()
        .replace("quarter\r\n", "quarter\r\nVolume=25\r\n")
        .replace("fading\r\n", "fading\r\nFadeIn=15\r\n")
    )
    sink = s.path("sink.raw")  # 16,000 samples a second
    with open(sink, "wb") as out:
        s.start(
            ["parec", "-d", "wakery_sink.monitor", "--format=s16le", "--rate=16000", "--channels=1"],
            stdout=out,
        )

    def heard(start):  # the samples after byte start
        data = open(sink, "rb").read()[start:]
        return array.array("h", data[: len(data) & ~1])

    def loudest(start):  # in the first half second of sound after byte start
        x = heard(start)
        onset = next((i for i, v in enumerate(x) if abs(v) > 200), len(x))
        return len(x) >= onset + 8000 and max(map(abs, x[onset : onset + 8000]))

    login, peaks = logind(s), []
    s.set_clock("06:59:57")
    s.program(faketime=True)
    for minute in range(3):  # from a tenth of a second of silence on, so the ring before is not heard
        start = s.wait(
            "silence", lambda: (n := os.path.getsize(sink) & ~1) > 3200 and not any(heard(n - 3200)) and n
        )
        if minute:
            s.set_clock(f"07:0{minute - 1}:58")
            login.resume()  # the minute timer, a kernel timer, does not see the faked jump
        window = s.wait_window("Alarm!")
        peaks.append(s.wait("the sound on the sink", lambda: loudest(start)))
        s.keys(window, "Return")
        s.wait("the Alarm! window to close", lambda: not s.windows("Alarm!"))
    quarter, half, fading = peaks
    check(0.4 < quarter / half < 0.6, f"25 % plays at about half the amplitude of 50 %: {quarter} to {half}")
    check(0.15 < fading / half < 0.3, f"a 15 s fade-in starts at about a fifth of it: {fading}")


main(globals())
