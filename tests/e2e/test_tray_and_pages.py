"""The running program in the tray: the tray icon's double click and menu, the
main window with the service pages, the first-close notice, the end from the
tray menu, the credits page in the system's browser, "/send" on a first start,
and a second start that hands over to the running instance."""
import hashlib
import os
import shutil
import stat
import tempfile
import unittest

from e2e_support import (EXE, MENU, MOBILE, PASSWORD, SERVICE_URL, VERSION, ProgramTestCase, describe, message_boxes,
                         probe, program_environment, read_settings, settings_path, tray_icon_shown, tray_pids,
                         wait_until, windows, wine, write_account_settings)

LOGIN_QUERY = "&sVersion=%s&sMd5Login=%s&lang=de" % (VERSION, hashlib.md5((MOBILE + PASSWORD).encode()).hexdigest())
SEND_PATH = "/send?sApp=DW&&bSmallApp=1" + LOGIN_QUERY
PRICES_URL = SERVICE_URL + "/info?method=prices&sApp=DW" + LOGIN_QUERY

# A position the main window gets from the settings and must give back.
LEFT, TOP = 140, 90

WM_KEYDOWN, VK_ESCAPE = "0x0100", "27"

MAIN = "class:TformMain"
MESSAGE_BOX = "class:#32770"


