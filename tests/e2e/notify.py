# SPDX-License-Identifier: GPL-3.0-or-later
"""A due alarm in the real program: it rings within a second of its minute by the (faked) wall clock, with a
notification whose Snooze answers it as the window's does, OK answers the keyboard, what the sound server
receives loops until OK, and with Add open the ringing window keeps coming back in front and is announced as
an alert."""
import array, time  # noqa: E401
from gi.repository import GLib
from harness import application, check, find, logind, main, notifications, press


def rings_at(s, hhmmss, timeout=10.0):
    s.wait_window("Alarm!", timeout)
    check(
        0 <= (late := s.fake_now() - s.today(hhmmss)) < 1,
        f"the Alarm! window came {late:.2f} s after {hhmmss}",
    )


def answer(s, *keys):
    s.keys(s.wait_window("Alarm!"), *keys)
    s.wait("the Alarm! window to close", lambda: not s.windows("Alarm!"))


def snooze(s):
    """Snooze chosen on the ring's notification, OK typed into the window: each closes both."""
    s.alarm("7:00:00 AM", "Wake up & <go>")
    s.bus()
    service = notifications(s)
    s.set_clock("06:59:54")
    login = logind(s)
    program = s.program(faketime=True)
    rings_at(s, "07:00:00")
    _, _, icon, summary, body, actions, hints, expires = s.wait(
        "the notification", lambda: service.called("Notify")
    )[0]
    check(
        (summary, body, actions[2:], expires)
        == ("Alarm! 7:00:00 AM", "Wake up & <go>", ["snooze", "Snooze", "ok", "OK"], 0)
        and (hints["urgency"], hints["category"], hints["suppress-sound"]) == (2, "x-wakery.alarm", True)
        and icon == hints["desktop-entry"] == "org.wakery.Wakery",
        "the ring's notification: critical, silent, the time and the memo as they are, Snooze and OK",
    )
    path = "/org/freedesktop/Notifications"
    service.emit(path, "org.freedesktop.Notifications", "ActionInvoked", GLib.Variant("(us)", (1, "snooze")))
    s.wait("the Alarm! window to close", lambda: not s.windows("Alarm!"))
    s.set_clock("07:04:56")
    login.resume()
    rings_at(
        s, "07:05:00", 8
    )  # snoozed by the default 00:05 in the window's box; not before: late would be below 0
    answer(s, "Return")
    check(
        program.poll() is None and service.called("CloseNotification") == [(1,), (1,)],
        "OK closes the window and its notification, the program runs on",
    )


def sound(s):
    # On the real clock: under libfaketime Qt 6.4's FFmpeg back end races through a file. A 1.8 s sweep from
    # 400 Hz up, which the window restarts at 1.5 s: each pass climbs past 1300 Hz and drops back; a restart
    # every 40 ms stays low.
    s.pulse()
    s.run(
        "sox",
        "-n",
        "-r",
        "44100",
        "-c",
        "1",
        "-b",
        "16",
        s.path("tone.wav"),
        "synth",
        "1.8",
        "sine",
        "400-1600",
        "vol",
        "0.5",
    )
    with open(s.path("rec.raw"), "wb") as raw:
        s.start(
            "parec -d wakery_sink.monitor --format=s16le --rate=44100 --channels=1 --latency-msec=50".split(),
            stdout=raw,
        )

    def listen():  # per 50 ms of the recording: loud or not, and the frequency from its zero crossings
        with open(s.path("rec.raw"), "rb") as raw:
            data = raw.read()
        parts = [array.array("h", data[at : at + 4410]) for at in range(0, len(data) - 4409, 4410)]
        heard = [
            (
                sum(x * x for x in p) / len(p) > 655**2,
                10 * sum((a < 0) != (b < 0) for a, b in zip(p, p[1:])),
            )
            for p in parts
        ]
        passes = sum(
            heard[at][1] < 500 and max(f for _, f in heard[at - 4 : at]) > 1100 for at in range(4, len(heard))
        )
        return [at for at, (on, _) in enumerate(heard) if on], passes, len(heard)

    # The current minute rings as the program starts, unless it is nearly over.
    s.wait("a time well inside the minute", lambda: time.localtime().tm_sec < 45, 20, 0.2)
    s.alarm(time.strftime("%H:%M"), "Wake up", s.path("tone.wav"))
    s.program()
    s.wait("three passes of the looping tone", lambda: listen()[1] >= 3, 20, 0.5)
    answer(s, "Return")
    s.wait("two seconds of silence after OK", lambda: (heard := listen())[2] - heard[0][-1] > 40, 10, 0.5)
    loud, passes, _ = listen()
    check(
        loud == list(range(loud[0], loud[-1] + 1)),
        f"the tone looped {passes} times without a gap and stopped with OK",
    )


def in_front(s):
    """The program's window on top and the one with the keyboard (no window manager: xwininfo lists the
    root's children top first)."""
    ours = set(s.windows(classname="wakery"))
    stack = [
        int(line.split()[0], 16)
        for line in s.run("xwininfo", "-root", "-children").splitlines()
        if line.strip().startswith("0x")
    ]
    focus = s.run("xdotool", "getwindowfocus").strip()
    return next((w for w in stack if w in ours), None), int(focus or 0)


def add_open(s):
    s.bus()
    s.alarm("7:00:00 AM", "Wake up")
    s.set_clock("06:59:55")
    s.program(faketime=True)
    s.wait_window("Orvane Wakery")
    app = application(s)
    press(s, app, "Add...")
    editor = s.wait_window("Set Alarm...")
    alarm = s.wait_window("Alarm!", 15)
    for _ in range(2):
        s.run("xdotool", "windowraise", str(editor), "windowfocus", str(editor))
        s.wait("the Alarm! window back on top with the keyboard", lambda: in_front(s) == (alarm, alarm), 3)
    check(
        s.windows("Set Alarm..."),
        "put behind the open editor, the ringing window comes back in front, again and again",
    )
    alert = s.wait("the alert", lambda: find(app, "alert", ""))
    check(
        "7:00:00 AM" in alert.get_name() and alert.get_description() == "Wake up",
        f"a screen reader meets an alert: {alert.get_name()!r}, {alert.get_description()!r}",
    )


main(globals())
