"""The Linux program in the notification area: its StatusNotifierItem as a
host sees it, the menu's entries, the primary activation that opens the send
page (rendered by WebKitGTK, as a screenshot shows), the entries that open
pages here and in the desktop's browser, and the end from the menu."""
import os
import subprocess
import unittest

from linux_support import (APP_TITLE, BUILD_DIR, TRAY_MENU_DE, LinuxProgramTestCase, activate, click_menu_entry,
                           image_statistics, item_property, menu_entries, page_request, wait_until)


class TrayAndPages(LinuxProgramTestCase):
    def test_activation_opens_the_rendered_send_page_and_the_menu_works(self):
        self.write_account_settings()
        process, item = self.start_in_tray()
        self.assertEqual(item_property(item, "Title"), APP_TITLE)
        self.assertEqual(item_property(item, "Status"), "Active")
        self.assertEqual(item_property(item, "ToolTip")[2], "VELORA")
        self.assertTrue(item_property(item, "IconPixmap"), "the icon carries no image")
        entries = menu_entries(item)
        self.assertEqual([label for _, label, _ in entries], TRAY_MENU_DE)
        # Nothing but the icon after a start with stored account data.
        self.assertEqual(self.display.windows(APP_TITLE), [])

        activate(item)
        self.wait_for_request(page_request("/send?sApp=DW&&bSmallApp=1"))
        window = self.display.wait_for_window(APP_TITLE)
        self.assertIsNotNone(window, "the main window did not come up")
        # The page is drawn: mostly white, with the mock's text on it.
        rendered = lambda: image_statistics(self.display.screenshot(window, "linux-send-page.png"))
        self.assertTrue(wait_until(lambda: rendered()[0] > 0.7 and rendered()[1] > 0.05, 20),
                        "the page did not render: mean and deviation %r" % (rendered(),))

        click_menu_entry(item, "_Adressbuch...")
        self.wait_for_request(page_request("/contacts?sApp=DW&bSmallApp=1"))

        # Credits open in the desktop's browser, with the login and the language.
        click_menu_entry(item, "_Credits kaufen...")
        prices = "%s/info?method=prices&sApp=DW&sVersion=" % self.service_url()
        self.assertTrue(wait_until(lambda: any(url.startswith(prices) for url in self.opened()), 10),
                        "the desktop's browser was not asked: %r" % self.opened())
        self.assertTrue(self.opened()[0].endswith("&lang=de"))

        click_menu_entry(item, "_Beenden")
        self.assertEqual(process.wait(timeout=20), 0)
        settings = self.read_settings()
        self.assertIn("left", settings["formMain"])
        self.assertIn("top", settings["formMain"])

    def test_a_second_start_hands_over_and_the_running_program_opens_the_send_page(self):
        self.write_account_settings()
        first, item = self.start_in_tray()
        second = self.run_program("/options")
        self.assertEqual(second.returncode, 0)
        self.wait_for_request(page_request("/send?sApp=DW&&bSmallApp=1"))
        self.assertIsNotNone(self.display.wait_for_window(APP_TITLE))
        # No options dialog: the second start only handed over.
        self.assertEqual(self.display.windows("%s - %s" % (APP_TITLE, self.version())), [])
        self.assertIsNone(first.poll())
        click_menu_entry(item, "_Beenden")
        self.assertEqual(first.wait(timeout=20), 0)

    def service_url(self):
        from linux_support import SERVICE_URL
        return SERVICE_URL

    def version(self):
        from linux_support import VERSION
        return VERSION


class InstalledCopy(LinuxProgramTestCase):
    def test_an_installed_copy_reads_its_language_files_from_its_data_folder(self):
        prefix = os.path.join(self.home, "usr")
        subprocess.run(["cmake", "--install", BUILD_DIR, "--prefix", prefix], check=True, capture_output=True)
        self.assertTrue(os.path.exists(os.path.join(prefix, "share", "velora-desktop", "en.lang")))
        self.assertFalse(os.path.exists(os.path.join(prefix, "bin", "en.lang")))
        self.write_account_settings("[language]", "lang=en")
        process = self.start_program_file(os.path.join(prefix, "bin", "velora-desktop"))
        item = self.host.wait_for_item()
        self.assertIsNotNone(item)
        labels = [label for _, label, _ in menu_entries(item)]
        self.assertEqual(labels[0], "_Send SMS...")
        self.assertEqual(labels[-1], "E_xit")
        click_menu_entry(item, "E_xit")
        self.assertEqual(process.wait(timeout=20), 0)


class WithoutTrayHost(LinuxProgramTestCase):
    with_tray_host = False

    def test_the_program_says_so_once_and_stays_reachable_from_a_second_start(self):
        self.write_account_settings()
        process = self.start_program()
        notice = self.display.wait_for_window(APP_TITLE)
        self.assertIsNotNone(notice, "no notice that the icon cannot be shown")
        self.display.screenshot(notice, "linux-no-tray-host.png")
        self.display.key(notice, "Return")
        self.assertTrue(wait_until(lambda: not self.display.windows(APP_TITLE), 10))

        second = self.run_program()
        self.assertEqual(second.returncode, 0)
        self.wait_for_request(page_request("/send?sApp=DW&&bSmallApp=1"))
        self.assertIsNotNone(self.display.wait_for_window(APP_TITLE))
        self.assertIsNone(process.poll())
        process.terminate()


if __name__ == "__main__":
    unittest.main()
