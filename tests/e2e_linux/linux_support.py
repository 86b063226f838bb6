"""Shared pieces of the end-to-end tests of the Linux program: a private X
display, the test's StatusNotifier host, the mock service, the program with a
scratch configuration folder, the D-Bus calls a tray host makes, and a
stand-in for the desktop's browser. ctest runs each test module inside
dbus-run-session (see tests/CMakeLists.txt), so every module has a session
bus of its own."""
import ctypes
import hashlib
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from e2e_support import MockService, wait_until  # noqa: E402  (shared with the Windows tests)

from gi.repository import Gio, GLib  # noqa: E402

EXE = os.environ.get("VELORA_LINUX_EXE", "")
VERSION = os.environ.get("VELORA_VERSION", "")
SERVICE_URL = os.environ.get("VELORA_SERVICE_URL", "")
# The linux preset's build folder: screenshots go there, installs come from it.
BUILD_DIR = os.environ.get("VELORA_BUILD_DIR", "")
ARTIFACTS = BUILD_DIR or tempfile.gettempdir()
HERE = os.path.dirname(os.path.abspath(__file__))

APP_TITLE = "VELORA Desktop"
MOBILE = "491721234567"
PASSWORD = "geheim"
TRAY_MENU_DE = ["_SMS senden...", "_Erinnerung speichern...", "_Datei senden...", "-", "_Adressbuch...", "-",
                "_Credits kaufen...", "Auf _Updates pr\u00fcfen...", "_Optionen...", "-", "_Beenden"]


def login_digest(mobile=MOBILE, password=PASSWORD):
    return hashlib.md5((mobile + password).encode("latin-1")).hexdigest()


def page_request(path_and_query, lang="de"):
    """The request line the mock logs for a page, as the Windows tests expect it."""
    return "GET %s&sVersion=%s&sMd5Login=%s&lang=%s" % (path_and_query, VERSION, login_digest(), lang)


class Display:
    """A private Xvfb display, without a window manager: a window's
    coordinates are its client area's. It never resets: by default the
    server resets when its last client goes, and a program started meanwhile
    (the next start of a test) is refused its connection."""

    def __init__(self):
        read, write = os.pipe()
        self.process = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1024x768x24",
                                         "-nolisten", "tcp", "-noreset"], pass_fds=(write,), stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as f:
            number = f.readline().strip()
        if not number:
            raise AssertionError("Xvfb did not start")
        self.name = ":" + number

    def run(self, *command, timeout=20):
        return subprocess.run(command, env=dict(os.environ, DISPLAY=self.name), capture_output=True, text=True,
                              timeout=timeout)

    def windows(self, title):
        """The ids of the visible windows whose title is exactly `title`."""
        result = self.run("xdotool", "search", "--onlyvisible", "--name", "^%s$" % title.replace(".", "\\."))
        return result.stdout.split()

    def wait_for_window(self, title, timeout=20):
        found = []
        wait_until(lambda: found.extend(self.windows(title)) or bool(found), timeout)
        return found[0] if found else None

    def click(self, window, x, y):
        self.run("xdotool", "mousemove", "--window", window, str(x), str(y), "click", "1")

    def focus(self, window):
        # Without a window manager the input focus is given directly; the
        # keys then go through the X test extension as real ones do.
        self.run("xdotool", "windowfocus", "--sync", window)

    def type_text(self, window, text):
        self.focus(window)
        self.run("xdotool", "type", "--delay", "30", text)

    def key(self, window, *keys):
        self.focus(window)
        self.run("xdotool", "key", *keys)

    def close(self, window):
        """Asks the window to close as a window manager's close box does:
        a WM_DELETE_WINDOW message (there is no window manager here)."""
        x11 = ctypes.CDLL("libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XInternAtom.restype = ctypes.c_ulong
        x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
        x11.XFlush.argtypes = [ctypes.c_void_p]
        x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

        class ClientMessage(ctypes.Structure):
            _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                        ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                        ("format", ctypes.c_int), ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 19)]

        display = x11.XOpenDisplay(self.name.encode())
        if not display:
            raise AssertionError("cannot open the display " + self.name)
        try:
            event = ClientMessage(type=33, send_event=1, display=display, window=int(window),
                                  message_type=x11.XInternAtom(display, b"WM_PROTOCOLS", 0), format=32)
            event.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
            x11.XSendEvent(display, int(window), 0, 0, ctypes.byref(event))
            x11.XFlush(display)
        finally:
            x11.XCloseDisplay(display)

    def screenshot(self, window, name):
        path = os.path.join(ARTIFACTS, name)
        self.run("import", "-window", window, path)
        return path

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=10)


def image_statistics(path):
    """(mean brightness, standard deviation), both 0 to 1."""
    out = subprocess.run(["convert", path, "-colorspace", "Gray", "-format", "%[fx:mean] %[fx:standard_deviation]",
                          "info:"], capture_output=True, text=True, check=True).stdout.split()
    return float(out[0]), float(out[1])


