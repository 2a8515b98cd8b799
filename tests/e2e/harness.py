# SPDX-License-Identifier: GPL-3.0-or-later
"""The real program on a private Xvfb: `file.py scenario <wakery>` runs scenario(Session) from a file ending
in main(globals()). Wait with s.wait(), never a fixed time. WAKERY_E2E_KEEP=1 keeps the scratch folder."""
import array, ctypes, datetime, glob, math, os, pwd, re, shutil, subprocess  # noqa: E401
import sys, tempfile, threading, time  # noqa: E401
import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, Gio, GLib  # noqa: E402 (Atspi reads the bus address when first used)

Failure = AssertionError  # raised by check and s.wait


def check(condition, what):
    if not condition:
        raise Failure(what)
    print("ok:", what, flush=True)


class Session:
    def __init__(self, binary):
        self.dir, self.processes, self.offset = tempfile.mkdtemp(prefix="wakery-e2e-"), [], 0
        self.app, beside = self.path("app"), os.path.dirname(binary)
        os.makedirs(self.path("run"), mode=0o700), os.mkdir(self.app)
        # Its sound helper and default.wav lie beside it in the build folder.
        for name in [binary, beside + "/default.wav"] + glob.glob(beside + "/wakery-sound"):
            shutil.copy2(name, self.app)
        drop = ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "SESSION_MANAGER")
        self.env = {k: v for k, v in os.environ.items() if not k.startswith("XDG_") and k not in drop}
        # With no bus address at all, the D-Bus library would start a stray daemon of its own.
        self.env.update(
            HOME=self.dir, XDG_RUNTIME_DIR=self.path("run"), LANG="en_US.UTF-8", LC_ALL="en_US.UTF-8"
        )
        self.env.update(DBUS_SESSION_BUS_ADDRESS="unix:path=" + self.path("no-bus"))
        self.display()

    def display(self):
        # -noreset: a server resets when its last client (a probe such as pactl) leaves.
        self.env["DISPLAY"] = ":" + self.ready(
            "Xvfb -displayfd {fd} -noreset -screen 0 1024x768x24 -nolisten tcp"
        )

    def path(self, name):
        return os.path.join(self.dir, name)

    def start(self, argv, env=None, **kwargs):
        kwargs = {"stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL, **kwargs}
        self.processes.append(subprocess.Popen(argv, env=dict(self.env, **(env or {})), **kwargs))
        return self.processes[-1]

    def ready(self, command):  # the line command writes to the pipe {fd} once ready
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
        os.environ.get("WAKERY_E2E_KEEP") or shutil.rmtree(self.dir, ignore_errors=True)

    def program(self, faketime=False):
        env = {}
        if faketime:
            self.set_clock(None)
            # No cache: a real clock is right the moment a resume is announced, a cached faked one lags.
            env.update(
                LD_PRELOAD=glob.glob("/usr/lib/*/faketime/libfaketime.so.1")[0],
                FAKETIME_NO_CACHE="1",
                FAKETIME_TIMESTAMP_FILE=self.path("faketime"),
                FAKETIME_DONT_FAKE_MONOTONIC="1",
            )
        with open(self.path("wakery.log"), "ab") as log:
            return self.start([os.path.join(self.app, "wakery")], env=env, stdout=log, stderr=log)

    def set_clock(self, hhmmss, days=0):  # days from today; None keeps the offset
        self.offset = math.floor(self.today(hhmmss) + days * 86400 - time.time()) if hhmmss else self.offset
        with open(self.path("faketime"), "w") as clock:
            clock.write("%+d\n" % self.offset)

    def today(self, hhmmss):
        return datetime.datetime.combine(
            datetime.date.today(), datetime.time.fromisoformat(hhmmss)
        ).timestamp()

    def fake_now(self):
        return time.time() + self.offset

    def data(self, text=None):  # writes Data.ini beside the program, or reads it
        with open(os.path.join(self.app, "Data.ini"), "w" if text else "r", newline="") as data:
            return data.write(text) if text else data.read()

    def alarm(self, at, memo, later=()):  # switched on for today (Type 1 Sunday .. 7 Saturday)
        day = (time.localtime().tm_wday + 1) % 7 + 1
        alarms = [(at, memo)] + list(later)
        self.data(
            f"[Alarm]\r\nCount={len(alarms)}\r\n"
            + "".join(
                f"[Alarm{i}]\r\nState=1\r\nType={day}\r\nTime={a}\r\nMemo={m}\r\nSound=\r\n"
                for i, (a, m) in enumerate(alarms, 1)
            )
        )

    def tray(self):
        process = self.start(
            "trayer --edge top --align right --widthtype pixel --width 200 --height 32 --SetDockType true"
            " --transparent false".split()
        )
        return self.wait("the notification area", lambda: self.windows("panel")) and process

    def bus(self, system=False, config="--session"):
        address = self.ready(
            f"dbus-daemon {config} --nofork --address=unix:path={self.path(f'bus{system}')}"
            " --print-address={fd}"
        )
        if system:
            return self.env.update(DBUS_SYSTEM_BUS_ADDRESS=address) or address
        self.env.update(DBUS_SESSION_BUS_ADDRESS=address, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        os.environ.update(DISPLAY=self.env["DISPLAY"], DBUS_SESSION_BUS_ADDRESS=address)

    def pulse(self):  # a sound server with one sink, wakery_sink
        with open(self.path("default.pa"), "w") as config:
            config.write(
                "load-module module-null-sink sink_name=wakery_sink\nset-default-sink wakery_sink\n"
                f"load-module module-native-protocol-unix auth-anonymous=1 socket={self.path('pulse')}\n"
            )
        self.env["PULSE_SERVER"] = "unix:" + self.path("pulse")
        self.start(
            [
                "pulseaudio",
                "--daemonize=no",
                "--exit-idle-time=-1",
                "-n",
                "--use-pid-file=no",
                "-F",
                self.path("default.pa"),
            ]
        )
        self.wait("the sound server", lambda: self.run("pactl", "info"))

    def record(self, sink="wakery_sink"):
        return Recording(self, sink)

    def run(self, *argv):
        return subprocess.run(argv, env=self.env, capture_output=True, text=True, check=False).stdout

    def wait(self, what, probe, timeout=10.0, interval=0.05):
        deadline = time.monotonic() + timeout
        while not (value := probe()):
            if time.monotonic() > deadline:
                raise Failure("timed out waiting for " + what)
            time.sleep(interval)
        return value

    def windows(self, title=None, classname=None):
        option, text = ("--name", title) if title else ("--classname", classname)
        return [
            int(i)
            for i in self.run("xdotool", "search", "--onlyvisible", option, f"^{re.escape(text)}$").split()
        ]

    def wait_window(self, title, timeout=10.0):
        return self.wait("a window " + title, lambda: self.windows(title), timeout, 0.02)[0]

    def click(self, x, y, button=1):
        self.run("xdotool", "mousemove", str(x), str(y), "click", str(button))

    def keys(self, window, *keys, text=None):
        typed = ("type", "--delay", "20", text) if text else ("key", "--clearmodifiers", *keys)
        self.run("xdotool", "windowfocus", "--sync", str(window), *typed)

    def close_window(self, window):
        """A window manager's close button: WM_DELETE_WINDOW."""
        x11, p = ctypes.cdll.LoadLibrary("libX11.so.6"), ctypes.c_void_p
        x11.XOpenDisplay.restype = x11.XInternAtom.restype = p
        x11.XInternAtom.argtypes = [p, ctypes.c_char_p, ctypes.c_int]
        x11.XSendEvent.argtypes = [p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, p]
        x11.XCloseDisplay.argtypes = [p]
        display = x11.XOpenDisplay(self.env["DISPLAY"].encode())
        atom = lambda name: x11.XInternAtom(display, name, 0)  # noqa: E731
        # An XClientMessageEvent: type, serial, send_event, display, window, message_type, format, data.
        event = (ctypes.c_long * 24)(
            33, 0, 0, 0, window, atom(b"WM_PROTOCOLS"), 32, atom(b"WM_DELETE_WINDOW")
        )
        x11.XSendEvent(display, window, 0, 0, event)
        x11.XCloseDisplay(display)

    def docked_icon(self):
        """The centre of the program's small window once still for five looks: the panel moves it at first."""
        seen = []

        def probe():
            geometry = lambda w: dict(  # noqa: E731
                f.split("=") for f in self.run("xdotool", "getwindowgeometry", "--shell", str(w)).split()
            )
            shapes = [
                geometry(w)
                for w in self.windows(classname="wakery")
                if "TOOLTIP" not in self.run("xprop", "-id", str(w), "_NET_WM_WINDOW_TYPE")
            ]
            seen.append(
                [
                    (int(g["X"]) + int(g["WIDTH"]) // 2, int(g["Y"]) + int(g["HEIGHT"]) // 2)
                    for g in shapes
                    if max(int(g["WIDTH"]), int(g["HEIGHT"])) <= 64
                ]
            )
            return seen[-1] and seen[-5:] == [seen[-1]] * 5 and seen[-1][0]

        return self.wait("the icon in the notification area", probe)

    def icon_menu(self, key):
        """Presses key in the icon's menu (a mapped window of type normal)."""
        menu = lambda: [  # noqa: E731
            w
            for w in self.windows(classname="wakery")
            if "Redirect State: yes" in self.run("xwininfo", "-id", str(w))
            and self.run("xprop", "-id", str(w), "_NET_WM_WINDOW_TYPE").endswith(
                "= _NET_WM_WINDOW_TYPE_NORMAL\n"
            )
        ]
        self.click(*self.docked_icon(), button=3)
        self.wait("the icon menu", menu)
        # Off the icon first: a second right press on it would be a double click.
        self.run("xdotool", "mousemove_relative", "--", "-200", "100", "key", key)
        self.wait("the icon menu to close", lambda: not menu())


class Unprivileged(Session):
    """Every process started as the user nobody."""

    USER = pwd.getpwnam("nobody")
    AS_USER = ["setpriv", f"--reuid={USER.pw_uid}", f"--regid={USER.pw_gid}", "--clear-groups"]

    def start(self, argv, env=None, **kwargs):
        # Preloaded past setpriv: as root, the faked clock would make a semaphore the user cannot open.
        preload = [f"LD_PRELOAD={env.pop('LD_PRELOAD')}"] if env and "LD_PRELOAD" in env else []
        return super().start(self.AS_USER + ["env"] + preload + argv, env, **kwargs)

    def run(self, *argv):
        return super().run(*self.AS_USER, *argv)


class Recording:
    """A sink's monitor at 8 kHz: when each 10 ms arrived, and its loudest sample."""

    def __init__(self, s, sink):
        self.chunks, argv = [], f"parec -d {sink}.monitor --raw --format=s16le --rate=8000 --channels=1"
        self.process = s.start(argv.split() + ["--latency-msec=10"], stdout=subprocess.PIPE)
        threading.Thread(target=self.read, daemon=True).start()

    def read(self):
        while chunk := self.process.stdout.read1(160):
            samples = array.array("h", chunk[: len(chunk) // 2 * 2])
            self.chunks.append((time.time(), max(map(abs, samples), default=0)))

    def sound(self, since, after_quiet=False):  # the first sound since then (after a silence)
        quiet = not after_quiet
        for at, peak in list(self.chunks):
            quiet = quiet or (at >= since and peak < 100)
            if at >= since and quiet and peak > 1000:
                return at

    def loudest(self, since, seconds):  # once all of those seconds arrived
        chunks = list(self.chunks)
        if chunks and chunks[-1][0] >= since + seconds:
            return max(peak for at, peak in chunks if since <= at < since + seconds)


def find(root, role, text):
    """The first node under root (None: the desktop) showing, of this role (None: any), text in its name."""
    (stack := [Atspi.get_desktop(0) if root is None else root])[0].clear_cache()
    while stack:
        node = stack.pop()
        try:
            if (
                role in (None, node.get_role_name())
                and text.lower() in (node.get_name() or "").lower()
                and (root is None or node.get_state_set().contains(Atspi.StateType.SHOWING))
            ):
                return node
            stack += [node.get_child_at_index(at) for at in reversed(range(node.get_child_count()))]
        except Exception:  # a node that went away during the walk
            pass


def application(s):
    return s.wait("the accessible application", lambda: find(None, "application", "wakery"))


def press(s, app, name):
    s.wait("the button " + name, lambda: find(app, "push button", name)).get_action_iface().do_action(0)


def add_alarm(s, app, at, days, memo):
    """Types an alarm into the editor: Tab leads from OK via Cancel to the time, Every, Sun..Sat, the memo."""
    press(s, app, "Add...")
    editor = s.wait_window("Set Alarm...")
    s.keys(editor, "Tab", "Tab", "ctrl+a")
    s.keys(editor, text=at)
    s.keys(editor, "Tab", *[key for day in range(1, 8) for key in ["Tab"] + ["space"] * (day in days)], "Tab")
    s.keys(editor, text=memo)
    s.keys(editor, "Tab", "Tab", "Return")  # Return in the sound box presses OK


NOTIFY = """<node><interface name="org.freedesktop.Notifications">
<method name="Notify"><arg type="s"/><arg type="u"/><arg type="s"/><arg type="s"/><arg type="s"/>
<arg type="as"/><arg type="a{sv}"/><arg type="i"/><arg type="u" direction="out"/></method>
<method name="CloseNotification"><arg type="u"/></method>
<method name="GetCapabilities"><arg type="as" direction="out"/></method></interface></node>"""


class Service:
    """Owns name on the session (or a new system) bus; keeps the calls to path, answered by answer()."""

    def __init__(self, s, name, path=None, xml=None, answer=lambda method, args: None, system=False):
        self.calls, self.answer = [], answer
        flags = Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION
        address = s.bus(True) if system else s.env["DBUS_SESSION_BUS_ADDRESS"]
        self.bus = Gio.DBusConnection.new_for_address_sync(address, flags, None, None)
        if xml:  # in a main loop of its own, not racing AT-SPI's calls
            self.bus.register_object(
                path, Gio.DBusNodeInfo.new_for_xml(xml).interfaces[0], self.call, None, None
            )
            threading.Thread(target=GLib.MainLoop().run, daemon=True).start()
        self.bus.call_sync(
            "org.freedesktop.DBus",
            "/org/freedesktop/DBus",
            "org.freedesktop.DBus",
            "RequestName",
            GLib.Variant("(su)", (name, 4)),
            None,
            Gio.DBusCallFlags.NONE,
            -1,
            None,
        )

    def call(self, bus, sender, path, interface, method, arguments, invocation):
        self.calls.append((method, arguments.unpack()))
        invocation.return_value(self.answer(method, self.calls[-1][1]))

    def called(self, method):
        return [arguments for name, arguments in self.calls if name == method]

    def emit(self, path, interface, name, arguments=None):
        self.bus.emit_signal(None, path, interface, name, arguments)
        self.bus.flush_sync(None)

    def resume(self):  # as login1: a kernel timer does not see the faked clock jump
        for starting in (True, False):
            manager = "org.freedesktop.login1.Manager"
            self.emit("/org/freedesktop/login1", manager, "PrepareForSleep", GLib.Variant("(b)", (starting,)))


def logind(s):  # before s.program()
    return Service(s, "org.freedesktop.login1", system=True)


def notifications(s):
    answers = {
        "Notify": GLib.Variant("(u)", (1,)),
        "GetCapabilities": GLib.Variant("(as)", (["actions", "body"],)),
    }
    path = "/org/freedesktop/Notifications"
    return Service(s, "org.freedesktop.Notifications", path, NOTIFY, lambda method, _: answers.get(method))


def main(scenarios, kind=Session):
    session = kind(os.path.abspath(sys.argv[2]))
    try:
        scenarios[sys.argv[1].replace("-", "_")](session)
    except (Failure, subprocess.TimeoutExpired) as error:
        log = session.path("wakery.log")
        output = f"\n--- the program's output:\n{open(log).read()[-3000:]}" if os.path.exists(log) else ""
        sys.exit(f"FAILED: {error}{output}")
    finally:
        session.close()
