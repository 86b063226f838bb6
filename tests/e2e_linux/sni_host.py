#!/usr/bin/env python3
"""A small StatusNotifier watcher and host for the end-to-end tests of the
Linux program: it owns org.kde.StatusNotifierWatcher on the session bus,
takes the items' registrations, counts itself as the host, and prints one
line per event ("ready", "registered <service>", "unregistered <service>",
and "register call <service>" for every registration call, also a repeated
one).
Test tooling, not part of the program."""
import sys

from gi.repository import Gio, GLib

WATCHER = "org.kde.StatusNotifierWatcher"
INTROSPECTION = """<node><interface name="org.kde.StatusNotifierWatcher">
  <method name="RegisterStatusNotifierItem"><arg type="s" direction="in"/></method>
  <method name="RegisterStatusNotifierHost"><arg type="s" direction="in"/></method>
  <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
  <property name="ProtocolVersion" type="i" access="read"/>
  <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
  <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
  <signal name="StatusNotifierHostRegistered"/>
</interface></node>"""

items = []
watches = {}


def say(line):
    print(line, flush=True)


def item_vanished(connection, name):
    if name in items:
        items.remove(name)
        connection.emit_signal(None, "/StatusNotifierWatcher", WATCHER, "StatusNotifierItemUnregistered",
                               GLib.Variant("(s)", (name,)))
        say("unregistered " + name)
    Gio.bus_unwatch_name(watches.pop(name))


def method_call(connection, sender, path, interface, method, parameters, invocation):
    if method == "RegisterStatusNotifierItem":
        service = parameters.unpack()[0]
        # An item may name its object path instead of its bus name.
        name = sender if service.startswith("/") else service
        say("register call " + name)
        if name not in items:
            items.append(name)
            watches[name] = Gio.bus_watch_name_on_connection(
                connection, name, Gio.BusNameWatcherFlags.NONE, None,
                lambda c, n: item_vanished(c, n))
            connection.emit_signal(None, "/StatusNotifierWatcher", WATCHER, "StatusNotifierItemRegistered",
                                   GLib.Variant("(s)", (name,)))
            say("registered " + name)
    invocation.return_value(None)


def get_property(connection, sender, path, interface, name):
    if name == "RegisteredStatusNotifierItems":
        return GLib.Variant("as", items)
    if name == "IsStatusNotifierHostRegistered":
        return GLib.Variant("b", True)
    return GLib.Variant("i", 0)


def main():
    connection = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    info = Gio.DBusNodeInfo.new_for_xml(INTROSPECTION)
    connection.register_object("/StatusNotifierWatcher", info.interfaces[0], method_call, get_property, None)
    loop = GLib.MainLoop()

    def acquired(*_):
        say("ready")

    def lost(*_):
        say("name lost")
        loop.quit()

    Gio.bus_own_name_on_connection(connection, WATCHER, Gio.BusNameOwnerFlags.NONE, acquired, lost)
    loop.run()
    return 0


if __name__ == "__main__":
    sys.exit(main())
