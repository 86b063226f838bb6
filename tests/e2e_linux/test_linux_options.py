"""The options dialog of the Linux program, driven with the mouse and the
keyboard at its designed places: the first start's dialog stores the
account, the digit filter holds, start at log-on writes and removes the
autostart entry, and the language switch reaches the tray menu."""
import os
import unittest

from linux_support import (APP_TITLE, VERSION, LinuxProgramTestCase, click_menu_entry, menu_entries, wait_until)

# Where the controls stand in the dialog's client area (their designed places).
MOBILE_FIELD = (295, 114)
PASSWORD_FIELD = (200, 163)
AUTOSTART_BOX = (30, 247)
ENGLISH_BUTTON = (30, 360)
OK_BUTTON = (371, 402)


class OptionsDialog(LinuxProgramTestCase):
    def dialog(self):
        window = self.display.wait_for_window("%s - %s" % (APP_TITLE, VERSION))
        self.assertIsNotNone(window, "no options dialog")
        return window

    def test_first_start_stores_the_account_and_autostart_round_trips(self):
        process, item = self.start_in_tray()
        dialog = self.dialog()
        self.display.screenshot(dialog, "linux-options.png")
        self.display.click(dialog, *MOBILE_FIELD)
        # Letters, blanks and signs are dropped; at most 12 characters stay.
        self.display.type_text(dialog, "17a2 -+1234567890")
        self.display.click(dialog, *PASSWORD_FIELD)
        self.display.type_text(dialog, "geheim")
        self.display.click(dialog, *OK_BUTTON)
        self.assertTrue(wait_until(lambda: not self.display.windows("%s - %s" % (APP_TITLE, VERSION)), 10))

        self.assertTrue(wait_until(lambda: os.path.exists(self.settings_path()) and
                                   "account" in self.read_settings(), 10))
        settings = self.read_settings()
        self.assertEqual(settings["account"]["country"], "49")
        self.assertEqual(settings["account"]["nr"], "172123456789")
        self.assertEqual(settings["account"]["mobile"], "49172123456789")
        self.assertEqual(settings["account"]["password"], "geheim")
        self.assertEqual(settings["language"]["lang"], "de")
        self.assertEqual(settings["extended"]["checkOnline"], "true")
        # Ticked by default: the autostart entry starts this program.
        with open(self.autostart_path()) as f:
            entry = f.read()
        self.assertIn('Exec="%s"' % os.path.realpath(os.environ["VELORA_LINUX_EXE"]), entry)
        self.assertIn("Type=Application", entry)

        # Again from the menu: no autostart, English.
        click_menu_entry(item, "_Optionen...")
        dialog = self.dialog()
        self.display.click(dialog, *AUTOSTART_BOX)
        self.display.click(dialog, *ENGLISH_BUTTON)
        # The switch reaches the tray menu at once.
        self.assertTrue(wait_until(lambda: menu_entries(item)[0][1] != "_SMS senden...", 10), menu_entries(item))
        self.display.click(dialog, *OK_BUTTON)
        self.assertTrue(wait_until(lambda: self.read_settings().get("language", {}).get("lang") == "en", 10))
        self.assertFalse(os.path.exists(self.autostart_path()))
        # The entry that ends the program, in English now.
        exit_label = menu_entries(item)[-1][1]
        click_menu_entry(item, exit_label)
        self.assertEqual(process.wait(timeout=20), 0)

    def test_options_switch_shows_the_dialog_and_ends(self):
        self.write_account_settings()
        process = self.start_program("/OPTIONS")
        dialog = self.dialog()
        self.display.click(dialog, *OK_BUTTON)
        self.assertEqual(process.wait(timeout=20), 0)
        self.assertEqual(self.read_settings()["account"]["nr"], "1721234567")


if __name__ == "__main__":
    unittest.main()
