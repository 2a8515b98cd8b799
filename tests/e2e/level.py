# SPDX-License-Identifier: GPL-3.0-or-later
"""An alarm's own volume and fade-in as heard on the private sound server's sink."""
import time
from harness import check, logind, main


def volume_fade(s):
    s.pulse()
    s.alarm("7:00:00 AM", "quarter", later=[("7:01:00 AM", "half"), ("7:02:00 AM", "fading")])
    s.data(
        s.data()
        .replace("quarter\r\n", "quarter\r\nVolume=25\r\n")
        .replace("fading\r\n", "fading\r\nFadeIn=15\r\n")
    )
    recording, login, peaks = s.record(), logind(s), []
    s.set_clock("06:59:57")
    s.program(faketime=True)
    for minute in range(3):  # each sound from a silence after the ring before
        since = time.time()
        if minute:
            s.set_clock(f"07:0{minute - 1}:58")
            login.resume()  # the minute timer, a kernel timer, does not see the faked jump
        window = s.wait_window("Alarm!")
        onset = s.wait("the sound on the sink", lambda: recording.sound(since, after_quiet=True))
        peaks.append(s.wait("its first half second", lambda: recording.loudest(onset, 0.5)))
        s.keys(window, "Return")
        s.wait("the Alarm! window to close", lambda: not s.windows("Alarm!"))
    quarter, half, fading = peaks
    check(0.4 < quarter / half < 0.6, f"25 % plays at about half the amplitude of 50 %: {quarter} to {half}")
    check(0.15 < fading / half < 0.3, f"a 15 s fade-in starts at about a fifth of it: {fading}")


main(globals())
