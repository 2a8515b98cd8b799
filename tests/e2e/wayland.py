# SPDX-License-Identifier: GPL-3.0-or-later
"""Natively on a headless sway with waybar, all as an unprivileged user (sway refuses root); skipped with the
reason where sway cannot start."""
import glob, json, os, re, signal, subprocess, sys  # noqa: E401
from harness import Unprivileged, check, main

USER = Unprivileged.USER


class Sway(Unprivileged):
    def display(self):  # the user's own folders, session bus and compositor, as on a desktop
        os.chmod(self.dir, 0o755)
        run, home = self.env["XDG_RUNTIME_DIR"], self.path("home")
        os.mkdir(home)
        for folder in (run, home):
            os.chmod(folder, 0o700), os.chown(folder, USER.pw_uid, USER.pw_gid)
        self.env.pop("DISPLAY", None)
        self.env.update(
            HOME=home,
            DBUS_SESSION_BUS_ADDRESS=f"unix:path={run}/bus",
            XDG_SESSION_TYPE="wayland",
            WAYLAND_DISPLAY="wayland-1",
            NO_AT_BRIDGE="1",  # waybar would start an accessibility bus that outlives the session
        )
        self.start(
            ["dbus-daemon", "--session", "--nofork", "--address=" + self.env["DBUS_SESSION_BUS_ADDRESS"]]
        )
        self.compositor(run)

    def compositor(self, run):
        self.env.update(WLR_BACKENDS="headless", WLR_LIBINPUT_NO_DEVICES="1", WLR_RENDERER="pixman")
        with open(self.path("sway.conf"), "w") as config:
            config.write("xwayland disable\noutput HEADLESS-1 resolution 1280x800\n")
        with open(self.path("sway.log"), "wb") as log:
            self.start(["sway", "-c", self.path("sway.conf")], stderr=log)
        try:
            self.env["SWAYSOCK"] = self.wait("sway", lambda: glob.glob(run + "/sway-ipc.*.sock"))[0]
            self.wait("sway to answer", lambda: self.run("swaymsg", "-t", "get_version"))
        except AssertionError:
            print("skipped: sway did not start here:", open(self.path("sway.log")).read()[-500:])
            self.close(), sys.exit(77)

    def windows(self):  # the title of each window sway shows, and whether it has the focus
        def walk(node):
            yield from [(node["name"], node["focused"])] if node.get("app_id") else []
            for child in node.get("nodes", []) + node.get("floating_nodes", []):
                yield from walk(child)

        return dict(walk(json.loads(self.run("swaymsg", "-t", "get_tree") or "{}")))

    def bar(self):
        with open(self.path("waybar.json"), "w") as config:
            config.write('{"modules-right": ["tray"]}')
        return self.start(["waybar", "-c", self.path("waybar.json")])

    def tray_items(self):
        watcher = "org.kde.StatusNotifierWatcher"
        found = self.get(watcher, "/StatusNotifierWatcher", watcher, "RegisteredStatusNotifierItems")
        return re.findall(r"'([^']+)/StatusNotifierItem'", found)

    def gdbus(self, dest, path, method, *args):
        return self.run(*"gdbus call --session --dest".split(), dest, "-o", path, "-m", method, "--", *args)

    def get(self, dest, path, interface, name):
        return self.gdbus(dest, path, "org.freedesktop.DBus.Properties.Get", interface, name)


def sway(s):
    s.alarm("7:00 AM", "Wake up")
    s.set_clock("06:59:45")  # what comes before the ring may take its time on a busy machine
    program = s.program(faketime=True)
    check(
        s.wait("the main window", lambda: "Orvane Wakery" in s.windows()),
        "with no bar yet, the main window shows",
    )
    s.bar()
    item = s.wait("the icon in waybar's tray", s.tray_items)[0]
    check(
        s.wait("the window to go", lambda: "Orvane Wakery" not in s.windows()),
        "the bar that comes later gets the icon",
    )
    item_path = "/StatusNotifierItem"
    s.gdbus(item, item_path, "org.kde.StatusNotifierItem.Activate", "0", "0")
    check(
        s.wait("the window", lambda: "Orvane Wakery" in s.windows()), "a click on the icon shows the window"
    )
    # Sway's window events, each stamped as it arrives: a poll would add the cost of a swaymsg start.
    events = s.start(["swaymsg", "-m", "-t", "subscribe", '["window"]'], stdout=subprocess.PIPE)
    next(line for line in events.stdout if b'"focus"' in line and b'"name": "Alarm!"' in line)
    late = s.fake_now() - s.today("07:00:00")
    check(
        0 <= late < 1 and s.windows().get("Alarm!"),
        f'"Alarm!" mapped and focused {late * 1000:.0f} ms after 7:00',
    )
    s.run(
        "wtype", "-s", "300", "-k", "Return", "-s", "300"
    )  # the virtual keyboard needs a moment to be taken up
    check(
        s.wait("the Alarm! window to close", lambda: "Alarm!" not in s.windows(), 5), "a typed Return is OK"
    )
    program.send_signal(signal.SIGTERM)
    check(program.wait(10) == 0, "SIGTERM ends it")
    s.set_clock("07:01:30")  # past the alarm's minute, which would ring again at the start
    s.program(faketime=True)
    check(
        s.wait("the icon again", lambda: item not in s.tray_items() and s.tray_items()),
        "started after the bar, the icon registers",
    )
    check("Orvane Wakery" not in s.windows(), "and no window shows")


if __name__ == "__main__":  # gnome.py takes the session from here
    main(globals(), Sway)
