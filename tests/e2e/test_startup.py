"""The program's first start in a fresh prefix."""
import os
import unittest

from e2e_support import APP_TITLE, VERSION, ProgramTestCase, probe, read_settings, settings_path, wait_until


class FirstStart(ProgramTestCase):
    def test_first_start_writes_settings_and_asks_for_the_account(self):
        process = self.start_program()
        options_title = APP_TITLE + " - " + VERSION
        self.wait_for_window(options_title)

        self.assertTrue(os.path.exists(settings_path()), "settings file was not created")
        settings = read_settings()
        self.assertEqual(settings["version"], [("exe", VERSION)])
        self.assertNotIn("account", settings)

        # Closing the first-start dialog without storing anything leaves the
        # program running in the tray.
        self.assertEqual(probe("close", options_title).returncode, 0)
        self.assertEqual(probe("gone", options_title, "10000").returncode, 0)
        self.assertFalse(wait_until(lambda: process.poll() is not None, 2.0),
                         "the program ended after the first-start dialog closed")
        self.assertNotIn("account", read_settings())


if __name__ == "__main__":
    unittest.main()
