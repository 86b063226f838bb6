"""Asked to end by a signal (SIGTERM when the user logs out, from
`systemctl --user stop` or `kill`; SIGINT from Ctrl+C in a terminal; SIGHUP
when the terminal closes), the program ends as through the tray menu's exit
entry: the window's position stored, the tray item withdrawn, exit code 0,
also while a dialog or a message box is open."""
import os
import signal
import unittest

from linux_support import APP_TITLE, VERSION, LinuxProgramTestCase, activate, page_request, wait_until


class SignalTestCase(LinuxProgramTestCase):
    def assert_ended_as_from_the_exit_entry(self, process, item=None):
        self.assertEqual(process.wait(timeout=20), 0)
        position = self.read_settings().get("formMain", {})
        self.assertIn("left", position)
        self.assertIn("top", position)
        if item:
            self.assertTrue(wait_until(lambda: self.host.drain() or "unregistered " + item in self.host.lines, 10),
                            self.host.lines)
        self.assertEqual(self.stderr_of(process), "")


class EndOnSignals(SignalTestCase):
    def test_sigterm_in_the_tray(self):
        self.write_account_settings()
        process, item = self.start_in_tray()
        process.send_signal(signal.SIGTERM)
        self.assert_ended_as_from_the_exit_entry(process, item)

    def test_sigint_with_the_main_window_shown(self):
        self.write_account_settings()
        process, item = self.start_in_tray()
        activate(item)
        self.wait_for_request(page_request("/send?sApp=DW&&bSmallApp=1"))
        self.assertIsNotNone(self.display.wait_for_window(APP_TITLE))
        process.send_signal(signal.SIGINT)
        self.assert_ended_as_from_the_exit_entry(process, item)

    def test_sighup_in_the_first_start_dialog(self):
        process, item = self.start_in_tray()
        self.assertIsNotNone(self.display.wait_for_window("%s - %s" % (APP_TITLE, VERSION)))
        process.send_signal(signal.SIGHUP)
        self.assert_ended_as_from_the_exit_entry(process, item)
        # The dialog was not confirmed: no account stored.
        self.assertNotIn("account", self.read_settings())
        self.assertTrue(os.path.exists(self.settings_path()))


class EndOnSignalsWithoutTrayHost(SignalTestCase):
    with_tray_host = False

    def test_sigterm_while_the_notice_of_the_missing_tray_is_shown(self):
        self.write_account_settings()
        process = self.start_program()
        self.assertIsNotNone(self.display.wait_for_window(APP_TITLE), "no notice that the icon cannot be shown")
        process.send_signal(signal.SIGTERM)
        self.assert_ended_as_from_the_exit_entry(process)


if __name__ == "__main__":
    unittest.main()