class TrayAndPages(ProgramTestCase):
    def setUp(self):
        super().setUp()
        # The mock service's log runs on through the class; this test's part
        # begins here.
        self.requests_before = len(self.service.requests())

    def visible_windows_of(self, pid):
        return [w for w in windows() if w[0] == pid and w[1]]

    def wait_for_requests(self, prefix, count, timeout=10):
        """Waits until the mock service has seen `count` requests starting with prefix."""
        matching = lambda: [r for r in self.service.requests()[self.requests_before:] if r.startswith(prefix)]
        wait_until(lambda: len(matching()) >= count, timeout)
        return matching()

    def settings_value(self, section, key):
        return dict(read_settings().get(section, [])).get(key)

    def test_start_shows_only_the_tray_and_a_double_click_opens_the_send_page(self):
        write_account_settings()
        _, pid = self.start_in_tray()
        # The first-start dialog would come right after the tray icon.
        self.assertFalse(wait_until(lambda: self.visible_windows_of(pid), 1.0),
                         "a normal start with account data showed a window:\n" + describe(windows()))

        self.double_click_tray()
        self.assertEqual(probe("wait", MAIN, "10000", "visible").returncode, 0,
                         "the double click did not show the main window:\n" + describe(windows()))
        sends = self.wait_for_requests("GET /send", 1)
        self.assertEqual([r.split(" ")[1] for r in sends], [SEND_PATH])
        # A double click shows no menu.
        self.assertFalse(any(v for _, v, c, _ in windows() if c == "#32768"), describe(windows()))

    def test_second_start_hands_over_and_the_running_instance_opens_the_send_page(self):
        write_account_settings()
        process, pid = self.start_in_tray()
        for count, switch in enumerate(("/options", "/SEND"), start=1):
            # The second start ends once the running instance has answered;
            # one that is never answered runs into the time-out and fails.
            second = wine(EXE, switch, timeout=30)
            self.assertEqual(second.returncode, 0, "second start with %s: %r" % (switch, second))
            sends = self.wait_for_requests("GET /send", count)
            self.assertEqual([r.split(" ")[1] for r in sends], [SEND_PATH] * count,
                             "after the second start with " + switch)
            self.assertEqual(probe("wait", MAIN, "5000", "visible").returncode, 0, describe(windows()))
            self.assertFalse([w for w in windows() if w[2] == "TformOptions" and w[1]],
                             "the options dialog showed:\n" + describe(windows()))
        self.assertIsNone(process.poll(), "the running instance ended")
        self.assertEqual(len(tray_pids()), 1,
                         "a second instance stayed:\n" + describe(windows()))

    def test_closing_the_main_window_hides_it_and_shows_the_notice_only_once(self):
        write_account_settings("[formMain]", "left=%d" % LEFT, "top=%d" % TOP)
        process, _ = self.start_in_tray()

        self.double_click_tray()
        self.assertEqual(probe("wait", MAIN, "10000", "visible").returncode, 0, describe(windows()))
        self.assertEqual(probe("close", MAIN).returncode, 0)
        self.assertEqual(probe("wait", MESSAGE_BOX, "5000", "visible").returncode, 0,
                         "no first-close notice:\n" + describe(windows()))
        # The window is gone while the notice is up, not only after it.
        self.assertFalse([w for w in windows() if w[2] == "TformMain" and w[1]],
                         "the main window stayed visible behind the notice:\n" + describe(windows()))
        notice = probe("children", MESSAGE_BOX).stdout
        self.assertIn("VELORA Desktop", notice)
        self.assertNotIn("%s", notice)
        self.assertEqual(self.settings_value("formMain", "left"), str(LEFT))
        self.assertEqual(self.settings_value("formMain", "top"), str(TOP))

        self.assertEqual(probe("close", MESSAGE_BOX).returncode, 0)
        self.assertEqual(probe("gone", MESSAGE_BOX, "5000").returncode, 0, describe(windows()))
        self.assertTrue(wait_until(lambda: self.settings_value("intern", "firststart") == "false", 5),
                        "intern\\firststart: %r" % self.settings_value("intern", "firststart"))
        self.assertIsNone(process.poll(), "closing the main window ended the program")

        self.double_click_tray()
        self.assertEqual(probe("wait", MAIN, "10000", "visible").returncode, 0, describe(windows()))
        self.assertEqual(probe("close", MAIN).returncode, 0)
        self.assertEqual(probe("gone", MAIN, "5000").returncode, 0, describe(windows()))
        self.assertFalse(wait_until(message_boxes, 1.0),
                         "the notice came a second time:\n" + describe(windows()))
        self.assertIsNone(process.poll(), "closing the main window ended the program")
        self.assertEqual(self.settings_value("formMain", "left"), str(LEFT))

    def test_the_tray_menu_shows_once_per_right_click_and_ends_the_program(self):
        write_account_settings("[formMain]", "left=%d" % LEFT, "top=%d" % TOP)
        process, _ = self.start_in_tray()

        self.open_tray_menu()
        open_menus = lambda: sum(1 for _, v, c, _ in windows() if v and c == "#32768")
        # Wine may list the menu as hidden for a moment while it first paints.
        self.assertTrue(wait_until(lambda: open_menus() == 1, 2), describe(windows()))
        self.assertEqual(probe("post", MENU, WM_KEYDOWN, VK_ESCAPE, "0").returncode, 0)
        self.assertEqual(probe("gone", MENU, "5000").returncode, 0, describe(windows()))
        self.assertFalse(wait_until(lambda: any(v and c == "#32768" for _, v, c, _ in windows()), 0.7),
                         "one right click showed the menu twice:\n" + describe(windows()))

        self.open_tray_menu()
        self.assertEqual(probe("menukey", "b").returncode, 0)
        self.assertTrue(wait_until(lambda: process.poll() is not None, 10),
                        "the program still runs after \"&Beenden\":\n" + describe(windows()))
        self.assertEqual(process.returncode, 0)
        self.assertEqual(self.settings_value("formMain", "left"), str(LEFT))
        self.assertEqual(self.settings_value("formMain", "top"), str(TOP))
        self.assertFalse(tray_pids(), describe(windows()))
        self.assertTrue(wait_until(lambda: not tray_icon_shown(), 5),
                        "the tray icon stayed after the end:\n" + describe(windows()))

    def test_exit_ends_the_program_when_the_settings_cannot_be_written(self):
        write_account_settings()
        process, _ = self.start_in_tray()
        # A folder where the settings file was: nothing can be written there.
        os.remove(settings_path())
        os.mkdir(settings_path())
        self.addCleanup(os.rmdir, settings_path())

        self.open_tray_menu()
        self.assertEqual(probe("menukey", "b").returncode, 0)
        self.assertEqual(probe("wait", MESSAGE_BOX, "10000", "visible").returncode, 0,
                         "the failed store was not reported:\n" + describe(windows()))
        self.assertIn("Cannot create file", probe("children", MESSAGE_BOX).stdout)
        self.assertEqual(probe("close", MESSAGE_BOX).returncode, 0)
        self.assertTrue(wait_until(lambda: process.poll() is not None, 10),
                        "the program still runs after the report:\n" + describe(windows()))
        self.assertEqual(process.returncode, 0)
        self.assertFalse(message_boxes(), "a second report:\n" + describe(windows()))

    def test_hand_overs_during_the_start_are_answered_and_open_the_send_page(self):
        write_account_settings()
        process = self.start_program(env=program_environment())
        # Handed over from the moment the running instance can be found, all
        # through its start-up.
        handed = probe("handover", "150", "20000", timeout=120)
        self.assertEqual(handed.returncode, 0, "no hand-over window:\n" + describe(windows()))
        self.assertEqual(handed.stdout.split(), ["answered", "150", "refused", "0"])
        self.assertEqual(probe("wait", MAIN, "10000", "visible").returncode, 0, describe(windows()))
        # Each hand-over opens the send page, those during the start too.
        self.assertEqual(len(self.wait_for_requests("GET /send", 150, timeout=60)), 150)
        self.assertIsNone(process.poll(), "the running instance ended")
        self.assertEqual(len(tray_pids()), 1, describe(windows()))

    def test_racing_starts_leave_one_program(self):
        write_account_settings()
        starts = [self.start_program(env=program_environment()) for _ in range(8)]
        self.assertTrue(wait_until(lambda: sum(p.poll() is None for p in starts) <= 1, 60),
                        "more than one start still runs:\n" + describe(windows()))
        running = [p for p in starts if p.poll() is None]
        self.assertEqual(len(running), 1, describe(windows()))
        self.assertEqual([p.returncode for p in starts if p is not running[0]], [0] * 7)
        self.assertTrue(wait_until(lambda: len(tray_pids()) == 1, 10), describe(windows()))
        self.assertFalse(message_boxes(), describe(windows()))

    def test_send_switch_on_a_first_start_opens_the_send_page_without_the_online_check(self):
        # Wine always reports a connection; with the check switched off the
        # program must not ask at all, and "/send" opens the page at start.
        write_account_settings("[extended]", "checkOnline=false")
        process, _ = self.start_in_tray("/send")
        self.assertEqual(probe("wait", MAIN, "10000", "visible").returncode, 0,
                         "\"/send\" did not show the main window:\n" + describe(windows()))
        sends = self.wait_for_requests("GET /send", 1)
        self.assertEqual([r.split(" ")[1] for r in sends], [SEND_PATH])
        self.assertFalse(message_boxes(),
                         "a message came up:\n" + describe(windows()))
        self.assertIsNone(process.poll())

    def test_the_credits_entry_opens_the_prices_page_in_the_system_browser(self):
        # Wine hands a URL to xdg-open; this one writes it down.
        folder = tempfile.mkdtemp(prefix="velora-browser-")
        self.addCleanup(shutil.rmtree, folder, True)
        opened = os.path.join(folder, "opened.log")
        script = os.path.join(folder, "xdg-open")
        with open(script, "w") as f:
            f.write("#!/bin/sh\nprintf '%%s\\n' \"$@\" >> '%s'\n" % opened)
        os.chmod(script, os.stat(script).st_mode | stat.S_IXUSR)

        def read_opened():
            if not os.path.exists(opened):
                return []
            with open(opened, encoding="latin-1") as f:
                return f.read().split()

        write_account_settings()
        _, pid = self.start_in_tray(env={"PATH": folder + os.pathsep + os.environ.get("PATH", "")})
        self.open_tray_menu()
        self.assertEqual(probe("menukey", "c").returncode, 0)
        self.assertTrue(wait_until(read_opened, 10), "the system's browser was not started")
        self.assertEqual(read_opened(), [PRICES_URL])
        self.assertFalse([w for w in self.visible_windows_of(pid) if w[2] == "TformMain"],
                         "the main window showed for the credits page:\n" + describe(windows()))
        self.assertFalse(self.wait_for_requests("GET /info", 1, timeout=0),
                         "the embedded browser loaded the prices page")


if __name__ == "__main__":
    unittest.main()
