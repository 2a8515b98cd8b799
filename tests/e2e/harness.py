"""End-to-end runs of the real program on a private X display, driven like a user with xdotool.

A scenario is a function of a Session in a file here ending with `harness.main(globals())`, listed in
CMakeLists.txt as `wakery_e2e(file scenario...)`, which runs `file.py scenario <wakery>` (no-tray: no_tray(s)).
The Session has a scratch folder with a copy of the program (s.app), an Xvfb that takes connections before
anything starts, and s.env for every process it starts; it ends them in reverse order. For example:

    s.data("[Alarm]\\r\\nCount=1\\r\\n...")  # Data.ini beside the program; s.data() reads it back
    s.set_clock("06:59:58")             # the program's wall clock; move it again at any time
    s.program(faketime=True)            # its output goes to s.path("wakery.log")
    s.keys(s.wait_window("Alarm!"), "Tab", "Return")
    check(s.wait("the window to close", lambda: not s.windows("Alarm!")), "what a passing step showed")

More: s.tray() (trayer), s.bus() (a private session bus; the accessibility tree needs it), s.pulse() (a sound
server), s.start(argv, env={...}) for anything else. Wait for a condition with s.wait(what, probe, timeout),
never for a fixed time. WAKERY_E2E_KEEP=1 keeps the scratch folder."""

import datetime, glob, math, os, re, shutil, subprocess, sys, tempfile, time  # noqa: E401


class Failure(Exception):
    pass


def check(condition, what):
    if not condition:
        raise Failure(what)
    print("ok:", what, flush=True)


