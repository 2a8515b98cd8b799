# SPDX-License-Identifier: GPL-3.0-or-later
"""The ringing window in front of an open editor, and what a screen reader meets."""
from harness import application, check, find, main, press


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
