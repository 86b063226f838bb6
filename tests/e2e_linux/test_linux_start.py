"""A start as the desktop sees it: nothing on stderr (the program runs with
G_DEBUG=fatal-criticals, so a GTK or GLib critical would also end it), the
tray item registered once with the watcher, and the options dialog's start
at log-on check box speaking of logging in, as a screen reader reads it."""
import unittest

from linux_support import APP_TITLE, VERSION, LinuxProgramTestCase, TrayHost, click_menu_entry, wait_until

OK_BUTTON = (371, 402)
ENGLISH_BUTTON = (30, 360)
OPTIONS_TITLE = "%s - %s" % (APP_TITLE, VERSION)


class CleanStart(LinuxProgramTestCase):
    def end_from_the_menu(self, process, item, exit_label="_Beenden"):
        click_menu_entry(item, exit_label)
        self.assertEqual(process.wait(timeout=20), 0)

    def test_the_first_start_and_a_start_in_the_tray_print_nothing_and_register_the_item_once(self):
        # The first start: the options dialog over the tray icon.
        process, item = self.start_in_tray()
        dialog = self.display.wait_for_window(OPTIONS_TITLE)
        self.assertIsNotNone(dialog, "no options dialog")
        self.display.click(dialog, *OK_BUTTON)
        self.assertTrue(wait_until(lambda: not self.display.windows(OPTIONS_TITLE), 10))
        self.assertEqual(self.host.registration_calls(item), 1)
        self.end_from_the_menu(process, item)
        self.assertEqual(self.stderr_of(process), "")

        # With the account stored: only the tray icon.
        process, item = self.start_in_tray()
        self.assertEqual(self.host.registration_calls(item), 1)
        self.end_from_the_menu(process, item)
        self.assertEqual(self.stderr_of(process), "")

    def test_a_restarted_tray_host_gets_the_item_once_again(self):
        self.write_account_settings()
        process, item = self.start_in_tray()
        self.host.stop()
        # Meanwhile the program says once that no host shows its icon.
        self.assertIsNotNone(self.display.wait_for_window(APP_TITLE))
        self.host = TrayHost()
        self.assertEqual(self.host.wait_for_item(), item)
        self.assertEqual(self.host.registration_calls(item), 1)
        # The end from the menu also closes the notice.
        self.end_from_the_menu(process, item)
        self.assertEqual(self.stderr_of(process), "")


class AutostartCaption(LinuxProgramTestCase):
    with_accessibility = True

    def test_the_autostart_box_speaks_of_logging_in_in_both_languages(self):
        process, item = self.start_in_tray()
        dialog = self.display.wait_for_window(OPTIONS_TITLE)
        self.assertIsNotNone(dialog, "no options dialog")
        boxes = lambda: self.accessible_names("check box")
        self.assertTrue(wait_until(lambda: "VELORA Desktop bei der Anmeldung ausf\u00fchren" in boxes(), 20),
                        boxes())
        self.display.click(dialog, *ENGLISH_BUTTON)
        self.assertTrue(wait_until(lambda: "Start VELORA Desktop when you log in" in boxes(), 20), boxes())
        self.assertFalse([name for name in boxes() if "Windows" in name])
        self.display.click(dialog, *OK_BUTTON)
        self.assertTrue(wait_until(lambda: not self.display.windows(OPTIONS_TITLE), 10))
        click_menu_entry(item, "E_xit")
        self.assertEqual(process.wait(timeout=20), 0)


if __name__ == "__main__":
    unittest.main()
