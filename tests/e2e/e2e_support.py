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


def settings_path():
    return os.path.join(appdata_folder(), "VELORA", "Desktop", "VELORADesktop.ini")


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


class MockService:
    """The mock service on the address the program was built for."""

    def __init__(self):
        self.folder = tempfile.mkdtemp(prefix="velora-mock-")
        self.log = os.path.join(self.folder, "requests.log")
        port = urllib.parse.urlsplit(SERVICE_URL).port or 80
        self.process = subprocess.Popen(
            ["python3", MOCK, "--port", str(port), "--root", self.folder, "--log", self.log],
            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        line = self.process.stdout.readline()
        if "listening" not in line:
            self.stop()
            raise AssertionError("mock service did not start: " + line)

    def requests(self):
        with open(self.log, encoding="latin-1") as f:
            return [line.rstrip("\n") for line in f]

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=10)
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

    def start_program(self, *args):
        process = subprocess.Popen(["wine", EXE, *args], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    def wait_for_window(self, title, timeout_ms=20000):
        result = probe("wait", title, str(timeout_ms), "visible")
        self.assertEqual(result.returncode, 0, "no visible window titled %r; windows:\n%s"
                         % (title, probe("windows").stdout))
        return result.stdout.strip()
