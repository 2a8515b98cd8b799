"""Wakery as installed: the package built from this build, extracted into a scratch root and run from there
with a notification area, and a panel that offers only a D-Bus notification area (StatusNotifierItem) and
comes up after the program."""
import glob, os, re, sys, time  # noqa: E401
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from buses import Logind  # noqa: E402
from harness import application, check, main, press  # noqa: E402

TITLE = "Orvane Wakery"
WATCHER, GET = ("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher"), "org.freedesktop.DBus.Properties.Get"


def tree(root):
    return {os.path.join(d, f): os.stat(os.path.join(d, f)).st_mtime_ns for d, _, fs in os.walk(root) for f in fs}


def installed(s):
    build = os.path.dirname(os.path.dirname(os.path.abspath(sys.argv[2])))
    s.run("cpack", "-G", "DEB", "--config", build + "/CPackConfig.cmake", "-B", s.path("pkg"))
    root = s.path("root")
    s.run("dpkg-deb", "-x", glob.glob(s.path("pkg/wakery_*_amd64.deb"))[0], root)
    s.app = root + "/usr/bin"
    s.data("[Alarm]\r\nCount=5\r\n")  # left beside the installed program: neither read nor touched
    before = tree(root)
    s.env.update(XDG_CONFIG_HOME=s.path("config"))
    s.bus(), s.tray(), s.pulse()
    s.set_clock("06:58:00")
    logind = Logind(s)
    program = s.program(faketime=True, env={"FAKETIME_NO_CACHE": "1"})
    s.click(*s.docked_icon())
    s.wait_window(TITLE)
    press(s, application(s), "push button", "Add...")
    editor = s.wait_window("Set Alarm...")
    day = (time.localtime().tm_wday + 1) % 7 + 1  # 1 Sunday .. 7 Saturday
    s.keys(editor, "Tab", "Tab", "ctrl+a")
    s.type(editor, "7:00 AM")
    s.keys(editor, *["Tab"] * day, "space", *["Tab"] * (8 - day))
    s.type(editor, "Installed")
    s.keys(editor, "Tab", "Tab", "Return")
    ini = s.path("config/Wakery/Data.ini")
    s.wait("Data.ini in the config folder", lambda: os.path.exists(ini) and "Memo=Installed" in open(ini).read())
    check("Count=1\n" in open(ini).read(), "the new alarm is the first, in Data.ini in the config folder")
    s.set_clock("06:59:58")
    logind.resume()  # the minute timer, a kernel timer, does not see the faked jump
    s.wait_window("Alarm!")
    check(s.wait("a stream on the sound server", lambda: s.run("pactl", "list", "short", "sink-inputs").strip()),
          "the alarm rings with a sound")
    check(root + "/usr/lib/x86_64-linux-gnu/wakery/wakery_sound.so" in open(f"/proc/{program.pid}/maps").read(),
          "the sound module is the installed one")
    s.keys(s.wait_window("Alarm!"), "Return")

    autostart = s.path("config/autostart/org.wakery.Wakery.desktop")
    for on in (True, False):
        before_menu = set(s.windows(classname="wakery"))
        s.click(*s.docked_icon(), button=3)
        s.wait("the icon menu", lambda: set(s.windows(classname="wakery")) - before_menu)
        s.run("xdotool", "key", "l")
        s.wait("the autostart file", lambda: os.path.exists(autostart) == on)
        if on:
            check(f'Exec="{root}/usr/bin/wakery"\n' in open(autostart).read(), "Start at login writes the autostart file")
    check(not os.path.exists(autostart), "and removes it again")
    check(tree(root) == before, "nothing was written into the installed tree")


def gdbus(s, dest, path, method, *args):
    return s.run("gdbus", "call", "--session", "--dest", dest, "--object-path", path, "--method", method, "--", *args)


def dbus_tray(s):
    s.bus()
    s._ready(f"{sys.executable} {os.path.dirname(os.path.abspath(__file__))}/sni_watcher.py {{fd}}")
    s.program()
    s.wait_window(TITLE)  # no notification area yet: the window waits on the task bar
    gdbus(s, *WATCHER, "org.kde.StatusNotifierWatcher.RegisterStatusNotifierHost", "org.test.Host")
    item = s.wait("the icon to register", lambda: re.findall(r"'([^']+)'", gdbus(
        s, *WATCHER, GET, "org.kde.StatusNotifierWatcher", "RegisteredStatusNotifierItems")))[0]
    check(s.wait("the window to go", lambda: not s.windows(TITLE)), "a D-Bus host that comes later gets the icon")
    gdbus(s, item, "/StatusNotifierItem", "org.kde.StatusNotifierItem.Activate", "0", "0")
    check(s.wait_window(TITLE), "the host's Activate shows the window")
    menu = re.search(r"'(/[^']*)'", gdbus(s, item, "/StatusNotifierItem", GET, "org.kde.StatusNotifierItem", "Menu"))[1]
    layout = gdbus(s, item, menu, "com.canonical.dbusmenu.GetLayout", "0", "-1", "[]")
    labels = re.findall(r"'label': <'([^']*)'>", layout)
    check(labels == ["_Restore", "Start at _login", "_Exit"] and "'toggle-type': <'checkmark'>" in layout,
          f"its menu over D-Bus holds {labels}")


main(globals())
