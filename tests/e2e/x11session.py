"""A throw-away X display for end-to-end runs of the real program: Xvfb, an optional notification-area
host (trayer), window lookups through the X tools, and the accessibility tree through AT-SPI.

Run under dbus-run-session so that the accessibility bus belongs to the test alone."""

import ctypes
import os
import random
import re
import shutil
import subprocess
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


class Failure(Exception):
    pass


def copy_program(binary, folder):
    """The program with what lies beside it in its build folder: default.wav and its loadable modules."""
    shutil.copy2(binary, folder)
    beside = os.path.dirname(binary)
    for name in os.listdir(beside):
        if name == "default.wav" or name.endswith(".so"):
            shutil.copy2(os.path.join(beside, name), folder)


def wait_for(what, probe, timeout=10.0, interval=0.05):
    """Polls probe until it returns something true; fails with what after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure("timed out waiting for " + what)
        time.sleep(interval)


class Display:
    def __init__(self, size="1024x768x24"):
        # A display number of its own, well away from :0 and the low numbers that desktops and other
        # test runners pick, so that runs side by side never meet.
        for _ in range(20):
            number = random.randint(100, 4000)
            if os.path.exists(f"/tmp/.X{number}-lock"):
                continue
            self.xvfb = self._start_server(number, size)
            if self.xvfb:
                break
        else:
            raise Failure("no free display for Xvfb")
        self.name = f":{number}"
        self.env = dict(os.environ, DISPLAY=self.name)
        self.children = []
        wait_for("the display to take connections",
                 lambda: subprocess.run(["xdpyinfo"], env=self.env, capture_output=True).returncode == 0)

    @staticmethod
    def _start_server(number, size):
        """Xvfb on :number, once it takes connections; None when that display is taken."""
        read_end, write_end = os.pipe()
        server = subprocess.Popen(["Xvfb", f":{number}", "-displayfd", str(write_end), "-screen", "0", size,
                                   "-nolisten", "tcp"], pass_fds=(write_end,), stderr=subprocess.DEVNULL)
        os.close(write_end)
        answer = b""
        while not answer.endswith(b"\n"):
            chunk = os.read(read_end, 16)
            if not chunk:
                break
            answer += chunk
        os.close(read_end)
        if answer.strip() == str(number).encode():
            return server
        server.kill()
        server.wait()
        return None

    def start(self, argv, env=None, **kwargs):
        process = subprocess.Popen(argv, env=env or self.env, **kwargs)
        self.children.append(process)
        return process

    def close(self):
        for process in reversed(self.children + [self.xvfb]):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()

    def run(self, *argv):
        return subprocess.run(argv, env=self.env, capture_output=True, text=True, check=False).stdout

    # --- windows -----------------------------------------------------------------------------------

    def tree(self):
        """Every window as (depth, id, name, width, height, x, y), x and y on the screen."""
        windows = []
        pattern = re.compile(r'^(\s*)(0x[0-9a-f]+) (?:"(.*?)":|\(has no name\):).*?\s(\d+)x(\d+)[+-]-?\d+[+-]-?\d+\s+'
                             r'\+?(-?\d+)\+?(-?\d+)\s*$')
        for line in self.run("xwininfo", "-root", "-tree").splitlines():
            match = pattern.match(line)
            if match:
                indent, wid, name, width, height, x, y = match.groups()
                windows.append((len(indent), int(wid, 16), name or "", int(width), int(height), int(x), int(y)))
        return windows

    def start_tray_host(self):
        """trayer as the notification area, docked at the top right; returns once it owns the tray."""
        process = self.start(["trayer", "--edge", "top", "--align", "right", "--widthtype", "pixel", "--width",
                              "200", "--height", "32", "--SetDockType", "true", "--transparent", "false"],
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for("the notification area", lambda: self.panel() is not None)
        return process

    def panel(self):
        for window in self.tree():
            if window[2] == "panel":
                return window
        return None

    def tray_icons(self):
        """Windows docked in the notification area that carry a name: (id, name, centre x, centre y)."""
        windows = self.tree()
        icons = []
        for at, window in enumerate(windows):
            if window[2] != "panel":
                continue
            for inner in windows[at + 1:]:
                if inner[0] <= window[0]:
                    break
                if inner[2]:
                    icons.append((inner[1], inner[2], inner[5] + inner[3] // 2, inner[6] + inner[4] // 2))
        return icons

    def docked_icon(self):
        """The first icon once it is mapped and has stopped moving: the panel lays its icons out after
        they dock, and a click before that can miss."""
        icons = [icon for icon in self.tray_icons() if "IsViewable" in self.run("xwininfo", "-id", str(icon[0]))]
        if not icons:
            return None
        time.sleep(0.2)
        return icons[0] if icons[0] in self.tray_icons() else None

    def viewable(self, title):
        """Ids of mapped windows with exactly this title."""
        out = self.run("xdotool", "search", "--onlyvisible", "--name", "^" + re.escape(title) + "$")
        return [int(line) for line in out.split()]

    def visible_of_class(self, name):
        """Ids of mapped windows whose WM_CLASS names this program."""
        out = self.run("xdotool", "search", "--onlyvisible", "--classname", "^" + re.escape(name) + "$")
        return [int(line) for line in out.split()]

    def click(self, x, y, button=1):
        self.run("xdotool", "mousemove", str(x), str(y), "click", str(button))

    def keys(self, window, *keys):
        self.run("xdotool", "windowfocus", "--sync", str(window))
        for key in keys:
            self.run("xdotool", "key", "--clearmodifiers", key)

    def type(self, window, text):
        self.run("xdotool", "windowfocus", "--sync", str(window))
        self.run("xdotool", "type", "--delay", "20", text)

    def ask_to_close(self, window):
        """What a window manager's close button does: a WM_DELETE_WINDOW message to the window."""
        x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XInternAtom.restype = ctypes.c_ulong
        x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
        x11.XFlush.argtypes = [ctypes.c_void_p]
        x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

        class ClientMessage(ctypes.Structure):
            _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                        ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                        ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                        ("data", ctypes.c_long * 5), ("pad", ctypes.c_char * 96)]

        display = x11.XOpenDisplay(self.name.encode())
        if not display:
            raise Failure("cannot open " + self.name)
        try:
            message = ClientMessage()
            message.type = 33  # ClientMessage
            message.window = window
            message.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
            message.format = 32
            message.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
            message.data[1] = 0  # CurrentTime
            x11.XSendEvent(display, window, 0, 0, ctypes.byref(message))
            x11.XFlush(display)
        finally:
            x11.XCloseDisplay(display)

    def screenshot(self, path):
        self.run("import", "-window", "root", path)


