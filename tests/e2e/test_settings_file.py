"""The settings file when the program is killed while it writes it."""
import os
import time
import unittest

from e2e_support import (MOBILE, PASSWORD, ProgramTestCase, describe, program_environment, read_settings,
                         settings_path, windows, write_account_settings)

SETTINGS = "VELORADesktop.ini"
TEMPORARY = SETTINGS + ".tmp"


def folder_names():
    return sorted(os.listdir(os.path.dirname(settings_path())))


def read_bytes(name):
    with open(os.path.join(os.path.dirname(settings_path()), name), "rb") as f:
        return f.read()


def write_bytes(name, data):
    with open(os.path.join(os.path.dirname(settings_path()), name), "wb") as f:
        f.write(data)


class KilledWrites(ProgramTestCase):
    def test_killed_starts_leave_at_most_one_temporary_file_which_the_next_write_takes_over(self):
        write_account_settings()
        # What an interrupted write leaves, and files that only look like it.
        write_bytes(TEMPORARY, b"[account]\r\ncountry=49\r\nn")
        foreign = {SETTINGS + ".tmp0badf00d": b"left by an older version", "notes.txt": b"the user's own"}
        for name, data in foreign.items():
            write_bytes(name, data)
        allowed = sorted([SETTINGS, TEMPORARY, *foreign])

        # Every start rewrites the file several times (the version, the
        # country table); killing it at different moments cuts some writes short.
        for delay in (0.2, 0.4, 0.6, 0.8, 1.0, 1.3, 1.6):
            process = self.start_program(env=program_environment())
            time.sleep(delay)
            process.kill()
            process.wait(timeout=10)
            self.assertTrue(set(folder_names()) <= set(allowed), "after a kill at %.1f s: %s" % (delay, folder_names()))
            # The password is there, plain or already protected, whenever the start was cut.
            self.assertIn(self.stored_password(), (PASSWORD, "protected"), "after a kill at %.1f s" % delay)

        self.start_in_tray()
        self.assertEqual(folder_names(), sorted([SETTINGS, *foreign]), describe(windows()))
        for name, data in foreign.items():
            self.assertEqual(read_bytes(name), data, name)
        account = dict(read_settings()["account"])
        self.assertEqual((account["mobile"], self.stored_password()), (MOBILE, "protected"))
        self.assertNotIn(PASSWORD.encode(), read_bytes(SETTINGS))

    @staticmethod
    def stored_password():
        """The password as the file holds it; "protected" for the system's protected form."""
        value = dict(read_settings()["account"]).get("password")
        return "protected" if value and value.startswith("dpapi:") else value


if __name__ == "__main__":
    unittest.main()
