"""Stand-ins for the desktop's D-Bus services, for a Session: a login manager on a private system bus, whose
resume signal makes the program read its (faked) wall clock at once, which a kernel timer under libfaketime
cannot; and a notification service on the session bus (after s.bus()) that keeps what it is sent."""
import threading
from gi.repository import Gio, GLib

NOTIFY = """<node><interface name="org.freedesktop.Notifications"><method name="Notify"><arg type="s"/><arg type="u"/>
<arg type="s"/><arg type="s"/><arg type="s"/><arg type="as"/><arg type="a{sv}"/><arg type="i"/><arg type="u" direction="out"/>
</method></interface></node>"""


def connect(address, name):
    bus = Gio.DBusConnection.new_for_address_sync(address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
                                                  | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
    bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "RequestName",
                  GLib.Variant("(su)", (name, 4)), None, Gio.DBusCallFlags.NONE, -1, None)
    return bus


class Logind:
    """Start it before s.program(): the program takes the system bus from DBUS_SYSTEM_BUS_ADDRESS."""
    def __init__(self, s):
        s.env["DBUS_SYSTEM_BUS_ADDRESS"] = s._ready(
            f"dbus-daemon --session --nofork --address=unix:path={s.path('system-bus')} --print-address={{fd}}")
        self.bus = connect(s.env["DBUS_SYSTEM_BUS_ADDRESS"], "org.freedesktop.login1")

    def resume(self):
        for starting in (True, False):
            self.bus.emit_signal(None, "/org/freedesktop/login1", "org.freedesktop.login1.Manager", "PrepareForSleep",
                                 GLib.Variant("(b)", (starting,)))
        self.bus.flush_sync(None)


class Notifications:
    def __init__(self, s):
        self.received = []  # (app, replaces, icon, summary, body, actions, hints, timeout) per Notify
        self.bus = connect(s.env["DBUS_SESSION_BUS_ADDRESS"], "org.freedesktop.Notifications")
        self.bus.register_object("/org/freedesktop/Notifications", Gio.DBusNodeInfo.new_for_xml(NOTIFY).interfaces[0],
                                 self.call, None, None)
        threading.Thread(target=GLib.MainLoop().run, daemon=True).start()

    def call(self, bus, sender, path, interface, method, arguments, invocation):
        self.received.append(arguments.unpack())
        invocation.return_value(GLib.Variant("(u)", (len(self.received),)))
