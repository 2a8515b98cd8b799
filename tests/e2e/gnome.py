# SPDX-License-Identifier: GPL-3.0-or-later
"""Wakery on a headless GNOME Shell 43 on wayland.py's session of `nobody`, in unsafe mode: its Eval shows
the windows and the notifications its own daemon holds, and runs a notification's action. Where the Shell
cannot start, the scenario is skipped with the reason."""
import json, os, signal, sys  # noqa: E401
from gi.repository import GLib
from harness import check, main
from wayland import Sway

NOTES = "Object.values(Main.notificationDaemon._fdoNotificationDaemon._notifications)"


class Gnome(Sway):
    def compositor(self, run):
        # The Shell asks logind and others on the system bus: a private one answers that nobody is there.
        self.env["DBUS_SYSTEM_BUS_ADDRESS"] = f"unix:path={run}/system"
        self.start(
            ["dbus-daemon", "--session", "--nofork", "--address=" + self.env["DBUS_SYSTEM_BUS_ADDRESS"]]
        )
        # The Shell starts ibus-daemon from a fork that runs JavaScript before its exec: a thread loading the
        # wallpaper meanwhile can leave the fork hung for good, and the Shell with it. A plain background.
        for key in ("picture-uri", "picture-uri-dark"):
            self.run("gsettings", "set", "org.gnome.desktop.background", key, "''")
        with open(self.path("shell.log"), "wb") as log:
            shell = self.start(
                "gnome-shell --headless --wayland --no-x11 --virtual-monitor 1280x800 --wayland-display"
                " wayland-1 --unsafe-mode".split(),
                stderr=log,
            )
        try:
            # It starts in the overview, where no window takes the focus: a user goes to the desktop first.
            started = "!Main.layoutManager._startingUp && (Main.overview.hide(), !Main.overview.visible)"
            self.wait("GNOME Shell", lambda: self.eval(started), 30, 0.2)
        except AssertionError:
            # A fork hung as above outlives the Shell unless ended here.
            for child in open(f"/proc/{shell.pid}/task/{shell.pid}/children").read().split():
                os.kill(int(child), signal.SIGKILL)
            print("skipped: GNOME Shell did not start here:", open(self.path("shell.log")).read()[-500:])
            self.close(), sys.exit(77)

    def eval(self, js):  # what the Shell makes of js, or False
        answer = self.gdbus("org.gnome.Shell", "/org/gnome/Shell", "org.gnome.Shell.Eval", js)
        ok, text = GLib.Variant.parse(None, answer, None, None).unpack() if answer else (False, "")
        return ok and json.loads(text or "null")

    def windows(self):  # each window's title: whether it has the focus, whether it is minimised
        windows = (
            "global.get_window_actors().map(({meta_window: w}) => [w.title, [w.has_focus(), w.minimized]])"
        )
        return dict(self.eval(windows) or [])


def gnome(s):
    s.alarm("7:00 AM", "Wake up")
    s.set_clock("06:59:50")
    program = s.program(faketime=True)
    check(
        s.wait("the main window, minimised", lambda: s.windows().get("Orvane Wakery") == [False, True]),
        "with no notification area, the main window shows, minimised",
    )
    s.wait("the Alarm! window", lambda: "Alarm!" in s.windows(), 20, 0.02)
    late = s.fake_now() - s.today("07:00:00")
    check(
        0 <= late < 1 and s.wait("the focus", lambda: s.windows().get("Alarm!") == [True, False], 5),
        f'"Alarm!" mapped {late * 1000:.0f} ms after 7:00, and GNOME gives it the focus',
    )
    notes = NOTES + (
        ".map(({summary, body, hints: h, notification: n}) => [summary, body, h.category, h['desktop-entry'],"
        " n.urgency == imports.ui.messageTray.Urgency.CRITICAL, n.actions.map(a => a.label)])"
    )
    check(
        s.wait("the notification in the Shell", lambda: s.eval(notes))
        == [["Alarm! 7:00:00 AM", "Wake up", "x-wakery.alarm", "org.wakery.Wakery", True, ["Snooze", "OK"]]],
        "the Shell's own daemon holds one critical notification with Snooze and OK",
    )
    # As the banner's button runs it, less the banner's own close: the program's must take the notification.
    s.eval(NOTES + "[0].notification.actions.find(a => a.label == 'Snooze').callback()")
    s.wait("the Alarm! window to close", lambda: "Alarm!" not in s.windows())
    check(
        s.wait("the notification to go", lambda: s.eval(NOTES + ".length == 0")) and program.poll() is None,
        "Snooze in the Shell closes the window, and the program's CloseNotification the notification",
    )


if __name__ == "__main__":
    main(globals(), Gnome)
