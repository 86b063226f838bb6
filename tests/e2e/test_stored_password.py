"""The stored password under Wine: a plain one from an earlier version gives
the same send address as before and leaves the settings file, protected by
the system's data protection in its place; a protected value that cannot be
read gives the address without a login digest and an empty password field."""
import base64
import hashlib
import os
import unittest

from dialog_layout import controls
from e2e_support import (MOBILE, PASSWORD, VERSION, ProgramTestCase, probe, read_settings, settings_path,
                         wait_until, write_account_settings)
from test_options_dialog import OPTIONS, identify

SEND_PREFIX = "/send?sApp=DW&&bSmallApp=1&sVersion=%s&" % VERSION
LOGGED_IN = SEND_PREFIX + "sMd5Login=%s&lang=de" % hashlib.md5((MOBILE + PASSWORD).encode()).hexdigest()
NOT_LOGGED_IN = SEND_PREFIX + "&lang=de"


def stored_password():
    return dict(read_settings()["account"]).get("password")


def write_password(value):
    write_account_settings()
    with open(settings_path(), encoding="cp1252", newline="") as f:
        text = f.read()
    with open(settings_path(), "w", encoding="cp1252", newline="") as f:
        f.write(text.replace("password=" + PASSWORD + "\r\n", "password=" + value + "\r\n"))


class StoredPassword(ProgramTestCase):
    def send_page_address(self):
        """Starts the program into the tray, opens the send page with a double
        click, answers the address the service saw, and ends the program."""
        before = len(self.service.requests())
        process, _ = self.start_in_tray()
        self.double_click_tray()
        sends = lambda: [r.split(" ")[1] for r in self.service.requests()[before:] if r.startswith("GET /send")]
        self.assertTrue(wait_until(lambda: sends(), 10), "the send page was not requested")
        process.kill()
        process.wait(timeout=10)
        return sends()[0]

    def password_field(self):
        """The text of the password field of a "/options" run, which then ends."""
        process = self.start_program("/options")
        dialog = "hwnd:" + self.wait_for_window(OPTIONS)
        role = identify(controls(dialog), "de")
        text = probe("text", dialog, str(role["password"]["index"])).stdout.rstrip("\r\n")
        process.kill()
        process.wait(timeout=10)
        return text

    def test_a_plain_password_keeps_the_send_address_and_leaves_the_file(self):
        write_account_settings()
        self.assertEqual(self.send_page_address(), LOGGED_IN)
        value = stored_password()
        self.assertTrue(value.startswith("dpapi:"), value)
        self.assertGreater(len(base64.b64decode(value[len("dpapi:"):], validate=True)), len(PASSWORD))
        with open(settings_path(), "rb") as f:
            self.assertNotIn(PASSWORD.encode(), f.read())

        # Read back by the next starts: the same address, the password in the
        # options dialog, and the file left as it is.
        self.assertEqual(self.send_page_address(), LOGGED_IN)
        self.assertEqual(self.password_field(), PASSWORD)
        self.assertEqual(stored_password(), value)

    def test_a_protected_value_that_cannot_be_read_counts_as_no_password(self):
        write_account_settings()
        self.start_in_tray()[0].kill()
        self.assertTrue(wait_until(lambda: stored_password().startswith("dpapi:"), 10), stored_password())
        blob = bytearray(base64.b64decode(stored_password()[len("dpapi:"):]))
        # A byte of the signature at the end changed (Wine checks no field of the blob's head).
        blob[-10] ^= 0x55
        damaged = "dpapi:" + base64.b64encode(bytes(blob)).decode()
        for value in (damaged, "dpapi:AAAA", "dpapi:not base64!", "secret-service:"):
            write_password(value)
            self.assertEqual(self.send_page_address(), NOT_LOGGED_IN, value)
            self.assertEqual(self.password_field(), "", value)
            self.assertEqual(stored_password(), value, "the stored value was changed")


if __name__ == "__main__":
    unittest.main()
