"""End-to-end runs of the real program on a private X display, driven like a user with xdotool.

A scenario is a function of a Session in a file beside this one; the file ends with `harness.main(globals())`
and CMakeLists.txt names it with its scenarios: `wakery_e2e(file scenario...)` runs `file.py scenario
<wakery>` ("no-tray" runs the function no_tray). A Session owns a scratch folder, an Xvfb that takes
connections before anything starts, and every process started through it; it ends them all, in reverse
order, when the scenario returns or fails.

    def snooze(s):
        s.write_data(one_alarm("7:00:00 AM"))
        s.set_clock("06:59:58")                      # the program's wall clock, moved while it runs
        s.program(faketime=True)                      # its output goes to s.path("wakery.log")
        s.keys(s.wait_window("Alarm!"), "Tab", "Return")
        s.wait("the window to close", lambda: not s.windows("Alarm!"))

Extras: s.tray() (trayer), s.bus() (a private session bus, needed for the accessibility tree),
s.pulse() (a sound server with one null sink), s.start(argv, env={...}) for any other process, s.env for
what every later process gets. Wait for conditions with s.wait(what, probe, timeout), never a fixed sleep;
check(condition, what) reports a step. WAKERY_E2E_KEEP=1 keeps the scratch folder."""

import datetime
import glob
import math
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time


class Failure(Exception):
    pass


def check(condition, what):
    if not condition:
        raise Failure(what)
    print("ok:", what, flush=True)


