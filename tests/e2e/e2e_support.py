"""Shared pieces of the end-to-end tests: the mock service, the program under
Wine, the probe that looks at its windows, and the files it leaves in the
Wine prefix. The environment comes from ctest (see tests/CMakeLists.txt) and
from scripts/test.sh (DISPLAY, WINEPREFIX and a running wineserver)."""
import glob
import os
import shutil
import subprocess
import tempfile
import time
import unittest
import urllib.parse

EXE = os.environ.get("VELORA_EXE", "")
PROBE = os.environ.get("VELORA_PROBE", "")
SERVICE_URL = os.environ.get("VELORA_SERVICE_URL", "http://127.0.0.1:8642")
MOCK = os.environ.get("VELORA_MOCK", "")
PREFIX = os.environ.get("WINEPREFIX", "")
VERSION = os.environ.get("VELORA_VERSION", "")
INSTALLER = os.environ.get("VELORA_INSTALLER", "")
# The probe signed with the build's certificate, and with another publisher's key.
SIGNED_PROBE = os.environ.get("VELORA_SIGNED_PROBE", "")
OTHER_PUBLISHER_PROBE = os.environ.get("VELORA_OTHER_PUBLISHER_PROBE", "")

APP_TITLE = "VELORA Desktop"


def wine(*args, timeout=30):
    """Runs a Windows program to its end. Its output goes through files, not
    pipes: Wine's helper processes inherit the handles and would keep a pipe
    open long after the program itself has ended."""
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        completed = subprocess.run(["wine", *args], stdin=subprocess.DEVNULL, stdout=out, stderr=err,
                                   timeout=timeout)
        out.seek(0)
        err.seek(0)
        return subprocess.CompletedProcess(completed.args, completed.returncode,
                                           out.read().decode("latin-1"), err.read().decode("latin-1"))


def probe(*args, timeout=60):
    return wine(PROBE, *args, timeout=timeout)


def appdata_folder():
    folders = glob.glob(os.path.join(PREFIX, "drive_c", "users", "*", "AppData", "Roaming"))
    folders = [f for f in folders if not f.split(os.sep)[-3] == "Public"]
    if not folders:
        raise AssertionError("no application-data folder in the Wine prefix " + PREFIX)
    return folders[0]


def local_appdata_folder():
    """The per-user application-data folder that does not roam (%LOCALAPPDATA%)."""
    return os.path.join(os.path.dirname(appdata_folder()), "Local")


def installed_folder():
    """Where the installer puts the program for the user."""
    return os.path.join(local_appdata_folder(), "Programs", APP_TITLE)


def remove_installation(*options, timeout=30):
    """Runs an installed copy's uninstaller silently (with `options`), as a
    clean-up. The uninstaller hands over to a copy of itself and returns at
    once, so this waits until the folder is gone."""
    uninstaller = os.path.join(installed_folder(), "uninstall.exe")
    if os.path.exists(uninstaller):
        wine(uninstaller, "/S", *options, timeout=timeout)
        wait_until(lambda: not os.path.exists(installed_folder()), timeout)


def settings_path():
    return os.path.join(appdata_folder(), "VELORA", "Desktop", "VELORADesktop.ini")


MOBILE = "491721234567"
PASSWORD = "geheim"

# The shell's callback message to the tray icon and the mouse events it carries.
TRAY = "class:TTrayMessageWindow"
TRAY_CALLBACK = "0x0401"
WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU = "0x0203", "0x0204", "0x0205", "0x007B"
MENU = "class:#32768"


def write_account_settings(*extra_lines):
    """A settings file with account data, so the program starts into the tray;
    extra_lines follow the account section."""
    os.makedirs(os.path.dirname(settings_path()), exist_ok=True)
    lines = ["[account]", "country=49", "nr=1721234567", "password=" + PASSWORD, "mobile=" + MOBILE, *extra_lines]
    with open(settings_path(), "w", encoding="cp1252", newline="") as f:
        f.write("\r\n".join(lines) + "\r\n")


def read_settings():
    """The settings file as {section: [(key, value), ...]} in file order."""
    sections, current = {}, None
    with open(settings_path(), encoding="cp1252", newline="") as f:
        for line in f.read().split("\r\n"):
            if line.startswith("[") and line.endswith("]"):
                current = sections.setdefault(line[1:-1], [])
            elif line and current is not None:
                key, _, value = line.partition("=")
                current.append((key, value))
    return sections


def wait_until(predicate, timeout, interval=0.1):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if predicate():
            return True
        time.sleep(interval)
    return predicate()


def windows():
    """Every top-level window as (pid, visible, class, title)."""
    result = []
    for line in probe("windows").stdout.splitlines():
        fields = line.split("\t")
        if len(fields) >= 4:
            result.append((fields[1], fields[2] == "1", fields[3], fields[4] if len(fields) > 4 else ""))
    return result


def describe(window_list):
    return "\n".join("%s %s %s %r" % (pid, "visible" if visible else "hidden", cls, title)
                     for pid, visible, cls, title in window_list)


