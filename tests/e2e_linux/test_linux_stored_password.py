"""The stored password of the Linux program: with a Secret Service on the
session bus (the GNOME keyring, unlocked, on a scratch keyring of the test's
own) a plain password from the settings file moves into it, the file keeps
only the marker, and the send page keeps its address, also when it is asked
for at start, before the key store has answered; without a Secret Service
the password stays in the settings file as before."""
import os
import shutil
import subprocess
import tempfile
import unittest

from linux_support import (MOBILE, PASSWORD, VERSION, LinuxProgramTestCase, activate, call, page_request, wait_until)

SEND = "/send?sApp=DW&&bSmallApp=1"
SECRETS = "org.freedesktop.secrets"


def bus_names():
    return call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "ListNames", None,
                "(as)").unpack()[0]


class Keyring:
    """gnome-keyring-daemon's Secret Service on the test's session bus, its
    login keyring created and unlocked in a folder of its own."""

    def __init__(self):
        self.home = tempfile.mkdtemp(prefix="velora-keyring-")
        environment = dict(os.environ, XDG_DATA_HOME=os.path.join(self.home, "data"), HOME=self.home,
                           XDG_RUNTIME_DIR=os.path.join(self.home, "run"))
        os.makedirs(environment["XDG_RUNTIME_DIR"], mode=0o700)
        self.environment = environment
        self.process = subprocess.Popen(["gnome-keyring-daemon", "--foreground", "--components=secrets", "--unlock"],
                                        stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                        env=environment)
        self.process.stdin.write(b"keyring password")
        self.process.stdin.close()
        if not wait_until(lambda: SECRETS in bus_names(), 20):
            self.stop()
            raise AssertionError("gnome-keyring-daemon did not come up on the session bus")

    def lookup(self, account):
        """The secret the program stored for the account, as another program reads it; None when there is none."""
        result = subprocess.run(["secret-tool", "lookup", "application", "velora-desktop", "account", account],
                                capture_output=True, text=True, env=self.environment, timeout=20)
        return result.stdout if result.returncode == 0 else None

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=10)
        wait_until(lambda: SECRETS not in bus_names(), 10)
        shutil.rmtree(self.home, ignore_errors=True)


class StoredPassword(LinuxProgramTestCase):
    def stored_password(self):
        return self.read_settings()["account"].get("password")

    def end(self, process):
        process.terminate()
        process.wait(timeout=20)

    def test_with_a_secret_service_the_password_moves_into_it_and_every_page_keeps_its_address(self):
        keyring = Keyring()
        self.addCleanup(keyring.stop)
        self.write_account_settings()
        process, item = self.start_in_tray()
        self.assertTrue(wait_until(lambda: self.stored_password() == "secret-service:", 20),
                        "the plain password stayed: %r" % self.stored_password())
        with open(self.settings_path(), "rb") as f:
            self.assertNotIn(PASSWORD.encode(), f.read())
        self.assertEqual(keyring.lookup(MOBILE), PASSWORD)
        activate(item)
        self.wait_for_request(page_request(SEND))
        self.end(process)

        # The next start asks for the send page before the key store can have
        # answered: the page waits for it and carries the digest.
        before = len(self.requests())
        process = self.start_program("/send")
        sends = lambda: [r for r in self.requests()[before:] if r.startswith("GET /send")]
        self.assertTrue(wait_until(sends, 20), "the send page was not requested")
        self.assertEqual(sends(), [page_request(SEND)])
        self.assertEqual(self.stored_password(), "secret-service:")
        self.end(process)

    def test_without_a_secret_service_the_password_stays_in_the_settings_file(self):
        self.assertNotIn(SECRETS, bus_names())
        self.write_account_settings()
        process, item = self.start_in_tray()
        activate(item)
        self.wait_for_request(page_request(SEND))
        self.assertEqual(self.stored_password(), PASSWORD)
        self.end(process)

        # A marker the key store cannot answer for: no digest, never the marker.
        self.write_account_settings()
        with open(self.settings_path(), encoding="cp1252", newline="") as f:
            text = f.read().replace("password=" + PASSWORD, "password=secret-service:")
        with open(self.settings_path(), "w", encoding="cp1252", newline="") as f:
            f.write(text)
        before = len(self.requests())
        process = self.start_program("/send")
        self.wait_for_request("GET %s&sVersion=%s&&lang=de" % (SEND, VERSION))
        self.assertFalse([r for r in self.requests()[before:] if "sMd5Login" in r])
        self.assertEqual(self.stored_password(), "secret-service:")
        self.end(process)


if __name__ == "__main__":
    unittest.main()
