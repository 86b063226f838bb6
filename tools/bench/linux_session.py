"""What the Linux programs are measured in: a private X display (Xvfb, no
window manager), a session bus of its own (dbus-daemon), the end-to-end
tests' StatusNotifier watcher and host as the notification area, and the
mock service on the port the build points at. Every program runs with the
same environment and a scratch home of its own, in a process group of its
own, so that it ends with the processes it started (WebKitGTK's)."""
import ctypes
import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from wine_process import MeasureError

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
TRAY_HOST = os.path.join(ROOT, "tests", "e2e_linux", "sni_host.py")
MOCK = os.path.join(ROOT, "tools", "mock_service", "mock_service.py")
STARTUP_TIMEOUT = 30


class LinuxSession:
    def __init__(self, service_port):
        self.folder = tempfile.mkdtemp(prefix="velora-bench-linux-")
        self._processes = []
        self.display = self.bus = ""
        try:
            self.display = ":" + self._start_reporting(["Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24",
                                                         "-nolisten", "tcp", "-noreset"], "Xvfb")
            self.bus = self._start_reporting(["dbus-daemon", "--session", "--nofork", "--print-address"],
                                             "dbus-daemon")
            # Unbuffered: a line read must not take the next one into a buffer
            # where select() no longer sees it.
            self.host = self._start(["/usr/bin/python3", TRAY_HOST], stdout=subprocess.PIPE, bufsize=0,
                                    env=self.environment())
            if self.host_line(STARTUP_TIMEOUT) != "ready":
                raise MeasureError("the StatusNotifier host did not start")
            self.requests_log = os.path.join(self.folder, "requests.log")
            mock = self._start([sys.executable, MOCK, "--port", str(service_port), "--root", self.folder,
                                "--log", self.requests_log], stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
            if "listening" not in mock.stdout.readline().decode():
                raise MeasureError("the mock service did not start on port %d" % service_port)
        except BaseException:
            self.close()
            raise

    def _start(self, argv, **options):
        process = subprocess.Popen(argv, stdin=subprocess.DEVNULL, **options)
        self._processes.append(process)
        return process

    def _start_reporting(self, argv, name):
        """Starts a server that prints where it listens on its first line."""
        process = self._start(argv, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        ready, _, _ = select.select([process.stdout], [], [], STARTUP_TIMEOUT)
        line = process.stdout.readline().decode().strip() if ready else ""
        if not line:
            raise MeasureError(name + " did not start")
        return line

    def close(self):
        for process in reversed(self._processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        self._processes = []
        shutil.rmtree(self.folder, ignore_errors=True)

    # ------------------------------------------------------------ programs

    def environment(self, home=None, **extra):
        env = dict(os.environ, DISPLAY=self.display, DBUS_SESSION_BUS_ADDRESS=self.bus,
                   GDK_BACKEND="x11", NO_AT_BRIDGE="1", **extra)
        if home:
            env.update(XDG_CONFIG_HOME=os.path.join(home, "config"), XDG_DATA_HOME=os.path.join(home, "data"),
                       XDG_CACHE_HOME=os.path.join(home, "cache"))
        return env

    def new_home(self):
        return tempfile.mkdtemp(prefix="home-", dir=self.folder)

    def start_program(self, argv, home, **extra_environment):
        """Starts a program in a process group of its own; answers the process."""
        return subprocess.Popen(argv, env=self.environment(home, **extra_environment), stdin=subprocess.DEVNULL,
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, start_new_session=True)

    @staticmethod
    def end_program(process, timeout=10):
        """Kills the program and every process it started, and waits until they are gone."""
        try:
            os.killpg(process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        process.wait(timeout=timeout)
        deadline = time.monotonic() + timeout
        while _group_alive(process.pid):
            if time.monotonic() > deadline:
                raise MeasureError("the processes of %d did not end" % process.pid)
            time.sleep(0.01)
        process.stdout.close()

    # ------------------------------------------------------------ the tray

    def host_line(self, timeout):
        ready, _, _ = select.select([self.host.stdout], [], [], timeout)
        if not ready:
            return None
        return self.host.stdout.readline().decode().strip()

    def wait_for_item(self, pid, timeout=STARTUP_TIMEOUT):
        """Waits until the item of the process registers with the watcher;
        answers when, on the clock of time.monotonic()."""
        wanted = "registered org.kde.StatusNotifierItem-%d-1" % pid
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            line = self.host_line(max(0.0, deadline - time.monotonic()))
            if line == wanted:
                return time.monotonic()
        raise MeasureError("the StatusNotifierItem of process %d never registered" % pid)

    def bus_call(self, *arguments):
        completed = subprocess.run(["gdbus", "call", "--session", *arguments], env=self.environment(),
                                   capture_output=True, text=True, timeout=30)
        if completed.returncode != 0:
            raise MeasureError("D-Bus call %s failed: %s" % (" ".join(arguments), completed.stderr.strip()))
        return completed.stdout.strip()

    def activate_item(self, pid):
        """What a click on the icon does."""
        self.bus_call("--dest", "org.kde.StatusNotifierItem-%d-1" % pid, "--object-path", "/StatusNotifierItem",
                      "--method", "org.kde.StatusNotifierItem.Activate", "0", "0")

    def name_owned(self, name):
        return self.bus_call("--dest", "org.freedesktop.DBus", "--object-path", "/org/freedesktop/DBus",
                             "--method", "org.freedesktop.DBus.NameHasOwner", name) == "(true,)"

    # ------------------------------------------------------------ windows

    def windows(self, title):
        completed = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % title],
                                   env=self.environment(), capture_output=True, text=True, timeout=20)
        return [int(window) for window in completed.stdout.split()]

    def close_window(self, window):
        """Asks the window to close, as a window manager's close button does."""
        _send_delete_window(self.display, window)

    # ------------------------------------------------------------ the service

    def requests(self):
        if not os.path.exists(self.requests_log):
            return []
        with open(self.requests_log, encoding="latin-1") as f:
            return [line.rstrip("\n") for line in f]


def _group_alive(group):
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % entry) as f:
                fields = f.read().rsplit(")", 1)[1].split()
        except OSError:
            continue
        if int(fields[2]) == group and fields[0] != "Z":
            return True
    return False


class _ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class _Event(ctypes.Union):
    _fields_ = [("message", _ClientMessage), ("pad", ctypes.c_long * 24)]


def _send_delete_window(display_name, window):
    """WM_DELETE_WINDOW to the window: without a window manager nobody else sends it."""
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                               ctypes.POINTER(_Event)]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = x11.XOpenDisplay(display_name.encode())
    if not display:
        raise MeasureError("cannot open the display " + display_name)
    try:
        event = _Event()
        event.message.type = 33  # ClientMessage
        event.message.window = window
        event.message.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
        event.message.format = 32
        event.message.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
        event.message.data[1] = 0  # CurrentTime
        if not x11.XSendEvent(display, window, 0, 0, ctypes.byref(event)):
            raise MeasureError("the close request did not go to window %d" % window)
        x11.XFlush(display)
    finally:
        x11.XCloseDisplay(display)
