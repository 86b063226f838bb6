#!/usr/bin/env python3
"""A small desktop notification service for the end-to-end tests of the Linux
program: it owns org.freedesktop.Notifications on the session bus and prints
one line per notification, "notify <id> <json of app name, summary, body,
actions, desktop-entry hint>", after "ready". A line "click <id>" on its
input emits ActionInvoked(id, "default") as a desktop does when the user
clicks the notification, then NotificationClosed(id, 2).
Test tooling, not part of the program."""
import json
import sys

from gi.repository import Gio, GLib

NAME = "org.freedesktop.Notifications"
PATH = "/org/freedesktop/Notifications"
INTROSPECTION = """<node><interface name="org.freedesktop.Notifications">
  <method name="Notify">
    <arg type="s" direction="in"/><arg type="u" direction="in"/><arg type="s" direction="in"/>
    <arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="as" direction="in"/>
    <arg type="a{sv}" direction="in"/><arg type="i" direction="in"/><arg type="u" direction="out"/>
  </method>
  <method name="CloseNotification"><arg type="u" direction="in"/></method>
  <method name="GetCapabilities"><arg type="as" direction="out"/></method>
  <method name="GetServerInformation">
    <arg type="s" direction="out"/><arg type="s" direction="out"/><arg type="s" direction="out"/>
    <arg type="s" direction="out"/>
  </method>
  <signal name="NotificationClosed"><arg type="u"/><arg type="u"/></signal>
  <signal name="ActionInvoked"><arg type="u"/><arg type="s"/></signal>
</interface></node>"""

state = {"next": 1, "connection": None, "loop": None}


def say(line):
    print(line, flush=True)


def method_call(connection, sender, path, interface, method, parameters, invocation):
    if method == "Notify":
        app_name, _, _, summary, body, actions, hints, _ = parameters.unpack()
        number = state["next"]
        state["next"] += 1
        invocation.return_value(GLib.Variant("(u)", (number,)))
        say("notify %d %s" % (number, json.dumps({"app": app_name, "summary": summary, "body": body,
                                                  "actions": actions, "desktop-entry": hints.get("desktop-entry")})))
    elif method == "CloseNotification":
        invocation.return_value(None)
    elif method == "GetCapabilities":
        invocation.return_value(GLib.Variant("(as)", (["actions", "body"],)))
    elif method == "GetServerInformation":
        invocation.return_value(GLib.Variant("(ssss)", ("test", "velora", "1", "1.2")))


def command(channel, condition):
    line = sys.stdin.readline()
    if not line:
        state["loop"].quit()
        return False
    words = line.split()
    if len(words) == 2 and words[0] == "click":
        number = int(words[1])
        connection = state["connection"]
        connection.emit_signal(None, PATH, NAME, "ActionInvoked", GLib.Variant("(us)", (number, "default")))
        connection.emit_signal(None, PATH, NAME, "NotificationClosed", GLib.Variant("(uu)", (number, 2)))
        connection.flush_sync(None)
        say("clicked %d" % number)
    return True


def main():
    loop = state["loop"] = GLib.MainLoop()
    node = Gio.DBusNodeInfo.new_for_xml(INTROSPECTION)

    def bus_acquired(connection, name):
        state["connection"] = connection
        connection.register_object(PATH, node.interfaces[0], method_call, None, None)

    Gio.bus_own_name(Gio.BusType.SESSION, NAME, Gio.BusNameOwnerFlags.NONE, bus_acquired,
                     lambda connection, name: say("ready"), lambda connection, name: loop.quit())
    GLib.io_add_watch(GLib.IOChannel.unix_new(sys.stdin.fileno()), GLib.PRIORITY_DEFAULT, GLib.IO_IN | GLib.IO_HUP,
                      command)
    loop.run()


if __name__ == "__main__":
    main()
