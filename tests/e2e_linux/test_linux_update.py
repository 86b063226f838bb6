"""Updates on Linux: the check and its dialog as on Windows (a service that
cannot be reached among them), and, since the service's installer cannot run
here, a link to the service's download page where the Update button stands."""
import os
import unittest

from linux_support import (APP_TITLE, SERVICE_URL, TRAY_MENU_DE, LinuxProgramTestCase, click_menu_entry,
                           image_statistics, wait_until)

DOWNLOAD_LINK = (256, 275)
CANCEL_BUTTON = (359, 275)
UPDATE_ENTRY = TRAY_MENU_DE[7]


class Updates(LinuxProgramTestCase):
    def publish(self, version):
        with open(os.path.join(self.service.folder, "dw.version"), "w", newline="") as f:
            f.write("[version]\r\nstable=%s\r\n[history_de]\r\nCount=2\r\nItem0=%s: Neu\r\nItem1=Besser\r\n"
                    "[history_en]\r\nCount=1\r\nItem0=%s: New\r\n" % (version, version, version))

    def test_a_newer_version_offers_the_download_page(self):
        self.publish("0.9.6.10")
        self.write_account_settings()
        process, item = self.start_in_tray()
        click_menu_entry(item, UPDATE_ENTRY)
        self.wait_for_request("GET /update/dw.version")
        dialog = self.display.wait_for_window(APP_TITLE)
        self.assertIsNotNone(dialog, "no update dialog")
        shot = self.display.screenshot(dialog, "linux-update.png")
        self.assertGreater(image_statistics(shot)[1], 0.05)
        self.assertEqual(self.read_settings()["check"]["LastCheck"] != "0", True)

        self.display.click(dialog, *DOWNLOAD_LINK)
        expected = "%s/download?sApp=DW&lang=de" % SERVICE_URL
        self.assertTrue(wait_until(lambda: expected in self.opened(), 10),
                        "the desktop's browser was not sent to the download page: %r" % self.opened())
        # Nothing was downloaded or started, and the program runs on.
        self.assertNotIn("GET /update/VELORADesktop.exe", self.requests())
        self.assertIsNone(process.poll())
        click_menu_entry(item, TRAY_MENU_DE[-1])
        self.assertEqual(process.wait(timeout=20), 0)

    def test_the_same_version_says_there_is_none(self):
        self.publish("0.9.6.4")
        self.write_account_settings()
        process, item = self.start_in_tray()
        click_menu_entry(item, UPDATE_ENTRY)
        self.wait_for_request("GET /update/dw.version")
        dialog = self.display.wait_for_window(APP_TITLE)
        self.assertIsNotNone(dialog, "a check the user asked for shows its outcome")
        self.display.click(dialog, *DOWNLOAD_LINK)
        self.assertFalse(wait_until(lambda: self.opened(), 2), "no link without a newer version")
        click_menu_entry(item, TRAY_MENU_DE[-1])
        self.assertEqual(process.wait(timeout=20), 0)

    def test_an_unreachable_service_keeps_the_last_good_version_file(self):
        self.publish("0.9.6.10")
        self.write_account_settings()
        process, item = self.start_in_tray()
        click_menu_entry(item, UPDATE_ENTRY)
        self.wait_for_request("GET /update/dw.version")
        dialog = self.display.wait_for_window(APP_TITLE)
        self.assertIsNotNone(dialog, "no update dialog")
        version_ini = os.path.join(self.config, "VELORA", "Desktop", "version.ini")
        with open(version_ini, "rb") as f:
            published = f.read()
        self.assertIn(b"stable=0.9.6.10", published)
        self.display.click(dialog, *CANCEL_BUTTON)
        self.assertTrue(wait_until(lambda: not self.display.windows(APP_TITLE), 10), "the dialog did not close")

        # Nothing listens on the service's port: the connection is refused.
        self.addCleanup(self.service.resume)
        self.service.pause()
        click_menu_entry(item, UPDATE_ENTRY)
        dialog = self.display.wait_for_window(APP_TITLE)
        self.assertIsNotNone(dialog, "a check the user asked for shows its outcome")
        self.display.screenshot(dialog, "linux-update-failed.png")
        with open(version_ini, "rb") as f:
            self.assertEqual(f.read(), published, "the failed check replaced version.ini")
        # The last good file still offers its version.
        self.display.click(dialog, *DOWNLOAD_LINK)
        expected = "%s/download?sApp=DW&lang=de" % SERVICE_URL
        self.assertTrue(wait_until(lambda: expected in self.opened(), 10),
                        "the download link went away: %r" % self.opened())
        self.assertIsNone(process.poll())
        click_menu_entry(item, TRAY_MENU_DE[-1])
        self.assertEqual(process.wait(timeout=20), 0)


if __name__ == "__main__":
    unittest.main()
