"""The page zoom under Wine: there is no HTML engine, so no page is drawn and
no zoom can be seen; what can be seen is that Ctrl with plus, minus and 0 and
Ctrl with the wheel, typed on the X display as a user does, change the level
the program keeps in the settings file, and that the next start goes on from
the stored level. (The unit tests under Wine see the level reach the
control's optical zoom call.)"""
import shutil
import subprocess
import unittest

from e2e_support import ProgramTestCase, describe, probe, read_settings, wait_until, windows, write_account_settings

MAIN = "class:TformMain"


class PageZoom(ProgramTestCase):
    def setUp(self):
        super().setUp()
        if not shutil.which("xdotool"):
            self.skipTest("needs xdotool")

    def stored_zoom(self):
        return dict(read_settings().get("formMain", [])).get("zoom")

    def open_page(self):
        self.double_click_tray()
        self.assertEqual(probe("wait", MAIN, "10000", "visible").returncode, 0, describe(windows()))
        window = probe("xwindow", MAIN).stdout.strip()
        self.assertTrue(window, "no X window for the main window")
        # A click into the page gives the browser the focus, as a user's does.
        self.xdotool("windowactivate", "--sync", window)
        self.xdotool("mousemove", "--window", window, "200", "250", "click", "1")
        return window

    def xdotool(self, *args):
        subprocess.run(["xdotool", *args], stdin=subprocess.DEVNULL, capture_output=True, timeout=20)

    def expect_zoom(self, value):
        self.assertTrue(wait_until(lambda: self.stored_zoom() == value, 10),
                        "formMain\\zoom is %r, not %r" % (self.stored_zoom(), value))

    def end(self, process):
        self.open_tray_menu()
        self.assertEqual(probe("menukey", "b").returncode, 0)
        self.assertTrue(wait_until(lambda: process.poll() is not None, 10), describe(windows()))
        self.assertEqual(process.returncode, 0)

    def test_the_zoom_keys_and_the_wheel_are_stored_and_the_next_start_goes_on_from_them(self):
        write_account_settings("[intern]", "firststart=false")
        process, _ = self.start_in_tray()
        self.open_page()
        self.assertIsNone(self.stored_zoom())
        self.xdotool("key", "ctrl+plus")
        self.expect_zoom("110")
        self.xdotool("key", "ctrl+KP_Add")
        self.expect_zoom("125")
        self.xdotool("key", "ctrl+minus")
        self.expect_zoom("110")
        self.xdotool("keydown", "ctrl", "click", "4", "keyup", "ctrl")
        self.expect_zoom("125")
        self.xdotool("keydown", "ctrl", "click", "5", "click", "5", "keyup", "ctrl")
        self.expect_zoom("100")
        self.xdotool("key", "ctrl+plus")
        self.expect_zoom("110")
        self.end(process)
        self.assertEqual(self.stored_zoom(), "110")

        # Restored: one step down from 110 is 100 (from the default it would
        # be 90); Ctrl with 0 then leaves it at 100 and stores nothing new.
        process, _ = self.start_in_tray()
        self.open_page()
        self.xdotool("key", "ctrl+minus")
        self.expect_zoom("100")
        self.xdotool("key", "ctrl+minus")
        self.expect_zoom("90")
        self.xdotool("key", "ctrl+0")
        self.expect_zoom("100")
        self.end(process)

    def test_a_hostile_stored_zoom_neither_stops_the_page_nor_the_keys(self):
        write_account_settings("[intern]", "firststart=false", "[formMain]", "zoom=-99999999999999999999999")
        process, _ = self.start_in_tray()
        self.open_page()
        self.xdotool("key", "ctrl+plus")
        self.expect_zoom("110")
        self.end(process)
        write_account_settings("[intern]", "firststart=false", "[formMain]", "zoom=7777")
        process, _ = self.start_in_tray()
        self.open_page()
        # Clamped to 300: one step down is 250.
        self.xdotool("key", "ctrl+minus")
        self.expect_zoom("250")
        self.end(process)


if __name__ == "__main__":
    unittest.main()