class TrayHost:
    """The test's StatusNotifier watcher and host (sni_host.py)."""

    def __init__(self):
        self.process = subprocess.Popen([sys.executable, os.path.join(HERE, "sni_host.py")], stdout=subprocess.PIPE)
        self.lines = []
        self.pending = ""
        if self.read_line(10) != "ready":
            raise AssertionError("the StatusNotifier host did not start")

    def read_line(self, timeout):
        """The host's next line, or None when none comes within `timeout`.
        Read from the pipe itself: lines the host printed together must not
        wait in a buffer that select() does not see."""
        import select
        while "\n" not in self.pending:
            ready, _, _ = select.select([self.process.stdout], [], [], timeout)
            chunk = os.read(self.process.stdout.fileno(), 4096) if ready else b""
            if not chunk:
                return None
            self.pending += chunk.decode()
        line, self.pending = self.pending.split("\n", 1)
        self.lines.append(line.strip())
        return line.strip()

    def drain(self):
        """Reads what the host has printed so far."""
        while self.read_line(0) is not None:
            pass

    def registration_calls(self, item):
        """How often `item` called RegisterStatusNotifierItem. A call to the
        host first: it has printed everything sent to it before."""
        call("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher", "org.freedesktop.DBus.Properties", "Get",
             GLib.Variant("(ss)", ("org.kde.StatusNotifierWatcher", "RegisteredStatusNotifierItems")), "(v)")
        self.drain()
        return self.lines.count("register call " + item)

    def wait_for_item(self, timeout=20):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            for line in self.lines:
                if line.startswith("registered "):
                    self.lines.remove(line)
                    return line.split(" ", 1)[1]
            self.read_line(max(0.1, deadline - time.monotonic()))
        return None

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=10)
        self.process.stdout.close()


def bus():
    return Gio.bus_get_sync(Gio.BusType.SESSION, None)


def call(name, path, interface, method, parameters=None, reply_type=None, timeout_ms=10000):
    return bus().call_sync(name, path, interface, method, parameters,
                           GLib.VariantType(reply_type) if reply_type else None, Gio.DBusCallFlags.NONE,
                           timeout_ms, None)


def item_property(item, name):
    reply = call(item, "/StatusNotifierItem", "org.freedesktop.DBus.Properties", "Get",
                 GLib.Variant("(ss)", ("org.kde.StatusNotifierItem", name)), "(v)")
    return reply.unpack()[0]


def menu_entries(item):
    """The tray menu's top level as [(id, label or "-", enabled)]."""
    menu_path = item_property(item, "Menu")
    reply = call(item, menu_path, "com.canonical.dbusmenu", "GetLayout", GLib.Variant("(iias)", (0, -1, [])),
                 "(u(ia{sv}av))")
    _, (root_id, _, children) = reply.unpack()
    entries = []
    for child in children:
        entry_id, properties, _ = child
        label = "-" if properties.get("type") == "separator" else properties.get("label", "")
        entries.append((entry_id, label, properties.get("enabled", True)))
    return entries


def click_menu_entry(item, label):
    entries = menu_entries(item)
    ids = [entry_id for entry_id, text, _ in entries if text == label]
    if not ids:
        raise AssertionError("no menu entry %r in %r" % (label, entries))
    call(item, item_property(item, "Menu"), "com.canonical.dbusmenu", "Event",
         GLib.Variant("(isvu)", (ids[0], "clicked", GLib.Variant("s", ""), 0)))


def activate(item):
    call(item, "/StatusNotifierItem", "org.kde.StatusNotifierItem", "Activate", GLib.Variant("(ii)", (0, 0)))