# --- accessibility tree -------------------------------------------------------------------------------

def application(name, timeout=10.0):
    def find():
        desktop = Atspi.get_desktop(0)
        desktop.clear_cache()
        for at in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(at)
            if app is not None and (app.get_name() or "").lower() == name.lower():
                return app
        return None
    return wait_for("the accessible application " + name, find, timeout)


def descendants(node, depth=0):
    if node is None or depth > 12:
        return
    yield node
    try:
        count = node.get_child_count()
    except gi.repository.GLib.Error:
        return
    for at in range(count):
        yield from descendants(node.get_child_at_index(at), depth + 1)


def find(root, role=None, name=None, showing=True):
    root.clear_cache()
    for node in descendants(root):
        try:
            if role and node.get_role_name() != role:
                continue
            if name is not None and node.get_name() != name:
                continue
            if showing and not node.get_state_set().contains(Atspi.StateType.SHOWING):
                continue
            return node
        except gi.repository.GLib.Error:
            continue
    return None


def table_rows(root, columns=4):
    """The cells of the first shown table-like view under root, as rows of texts."""
    view = None
    for role in ("tree table", "table", "tree", "list"):
        view = find(root, role=role)
        if view:
            break
    if view is None:
        return None
    cells = []
    for at in range(view.get_child_count()):
        child = view.get_child_at_index(at)
        if child is not None and child.get_role_name() == "table cell":
            cells.append(child.get_name())
    return [cells[at:at + columns] for at in range(0, len(cells), columns)]


def press(node):
    action = node.get_action_iface()
    if action is None:
        raise Failure("no action on " + (node.get_name() or "?"))
    action.do_action(0)
