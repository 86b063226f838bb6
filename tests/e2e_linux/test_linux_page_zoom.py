"""The zoom of the pages: Ctrl with plus, minus and 0 and Ctrl with the wheel
in the page window zoom the page (its width in CSS pixels, which the mock's
page reports, shrinks by the zoom), the level is kept in the settings file,
and it survives the page going after idle and a restart."""
import os
import unittest

from linux_support import (APP_TITLE, LinuxProgramTestCase, activate, click_menu_entry, page_request,
                           wait_until)

IDLE_SECONDS = "2"


class PageZoom(LinuxProgramTestCase):
    def setUp(self):
        super().setUp()
        with open(os.path.join(self.service.folder, "page-width.probe"), "w"):
            pass
        self.addCleanup(os.remove, os.path.join(self.service.folder, "page-width.probe"))

    def widths(self):
        return [int(line.split("?", 1)[1]) for line in self.requests()
                if line.startswith("GET /page-width?") and line.split("?", 1)[1].isdigit()]

    def wait_for_zoom(self, full_width, percent, since):
        """The page reports the width the zoom gives it (one pixel either way
        for the rounding)."""
        expected = full_width * 100 / percent
        matches = lambda: any(abs(width - expected) <= 1.5 for width in self.widths()[since:])
        self.assertTrue(wait_until(matches, 20),
                        "no page width near %.1f (zoom %d %%) was reported: %r"
                        % (expected, percent, self.widths()[since:]))

    def stored_zoom(self):
        return self.read_settings().get("formMain", {}).get("zoom")

    def open_page(self, item, entry=None):
        before = len(self.widths())
        if entry:
            click_menu_entry(item, entry)
        else:
            activate(item)
        window = self.display.wait_for_window(APP_TITLE)
        self.assertIsNotNone(window, "the main window did not come up")
        self.assertTrue(wait_until(lambda: len(self.widths()) > before, 20),
                        "the page reported no width: %r" % self.requests())
        return window, before

    def test_the_zoom_keys_and_the_wheel_zoom_the_page_and_the_level_survives_idle_and_a_restart(self):
        # No first-close notice: the window only hides.
        self.write_account_settings("[intern]", "firststart=false")
        process, item = self.start_in_tray(VELORA_BROWSER_IDLE_SECONDS=IDLE_SECONDS)
        window, before = self.open_page(item)
        self.wait_for_request(page_request("/send?sApp=DW&&bSmallApp=1"))
        full_width = self.widths()[before]
        self.assertGreater(full_width, 300)
        self.assertIsNone(self.stored_zoom())

        # Ctrl with plus (with Shift, as the US keyboard types plus), twice.
        since = len(self.widths())
        self.display.key(window, "ctrl+plus")
        self.wait_for_zoom(full_width, 110, since)
        self.assertTrue(wait_until(lambda: self.stored_zoom() == "110", 10), self.read_settings())
        self.display.key(window, "ctrl+plus")
        self.wait_for_zoom(full_width, 125, since)
        self.display.key(window, "ctrl+minus")
        self.wait_for_zoom(full_width, 110, since)
        self.assertTrue(wait_until(lambda: self.stored_zoom() == "110", 10), self.read_settings())

        # Ctrl with the wheel turned up over the page.
        since = len(self.widths())
        self.display.run("xdotool", "mousemove", "--window", window, "200", "200", "keydown", "ctrl", "click", "4",
                         "keyup", "ctrl")
        self.wait_for_zoom(full_width, 125, since)
        self.assertTrue(wait_until(lambda: self.stored_zoom() == "125", 10), self.read_settings())

        # The page goes after idle; the next one comes at the same zoom.
        self.display.close(window)
        self.assertTrue(wait_until(lambda: not self.display.windows(APP_TITLE), 10))
        self.assertTrue(wait_until(lambda: self.view_dropped(process.pid), 30))
        window, before = self.open_page(item, "_Adressbuch...")
        self.wait_for_zoom(full_width, 125, before)

        click_menu_entry(item, "_Beenden")
        self.assertEqual(process.wait(timeout=20), 0)
        self.assertEqual(self.stderr_of(process), "")
        self.assertEqual(self.stored_zoom(), "125")

        # The next start shows its first page at it; Ctrl with 0 goes back.
        process, item = self.start_in_tray()
        window, before = self.open_page(item)
        self.wait_for_zoom(full_width, 125, before)
        since = len(self.widths())
        self.display.key(window, "ctrl+0")
        self.wait_for_zoom(full_width, 100, since)
        self.assertTrue(wait_until(lambda: self.stored_zoom() == "100", 10), self.read_settings())
        click_menu_entry(item, "_Beenden")
        self.assertEqual(process.wait(timeout=20), 0)
        self.assertEqual(self.stderr_of(process), "")

    @staticmethod
    def view_dropped(pid):
        """WebKit's web process, the view's, has ended."""
        for entry in os.listdir("/proc"):
            if not entry.isdigit():
                continue
            try:
                with open("/proc/%s/stat" % entry) as f:
                    fields = f.read().rsplit(")", 1)[1].split()
                with open("/proc/%s/cmdline" % entry, "rb") as f:
                    command = os.path.basename(f.read().split(b"\0")[0].decode(errors="replace"))
            except (OSError, IndexError):
                continue
            if int(fields[1]) == pid and command.startswith("WebKitWebProcess"):
                return False
        return True

    def test_a_hostile_stored_zoom_is_clamped_and_the_page_still_comes(self):
        self.write_account_settings("[intern]", "firststart=false", "[formMain]", "zoom=1e9")
        process, item = self.start_in_tray()
        window, before = self.open_page(item)
        first = self.widths()[before]
        # What is no whole number is the default: the keys start from 100.
        since = len(self.widths())
        self.display.key(window, "ctrl+minus")
        self.wait_for_zoom(first, 90, since)
        self.assertTrue(wait_until(lambda: self.stored_zoom() == "90", 10), self.read_settings())
        click_menu_entry(item, "_Beenden")
        self.assertEqual(process.wait(timeout=20), 0)

        self.write_account_settings("[intern]", "firststart=false", "[formMain]", "zoom=5000")
        process, item = self.start_in_tray()
        window, before = self.open_page(item)
        # Clamped to the largest step.
        self.assertAlmostEqual(self.widths()[before], first * 100 / 300, delta=1.5)
        click_menu_entry(item, "_Beenden")
        self.assertEqual(process.wait(timeout=20), 0)
        self.assertEqual(self.stderr_of(process), "")


if __name__ == "__main__":
    unittest.main()
