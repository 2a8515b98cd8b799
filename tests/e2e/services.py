"""Stand-ins for the desktop's D-Bus services, answered from a GLib main loop in this process."""
import threading
from gi.repository import Gio, GLib

NOTIFY = """<node><interface name="org.freedesktop.Notifications"><method name="Notify"><arg type="s"/><arg type="u"/>
<arg type="s"/><arg type="s"/><arg type="s"/><arg type="as"/><arg type="a{sv}"/><arg type="i"/><arg type="u" direction="out"/>
</method></interface></node>"""
WATCHER = """<node><interface name="org.kde.StatusNotifierWatcher"><method name="RegisterStatusNotifierItem"><arg type="s"/>
</method><method name="RegisterStatusNotifierHost"><arg type="s"/></method><property name="RegisteredStatusNotifierItems"
type="as" access="read"/><property name="IsStatusNotifierHostRegistered" type="b" access="read"/></interface></node>"""
threading.Thread(target=GLib.MainLoop().run, daemon=True).start()


class Service:
    """Owns name on the bus at address; each call to path is kept in self.calls and answered by answer(method, args)."""
    def __init__(self, address, name, path=None, xml=None, answer=lambda method, args: None, get=None):
        self.calls, self.answer = [], answer
        self.bus = Gio.DBusConnection.new_for_address_sync(address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
                                                           | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
        if xml:
            self.bus.register_object(path, Gio.DBusNodeInfo.new_for_xml(xml).interfaces[0], self.call, get, None)
        self.bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "RequestName",
                           GLib.Variant("(su)", (name, 4)), None, Gio.DBusCallFlags.NONE, -1, None)

    def call(self, bus, sender, path, interface, method, arguments, invocation):
        self.calls.append((sender, method, arguments.unpack()))
        invocation.return_value(self.answer(method, self.calls[-1][2]))


def resume(logind):
    """The login manager's resume, which makes the program read its (faked) wall clock at once, as a kernel timer cannot."""
    for starting in (True, False):
        logind.bus.emit_signal(None, "/org/freedesktop/login1", "org.freedesktop.login1.Manager", "PrepareForSleep",
                               GLib.Variant("(b)", (starting,)))
    logind.bus.flush_sync(None)


def notifications(s):
    return Service(s.env["DBUS_SESSION_BUS_ADDRESS"], "org.freedesktop.Notifications", "/org/freedesktop/Notifications",
                   NOTIFY, lambda method, args: GLib.Variant("(u)", (1,)))


def sni_watcher(s):
    """A panel's StatusNotifierItem watcher that takes items and hosts as a real one does."""
    def answer(method, args):
        if method.endswith("Host"):
            watcher.bus.emit_signal(None, "/StatusNotifierWatcher", "org.kde.StatusNotifierWatcher", "StatusNotifierHostRegistered", None)

    def get(bus, sender, path, interface, name):
        return GLib.Variant("as", watcher.items()) if name.endswith("Items") else GLib.Variant("b", len(watcher.items()) < len(watcher.calls))
    watcher = Service(s.env["DBUS_SESSION_BUS_ADDRESS"], "org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher", WATCHER, answer, get)
    # An item registered by a path alone lives at that path on the caller's connection.
    watcher.items = lambda: [who + a[0] if a[0].startswith("/") else a[0] for who, m, a in watcher.calls if m.endswith("Item")]
    return watcher