class LinuxProgramTestCase(unittest.TestCase):
    """Each test gets a scratch home for the program: configuration (the
    settings and the autostart entry), data and cache folders, and a desktop
    browser that only notes the addresses it is asked to open."""

    with_tray_host = True
    # The GTK accessibility bridge, for the tests that read the controls as
    # a screen reader does (accessible_names).
    with_accessibility = False

    @classmethod
    def setUpClass(cls):
        if not EXE:
            raise unittest.SkipTest("VELORA_LINUX_EXE is not set; run through ctest --preset linux")
        if not os.environ.get("DBUS_SESSION_BUS_ADDRESS"):
            raise unittest.SkipTest("no session bus; run inside dbus-run-session")
        cls.display = Display()
        cls.service = MockService()

    @classmethod
    def tearDownClass(cls):
        cls.service.stop()
        cls.display.stop()

    def setUp(self):
        self.home = tempfile.mkdtemp(prefix="velora-home-")
        self.config = os.path.join(self.home, "config")
        self.opened_log = os.path.join(self.home, "opened.log")
        self.install_browser_stand_in()
        self.processes = []
        self.host = TrayHost() if self.with_tray_host else None

    def tearDown(self):
        for process in self.processes:
            if process.poll() is None:
                process.kill()
                process.wait(timeout=10)
        if self.host:
            self.host.stop()
        # The next test's program must find the session's name free.
        wait_until(lambda: not self.program_running(), 10)
        shutil.rmtree(self.home, ignore_errors=True)

    def install_browser_stand_in(self):
        applications = os.path.join(self.home, "data", "applications")
        os.makedirs(applications)
        os.makedirs(self.config)
        with open(os.path.join(applications, "velora-test-browser.desktop"), "w") as f:
            f.write("[Desktop Entry]\nType=Application\nName=Test browser\n"
                    "Exec=sh -c 'echo \"$1\" >> %s' browser %%u\n"
                    "MimeType=x-scheme-handler/http;x-scheme-handler/https;\n" % self.opened_log)
        with open(os.path.join(self.config, "mimeapps.list"), "w") as f:
            f.write("[Default Applications]\nx-scheme-handler/http=velora-test-browser.desktop\n"
                    "x-scheme-handler/https=velora-test-browser.desktop\n")

    def environment(self):
        # Every GTK or GLib critical ends the program: none may come up.
        environment = dict(os.environ, DISPLAY=self.display.name, XDG_CONFIG_HOME=self.config,
                           XDG_DATA_HOME=os.path.join(self.home, "data"),
                           XDG_CACHE_HOME=os.path.join(self.home, "cache"), GDK_BACKEND="x11",
                           G_DEBUG="fatal-criticals")
        if not self.with_accessibility:
            environment["NO_AT_BRIDGE"] = "1"
        return environment

    def settings_path(self):
        return os.path.join(self.config, "VELORA", "Desktop", "VELORADesktop.ini")

    def autostart_path(self):
        return os.path.join(self.config, "autostart", "velora-desktop.desktop")

    def write_account_settings(self, *extra_lines):
        os.makedirs(os.path.dirname(self.settings_path()), exist_ok=True)
        lines = ["[account]", "country=49", "nr=1721234567", "password=" + PASSWORD, "mobile=" + MOBILE,
                 *extra_lines]
        with open(self.settings_path(), "w", encoding="cp1252", newline="") as f:
            f.write("\r\n".join(lines) + "\r\n")

    def read_settings(self):
        sections, current = {}, None
        with open(self.settings_path(), encoding="cp1252", newline="") as f:
            for line in f.read().split("\r\n"):
                if line.startswith("[") and line.endswith("]"):
                    current = sections.setdefault(line[1:-1], {})
                elif line and current is not None:
                    key, _, value = line.partition("=")
                    current[key] = value
        return sections

    def opened(self):
        if not os.path.exists(self.opened_log):
            return []
        with open(self.opened_log) as f:
            return [line.strip() for line in f if line.strip()]

    def start_program(self, *args):
        return self.start_program_file(EXE, *args)

    def start_program_file(self, program, *args, **environment):
        """Starts the program; what it prints on stderr goes to a file
        (stderr_of)."""
        stderr_path = os.path.join(self.home, "stderr-%d.log" % len(self.processes))
        with open(stderr_path, "w") as stderr:
            process = subprocess.Popen([program, *args], env=dict(self.environment(), **environment),
                                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=stderr)
        process.stderr_path = stderr_path
        self.processes.append(process)
        return process

    @staticmethod
    def stderr_of(process):
        with open(process.stderr_path, errors="replace") as f:
            return f.read()

    def run_program(self, *args, timeout=30):
        return subprocess.run([EXE, *args], env=self.environment(), stdin=subprocess.DEVNULL,
                              capture_output=True, timeout=timeout)

    def start_in_tray(self, *args, **environment):
        """Starts the program (account data assumed stored) and waits until the
        host has its icon; answers the process and the item's bus name."""
        process = self.start_program_file(EXE, *args, **environment)
        item = self.host.wait_for_item()
        self.assertIsNotNone(item, "the program's StatusNotifierItem never registered (exit status %r, stderr %r)"
                             % (process.poll(), self.stderr_of(process)))
        self.assertEqual(item, "org.kde.StatusNotifierItem-%d-1" % process.pid)
        return process, item

    @staticmethod
    def program_running():
        names = call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "ListNames",
                     None, "(as)").unpack()[0]
        return "com.velora.Desktop" in names

    def requests(self):
        return [" ".join(line.split(" ")[:2]) for line in self.service.requests()]

    def wait_for_request(self, line, timeout=20):
        self.assertTrue(wait_until(lambda: line in self.requests(), timeout),
                        "the service never saw %r; it saw:\n%s" % (line, "\n".join(self.requests())))

    def accessible_names(self, role):
        """The names a screen reader hears for the program's controls of
        `role` ("check box", "push button", ...), in tree order; the
        program must run with_accessibility."""
        import gi
        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi
        os.environ["DISPLAY"] = self.display.name

        def walk(accessible, names):
            if accessible.get_role_name() == role:
                names.append(accessible.get_name())
            for i in range(accessible.get_child_count()):
                child = accessible.get_child_at_index(i)
                if child is not None:
                    walk(child, names)
            return names

        desktop = Atspi.get_desktop(0)
        names = []
        for i in range(desktop.get_child_count()):
            application = desktop.get_child_at_index(i)
            if application is not None and application.get_name() == "velora-desktop":
                walk(application, names)
        return names
