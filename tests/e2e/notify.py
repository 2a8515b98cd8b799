# SPDX-License-Identifier: GPL-3.0-or-later
"""A due alarm rings within a second of its minute, with a notification that answers it as the window does."""
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


def in_front(s):
    # No window manager: xwininfo lists the root's children top first.
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
