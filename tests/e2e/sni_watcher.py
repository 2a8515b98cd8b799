"""A panel's StatusNotifierItem watcher on the session bus, as small as the tray scenarios need: it takes
items and hosts and tells of them as a real one does. Writes a line to the descriptor argv[1] once it
owns its name."""
import os, sys  # noqa: E401
from gi.repository import Gio, GLib

XML = """<node><interface name="org.kde.StatusNotifierWatcher">
  <method name="RegisterStatusNotifierItem"><arg type="s" direction="in"/></method>
  <method name="RegisterStatusNotifierHost"><arg type="s" direction="in"/></method>
  <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
  <property name="ProtocolVersion" type="i" access="read"/>
  <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
  <signal name="StatusNotifierHostRegistered"/>
</interface></node>"""
items, hosts = [], []


def call(bus, sender, path, interface, method, args, invocation):
    name = args.unpack()[0]
    if method == "RegisterStatusNotifierItem":
        items.append(sender + name if name.startswith("/") else name)  # a path alone means the caller's
        bus.emit_signal(None, path, interface, "StatusNotifierItemRegistered", GLib.Variant("(s)", (items[-1],)))
    else:
        hosts.append(name)
        bus.emit_signal(None, path, interface, "StatusNotifierHostRegistered", None)
    invocation.return_value(None)


def get(bus, sender, path, interface, name):
    return {"RegisteredStatusNotifierItems": GLib.Variant("as", items), "ProtocolVersion": GLib.Variant("i", 0),
            "IsStatusNotifierHostRegistered": GLib.Variant("b", bool(hosts))}[name]


def owned(bus, name):
    os.write(int(sys.argv[1]), b"ready\n")
    os.close(int(sys.argv[1]))


bus = Gio.bus_get_sync(Gio.BusType.SESSION)
bus.register_object("/StatusNotifierWatcher", Gio.DBusNodeInfo.new_for_xml(XML).interfaces[0], call, get, None)
Gio.bus_own_name_on_connection(bus, "org.kde.StatusNotifierWatcher", Gio.BusNameOwnerFlags.NONE, owned, None)
GLib.MainLoop().run()