class Session:
    def __init__(self, binary):
        self.dir = tempfile.mkdtemp(prefix="wakery-e2e-")
        self.app = self.path("app")
        self.processes = []
        self.offset = 0
        os.makedirs(self.path("run"), mode=0o700)
        os.mkdir(self.app)
        # The program with what lies beside it in its build folder: default.wav and its loadable modules.
        folder = os.path.dirname(binary)
        for name in [binary] + glob.glob(folder + "/*.so") + [folder + "/default.wav"]:
            shutil.copy2(os.path.join(folder, name), self.app)
        # Without a bus address the D-Bus library would start a stray daemon of its own.
        self.env = {k: v for k, v in os.environ.items() if k not in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM",
                                                                      "SESSION_MANAGER", "XAUTHORITY")}
        self.env.update(HOME=self.dir, XDG_RUNTIME_DIR=self.path("run"), LANG="en_US.UTF-8", LC_ALL="en_US.UTF-8",
                        DBUS_SESSION_BUS_ADDRESS="unix:path=" + self.path("no-bus"))
        self.env["DISPLAY"] = ":" + self._ready(["Xvfb", "-displayfd", "{fd}", "-screen", "0", "1024x768x24",
                                                 "-nolisten", "tcp"], "Xvfb")

    def path(self, name):
        return os.path.join(self.dir, name)

    def start(self, argv, env=None, **kwargs):
        """Starts argv with the session's environment plus env; ended with the session."""
        kwargs.setdefault("stderr", subprocess.DEVNULL)
        process = subprocess.Popen(argv, env=dict(self.env, **(env or {})), **kwargs)
        self.processes.append(process)
        return process

    def _ready(self, argv, what):
        """Starts argv with {fd} replaced by a pipe it writes one line into when ready; returns the line."""
        read_end, write_end = os.pipe()
        self.start([arg.replace("{fd}", str(write_end)) for arg in argv], pass_fds=(write_end,), stdout=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as answer:
            line = answer.readline().strip()
        if not line:
            raise Failure(what + " did not start")
        return line

    def close(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        if not os.environ.get("WAKERY_E2E_KEEP"):
            shutil.rmtree(self.dir, ignore_errors=True)

    # --- the program and its surroundings ---------------------------------------------------------------

    def program(self, faketime=False, env=None):
        """The copied program; with faketime its wall clock is the one set_clock moves (re-read within a
        second), while its timers keep the real monotonic clock."""
        extra = dict(env or {})
        if faketime:
            self.set_clock(None)
            extra.update(LD_PRELOAD=glob.glob("/usr/lib/*/faketime/libfaketime.so.1")[0],
                         FAKETIME_TIMESTAMP_FILE=self.path("faketime"), FAKETIME_CACHE_DURATION="1",
                         FAKETIME_DONT_FAKE_MONOTONIC="1")
        with open(self.path("wakery.log"), "ab") as log:
            return self.start([os.path.join(self.app, "wakery")], env=extra, stdout=log, stderr=log)

    def set_clock(self, hhmmss):
        """Moves the fake wall clock so that it shows hhmmss today now (None: leaves the offset)."""
        if hhmmss:
            target = datetime.datetime.combine(datetime.date.today(), datetime.time.fromisoformat(hhmmss))
            self.offset = math.floor(target.timestamp() - time.time())
        with open(self.path("faketime"), "w") as clock:
            clock.write("%+d\n" % self.offset)

    def fake_now(self):
        return time.time() + self.offset

    def seconds_after(self, hhmmss):
        """How far the fake clock is past hhmmss today."""
        at = datetime.datetime.combine(datetime.date.today(), datetime.time.fromisoformat(hhmmss))
        return self.fake_now() - at.timestamp()

    def write_data(self, text):
        with open(os.path.join(self.app, "Data.ini"), "w", newline="") as data:
            data.write(text)

    def read_data(self):
        with open(os.path.join(self.app, "Data.ini")) as data:
            return data.read()

    def tray(self):
        """trayer as the notification area, docked at the top right; returns once it is on screen."""
        process = self.start(["trayer", "--edge", "top", "--align", "right", "--widthtype", "pixel", "--width",
                              "200", "--height", "32", "--SetDockType", "true", "--transparent", "false"],
                             stdout=subprocess.DEVNULL)
        self.wait("the notification area", lambda: self.windows("panel"))
        return process

    def bus(self):
        """A private session bus; this process's accessibility tree and the program's meet on it."""
        address = self._ready(["dbus-daemon", "--session", "--nofork", "--address=unix:path=" + self.path("bus"),
                               "--print-address={fd}"], "the session bus")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address
        self.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        os.environ.update(DISPLAY=self.env["DISPLAY"], DBUS_SESSION_BUS_ADDRESS=address)

    def pulse(self):
        """A private sound server whose only sink, wakery_sink, has a monitor to record from."""
        with open(self.path("default.pa"), "w") as config:
            config.write("load-module module-null-sink sink_name=wakery_sink rate=44100 channels=2\n"
                         "set-default-sink wakery_sink\n"
                         f"load-module module-native-protocol-unix auth-anonymous=1 socket={self.path('pulse')}\n")
        self.env["PULSE_SERVER"] = "unix:" + self.path("pulse")
        self.start(["pulseaudio", "--daemonize=no", "--exit-idle-time=-1", "-n", "--use-pid-file=no",
                    "--disallow-exit", "-F", self.path("default.pa")])
        self.wait("the sound server", lambda: self.run("pactl", "info", code=True) == 0)

    # --- looking and acting -----------------------------------------------------------------------------

    def run(self, *argv, code=False):
        done = subprocess.run(argv, env=self.env, capture_output=True, text=True, check=False)
        return done.returncode if code else done.stdout

    def wait(self, what, probe, timeout=10.0, interval=0.05):
        """Polls probe until it returns something true and returns that; fails after timeout seconds."""
        deadline = time.monotonic() + timeout
        while not (value := probe()):
            if time.monotonic() > deadline:
                raise Failure("timed out waiting for " + what)
            time.sleep(interval)
        return value

    def windows(self, title=None, classname=None):
        """Ids of mapped windows with exactly this title, or of this WM_CLASS name."""
        option, text = ("--name", title) if title else ("--classname", classname)
        return [int(i) for i in self.run("xdotool", "search", "--onlyvisible", option, f"^{re.escape(text)}$").split()]

    def wait_window(self, title, timeout=10.0):
        return self.wait(f"a {title} window", lambda: self.windows(title), timeout, 0.02)[0]

    def click(self, x, y, button=1):
        self.run("xdotool", "mousemove", str(x), str(y), "click", str(button))

    def keys(self, window, *keys):
        self.run("xdotool", "windowfocus", "--sync", str(window), "key", "--clearmodifiers", *keys)

    def type(self, window, text):
        self.run("xdotool", "windowfocus", "--sync", str(window), "type", "--delay", "20", text)

    def close_window(self, window):
        """What a window manager's close button does: WM_DELETE_WINDOW to the window."""
        import ctypes
        x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XInternAtom.restype = ctypes.c_ulong
        x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
        x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        display = x11.XOpenDisplay(self.env["DISPLAY"].encode())
        # XClientMessageEvent: type, serial, send_event, display, window, message_type, format, data.
        event = (ctypes.c_long * 24)(33, 0, 0, 0, window, x11.XInternAtom(display, b"WM_PROTOCOLS", 0), 32,
                                     x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0))
        x11.XSendEvent(display, window, 0, 0, event)
        x11.XCloseDisplay(display)

    def docked_icon(self):
        """The centre of the program's icon, its only small window, once still: the panel lays its icons
        out after they dock, and a click before that can miss. Still means the same place five looks running."""
        seen = []

        def probe():
            shapes = [dict(f.split("=") for f in self.run("xdotool", "getwindowgeometry", "--shell", str(w)).split())
                      for w in self.windows(classname="wakery")]
            seen.append([(int(g["X"]) + int(g["WIDTH"]) // 2, int(g["Y"]) + int(g["HEIGHT"]) // 2)
                         for g in shapes if max(int(g["WIDTH"]), int(g["HEIGHT"])) <= 64])
            return seen[-1] and seen[-5:] == [seen[-1]] * 5 and seen[-1][0]
        return self.wait("the icon in the notification area", probe)


# --- the accessibility tree (needs s.bus() before the program starts) ------------------------------------

def _atspi():
    import gi
    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi
    return Atspi


def application(s, name="wakery"):
    def probe():
        desktop = _atspi().get_desktop(0)
        desktop.clear_cache()
        apps = (desktop.get_child_at_index(at) for at in range(desktop.get_child_count()))
        return next((app for app in apps if app and (app.get_name() or "").lower() == name), None)
    return s.wait("the accessible application " + name, probe)


def _nodes(node, depth=0):
    if node is None or depth > 12:
        return
    yield node
    for at in range(node.get_child_count()):
        yield from _nodes(node.get_child_at_index(at), depth + 1)


def find(root, role=None, name=None):
    """The first showing node under root with this role and name."""
    root.clear_cache()
    showing = _atspi().StateType.SHOWING
    for node in _nodes(root):
        try:
            if ((role is None or node.get_role_name() == role) and (name is None or node.get_name() == name)
                    and node.get_state_set().contains(showing)):
                return node
        except Exception:  # a node that went away while walking
            continue
    return None


def press(s, app, role, name):
    s.wait(f"the {name} {role}", lambda: find(app, role, name)).get_action_iface().do_action(0)


def table_rows(app, columns=4):
    """The cells of the first shown list view as rows of texts."""
    view = find(app, "tree")
    cells = [view.get_child_at_index(at) for at in range(view.get_child_count())] if view else []
    names = [c.get_name() for c in cells if c and c.get_role_name() == "table cell"]
    return [names[at:at + columns] for at in range(0, len(names), columns)]


def main(scenarios):
    name, binary = sys.argv[1], os.path.abspath(sys.argv[2])
    session = Session(binary)
    try:
        scenarios[name.replace("-", "_")](session)
    except (Failure, subprocess.TimeoutExpired) as error:
        print("FAILED:", error, flush=True)
        if os.path.exists(session.path("wakery.log")):
            print("--- the program's output:\n" + open(session.path("wakery.log")).read()[-3000:])
        sys.exit(1)
    finally:
        session.close()