def program_environment(**extra):
    """The embedded browser cannot render without Wine's HTML engine; with the
    engine switched off its navigations fail at once instead of after several
    seconds of looking for it, and the request still reaches the service."""
    overrides = os.environ.get("WINEDLLOVERRIDES", "mscoree=")
    return dict(extra, WINEDLLOVERRIDES=(overrides + ";" if overrides else "") + "mshtml=")


def tray_pids():
    """The Windows pids of the running copies of the program, by their tray windows."""
    return {pid for pid, _, cls, _ in windows() if cls == "TTrayMessageWindow"}


def message_boxes():
    """The visible message boxes and other dialog-class windows."""
    return [w for w in windows() if w[1] and w[2] == "#32770"]


def registry_values(key, value=None):
    """A registry key's values (or only the one named) as {name: data}; None
    when the key, or the named value, is missing."""
    result = wine("reg", "query", key, *(("/v", value) if value else ()))
    if result.returncode != 0:
        return None
    values = {}
    for line in result.stdout.splitlines():
        fields = line.strip().split(None, 2)
        if len(fields) == 3 and fields[1].startswith("REG_"):
            values[fields[0]] = fields[2]
    return values


def tray_icon_shown():
    """Wine shows the notification area as a window of its own while it holds an icon."""
    return any(visible and cls == "__winex11_standalone_tray" for _, visible, cls, _ in windows())


class MockService:
    """The mock service on the address the program was built for."""

    def __init__(self):
        self.folder = tempfile.mkdtemp(prefix="velora-mock-")
        self.log = os.path.join(self.folder, "requests.log")
        self.process = None
        self.resume()

    def resume(self):
        """Listens (again) on the service's port, with the same files and log."""
        if self.process and self.process.poll() is None:
            return
        port = urllib.parse.urlsplit(SERVICE_URL).port or 80
        self.process = subprocess.Popen(
            ["python3", MOCK, "--port", str(port), "--root", self.folder, "--log", self.log],
            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        line = self.process.stdout.readline()
        if "listening" not in line:
            self.stop()
            raise AssertionError("mock service did not start: " + line)

    def pause(self):
        """Stops listening: until resume(), a connection to the service's
        address is refused, as when the service is unreachable."""
        self.process.terminate()
        self.process.wait(timeout=10)
        self.process.stdout.close()

    def requests(self):
        with open(self.log, encoding="latin-1") as f:
            return [line.rstrip("\n") for line in f]

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            self.process.wait(timeout=10)
        self.process.stdout.close()
        shutil.rmtree(self.folder, ignore_errors=True)


class ProgramTestCase(unittest.TestCase):
    """Each test starts from an empty settings folder and no start-at-log-on value."""

    @classmethod
    def setUpClass(cls):
        for name, value in (("VELORA_EXE", EXE), ("VELORA_PROBE", PROBE), ("WINEPREFIX", PREFIX)):
            if not value:
                raise unittest.SkipTest(name + " is not set; run through ctest in scripts/test.sh")
        cls.service = MockService()

    @classmethod
    def tearDownClass(cls):
        cls.service.stop()

    def setUp(self):
        shutil.rmtree(os.path.join(appdata_folder(), "VELORA"), ignore_errors=True)
        self.processes = []

    def tearDown(self):
        for process in self.processes:
            if process.poll() is None:
                process.kill()
                process.wait(timeout=10)

    def start_program(self, *args, env=None):
        """env: variables to set (or override) for the program's process."""
        environment = dict(os.environ, **env) if env else None
        process = subprocess.Popen(["wine", EXE, *args], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL, env=environment)
        self.processes.append(process)
        return process

    def start_in_tray(self, *args, env=None):
        """Starts the program (stored account data assumed) and waits until its
        tray icon is there; answers the process and the program's Windows pid."""
        process = self.start_program(*args, env=program_environment(**(env or {})))
        waited = probe("wait", TRAY, "20000").returncode
        if waited != 0:
            # Whether the program ended (and how) or hangs tells the next
            # reader where to look.
            state = "still running" if process.poll() is None else "ended with exit code %d" % process.returncode
            self.fail("no tray message window, the program %s; windows:\n%s" % (state, describe(windows())))
        self.assertTrue(wait_until(tray_icon_shown, 5),
                        "the icon did not reach the notification area:\n" + describe(windows()))
        pid = next(p for p, _, c, _ in windows() if c == "TTrayMessageWindow")
        return process, pid

    def double_click_tray(self):
        self.assertEqual(probe("post", TRAY, TRAY_CALLBACK, "0", WM_LBUTTONDBLCLK).returncode, 0)

    def open_tray_menu(self):
        # As the shell reports a right click from version 5.0 on: button down,
        # button up, then the context-menu notification.
        for event in (WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU):
            self.assertEqual(probe("post", TRAY, TRAY_CALLBACK, "0", event).returncode, 0,
                             "the tray window took no message %s; windows:\n%s" % (event, describe(windows())))
        self.assertEqual(probe("wait", MENU, "5000", "visible").returncode, 0,
                         "no tray menu after a right click; windows:\n" + describe(windows()))

    def wait_for_window(self, title, timeout_ms=20000):
        result = probe("wait", title, str(timeout_ms), "visible")
        self.assertEqual(result.returncode, 0, "no visible window titled %r; windows:\n%s"
                         % (title, probe("windows").stdout))
        return result.stdout.strip()
