"""A panel's StatusNotifierItem watcher on the session bus, as small as install.py needs: it takes items and
hosts as a real one does. Writes a line to the descriptor argv[1] once it owns its name."""
import os, sys  # noqa: E401
from gi.repository import Gio, GLib

XML = """<node><interface name="org.kde.StatusNotifierWatcher">
  <method name="RegisterStatusNotifierItem"><arg type="s" direction="in"/></method>
  <method name="RegisterStatusNotifierHost"><arg type="s" direction="in"/></method>
  <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
  <signal name="StatusNotifierHostRegistered"/>
</interface></node>"""
items, hosts = [], []


def call(bus, sender, path, interface, method, args, invocation):
    name = args.unpack()[0]
    if method == "RegisterStatusNotifierItem":
        items.append(sender + name if name.startswith("/") else name)  # a path alone is the caller's
    else:
        hosts.append(name)
        bus.emit_signal(None, path, interface, "StatusNotifierHostRegistered", None)
    invocation.return_value(None)


def get(bus, sender, path, interface, name):
    return GLib.Variant("as", items) if name == "RegisteredStatusNotifierItems" else GLib.Variant("b", bool(hosts))


bus = Gio.bus_get_sync(Gio.BusType.SESSION)
bus.register_object("/StatusNotifierWatcher", Gio.DBusNodeInfo.new_for_xml(XML).interfaces[0], call, get, None)
Gio.bus_own_name_on_connection(bus, "org.kde.StatusNotifierWatcher", 0, lambda *_: os.write(int(sys.argv[1]), b"ready\n"), None)
GLib.MainLoop().run()
