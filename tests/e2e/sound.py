# SPDX-License-Identifier: GPL-3.0-or-later
"""The ring's sound, played by the sound helper on a private sound server, recorded from its sinks: the
helper's restart, an output gone and back, and each alarm's own volume and fade-in."""
import os, signal, time  # noqa: E401
from harness import check, logind, main


def ring(s):
    """A 07:00 alarm, the program started just before: its process, and the real time of the minute."""
    s.alarm("7:00:00 AM", "Wake up")
    s.set_clock("06:59:57")
    program = s.program(faketime=True)
    s.wait_window("Alarm!")
    return program, s.today("07:00:00") - s.offset


def helpers(program):
    children = open(f"/proc/{program.pid}/task/{program.pid}/children").read().split()
    return [int(c) for c in children if open(f"/proc/{c}/comm").read().strip() == "wakery-sound"]


def helper_killed(s):
    s.pulse()
    recording = s.record()
    program, minute = ring(s)
    first = s.wait("the first sound", lambda: recording.sound(minute)) - minute
    check(first < 1.0, f"the first sound {first:.2f} s after the minute starts")
    maps = open(f"/proc/{program.pid}/maps").read()
    check("libavcodec" not in maps and "libpulse" not in maps, "the program maps neither FFmpeg nor libpulse")
    killed = s.wait("the sound helper", lambda: helpers(program))
    os.kill(killed[0], signal.SIGKILL)
    at = time.time()
    again = s.wait("the sound again", lambda: recording.sound(at, after_quiet=True), 5) - at
    check(again < 2.0, f"the sound again {again:.2f} s after its helper was killed")
    check(helpers(program) not in ([], killed), "from a helper started again")
    check(s.windows("Alarm!"), '"Alarm!" is still open')
    check("the sound helper failed" in open(s.path("wakery.log")).read(), "one line says why")


def device_gone(s):
    s.pulse()
    ring(s)
    s.wait("a stream on the sound server", lambda: s.run("pactl", "list", "short", "sink-inputs").strip())
    sink = next(
        line.split()[0]
        for line in s.run("pactl", "list", "short", "modules").splitlines()
        if "null-sink" in line
    )
    s.run("pactl", "unload-module", sink)  # no output left: the window beeps, and tries every 5 s
    s.wait("the beep", lambda: "beeping instead" in open(s.path("wakery.log")).read())
    s.run("pactl", "load-module", "module-null-sink", "sink_name=wakery_sink")
    back, recording = time.time(), s.record()
    again = s.wait("the sound again", lambda: recording.sound(back), 10) - back
    check(again < 7.0 and s.windows("Alarm!"), f"the sound again {again:.2f} s after an output came back")


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