class Session:
    def __init__(self, binary):
        self.dir, self.processes, self.offset = tempfile.mkdtemp(prefix="wakery-e2e-"), [], 0
        self.app = self.path("app")
        os.makedirs(self.path("run"), mode=0o700)
        os.mkdir(self.app)
        # The program with what lies beside it in its build folder: its loadable modules and default.wav.
        folder = os.path.dirname(binary)
        for name in [binary, folder + "/default.wav"] + glob.glob(folder + "/*.so"):
            shutil.copy2(name, self.app)
        self.env = {k: v for k, v in os.environ.items()
                    if not k.startswith("XDG_") and k not in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "SESSION_MANAGER")}
        # With no bus address at all, the D-Bus library would start a stray daemon of its own.
        self.env.update(HOME=self.dir, XDG_RUNTIME_DIR=self.path("run"), LANG="en_US.UTF-8", LC_ALL="en_US.UTF-8",
                        DBUS_SESSION_BUS_ADDRESS="unix:path=" + self.path("no-bus"))
        # -noreset: a server resets when its last client leaves (a probe such as pactl, which reads the root
        # window), and a program connecting just then is refused.
        self.env["DISPLAY"] = ":" + self._ready("Xvfb -displayfd {fd} -noreset -screen 0 1024x768x24 -nolisten tcp")

    def path(self, name):
        return os.path.join(self.dir, name)

    def start(self, argv, env=None, **kwargs):
        """Starts argv with s.env and env; the session ends it."""
        kwargs.setdefault("stdout", subprocess.DEVNULL)
        kwargs.setdefault("stderr", subprocess.DEVNULL)
        self.processes.append(subprocess.Popen(argv, env=dict(self.env, **(env or {})), **kwargs))
        return self.processes[-1]

    def _ready(self, command):
        """Starts command with {fd} a pipe it writes a line to once it is ready; returns that line."""
        read_end, write_end = os.pipe()
        self.start(command.replace("{fd}", str(write_end)).split(), pass_fds=(write_end,))
        os.close(write_end)
        with os.fdopen(read_end) as answer:
            return answer.readline().strip() or sys.exit(command.split()[0] + " did not start")

    def close(self):
        for process in reversed(self.processes):
            process.terminate()
            try:
                process.wait(5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        if not os.environ.get("WAKERY_E2E_KEEP"):
            shutil.rmtree(self.dir, ignore_errors=True)

    def program(self, faketime=False, env=None):
        """The copied program. With faketime its wall clock is the one set_clock moves (read again within a
        second), while its timers keep the real monotonic clock."""
        extra = dict(env or {})
        if faketime:
            self.set_clock(None)
            extra.update(LD_PRELOAD=glob.glob("/usr/lib/*/faketime/libfaketime.so.1")[0], FAKETIME_CACHE_DURATION="1",
                         FAKETIME_TIMESTAMP_FILE=self.path("faketime"), FAKETIME_DONT_FAKE_MONOTONIC="1")
        with open(self.path("wakery.log"), "ab") as log:
            return self.start([os.path.join(self.app, "wakery")], env=extra, stdout=log, stderr=log)

    def set_clock(self, hhmmss):
        """Sets the fake wall clock to hhmmss today, now (None: keeps the offset)."""
        if hhmmss:
            self.offset = math.floor(self.today(hhmmss) - time.time())
        with open(self.path("faketime"), "w") as clock:
            clock.write("%+d\n" % self.offset)

    def today(self, hhmmss):
        return datetime.datetime.combine(datetime.date.today(), datetime.time.fromisoformat(hhmmss)).timestamp()

    def fake_now(self):
        return time.time() + self.offset

    def data(self, text=None):
        """Writes Data.ini beside the program, or reads it back as it stands."""
        with open(os.path.join(self.app, "Data.ini"), "w" if text else "r", newline="") as data:
            return data.write(text) if text else data.read()

    def tray(self):
        """trayer as the notification area, docked at the top right, once it is on screen."""
        process = self.start("trayer --edge top --align right --widthtype pixel --width 200 --height 32 "
                             "--SetDockType true --transparent false".split())
        self.wait("the notification area", lambda: self.windows("panel"))
        return process

    def bus(self):
        """A private session bus, on which the program's accessibility tree reaches this process."""
        address = self._ready(f"dbus-daemon --session --nofork --address=unix:path={self.path('bus')} --print-address={{fd}}")
        self.env.update(DBUS_SESSION_BUS_ADDRESS=address, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        os.environ.update(DISPLAY=self.env["DISPLAY"], DBUS_SESSION_BUS_ADDRESS=address)

    def pulse(self):
        """A private sound server whose one sink, wakery_sink, has a monitor to record from."""
        with open(self.path("default.pa"), "w") as config:
            config.write("load-module module-null-sink sink_name=wakery_sink rate=44100 channels=2\nset-default-sink "
                         f"wakery_sink\nload-module module-native-protocol-unix auth-anonymous=1 socket={self.path('pulse')}\n")
        self.env["PULSE_SERVER"] = "unix:" + self.path("pulse")
        self.start(f"pulseaudio --daemonize=no --exit-idle-time=-1 -n --use-pid-file=no -F {self.path('default.pa')}".split())
        self.wait("the sound server", lambda: self.run("pactl", "info", code=True) == 0)

    def run(self, *argv, code=False):
        done = subprocess.run(argv, env=self.env, capture_output=True, text=True, check=False)
        return done.returncode if code else done.stdout

    def wait(self, what, probe, timeout=10.0, interval=0.05):
        """Polls probe until it returns something true, and returns that; fails after timeout seconds."""
        deadline = time.monotonic() + timeout
        while not (value := probe()):
            if time.monotonic() > deadline:
                raise Failure("timed out waiting for " + what)
            time.sleep(interval)
        return value

    def windows(self, title=None, classname=None):
        """Ids of mapped windows with exactly this title, or this WM_CLASS name."""
        option, text = ("--name", title) if title else ("--classname", classname)
        return [int(i) for i in self.run("xdotool", "search", "--onlyvisible", option, f"^{re.escape(text)}$").split()]

    def wait_window(self, title, timeout=10.0):
        return self.wait("a window " + title, lambda: self.windows(title), timeout, 0.02)[0]

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
        x11.XOpenDisplay.restype = x11.XInternAtom.restype = ctypes.c_void_p
        x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
        x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        display = x11.XOpenDisplay(self.env["DISPLAY"].encode())
        # An XClientMessageEvent: type, serial, send_event, display, window, message_type, format, data.
        event = (ctypes.c_long * 24)(33, 0, 0, 0, window, x11.XInternAtom(display, b"WM_PROTOCOLS", 0), 32,
                                     x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0))
        x11.XSendEvent(display, window, 0, 0, event)
        x11.XCloseDisplay(display)

    def docked_icon(self):
        """The centre of the program's icon, its one small window, once still for five looks: the panel lays
        its icons out after they dock, and a click before that can miss."""
        seen = []

        def probe():
            shapes = [dict(f.split("=") for f in self.run("xdotool", "getwindowgeometry", "--shell", str(w)).split())
                      for w in self.windows(classname="wakery")]
            seen.append([(int(g["X"]) + int(g["WIDTH"]) // 2, int(g["Y"]) + int(g["HEIGHT"]) // 2)
                         for g in shapes if max(int(g["WIDTH"]), int(g["HEIGHT"])) <= 64])
            return seen[-1] and seen[-5:] == [seen[-1]] * 5 and seen[-1][0]
        return self.wait("the icon in the notification area", probe)


# --- the accessibility tree, after s.bus() -------------------------------------------------------------------

def application(s, name="wakery"):
    import gi
    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi

    def probe():
        desktop = Atspi.get_desktop(0)
        desktop.clear_cache()
        apps = (desktop.get_child_at_index(at) for at in range(desktop.get_child_count()))
        return next((app for app in apps if app and (app.get_name() or "").lower() == name), None)
    return s.wait("the accessible application " + name, probe)


def find(root, role=None, name=None):
    """The first node under root, showing on screen, with this role and name."""
    from gi.repository import Atspi
    root.clear_cache()
    stack = [root]
    while stack:
        node = stack.pop()
        try:
            if (role in (None, node.get_role_name()) and name in (None, node.get_name())
                    and node.get_state_set().contains(Atspi.StateType.SHOWING)):
                return node
            stack += [node.get_child_at_index(at) for at in reversed(range(node.get_child_count()))]
        except Exception:  # a node that went away during the walk
            pass
    return None


def press(s, app, role, name):
    s.wait(f"the {name} {role}", lambda: find(app, role, name)).get_action_iface().do_action(0)


def main(scenarios):
    session = Session(os.path.abspath(sys.argv[2]))
    try:
        scenarios[sys.argv[1].replace("-", "_")](session)
    except (Failure, subprocess.TimeoutExpired) as error:
        print("FAILED:", error, flush=True)
        if os.path.exists(session.path("wakery.log")):
            print("--- the program's output:\n" + open(session.path("wakery.log")).read()[-3000:])
        sys.exit(1)
    finally:
        session.close()
