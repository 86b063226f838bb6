"""The installer the service publishes, run by hand in its silent mode over a
running copy of the program, and its uninstaller: the running copy ends
through its normal shutdown, the program, its language files, the Start-menu
entry and the uninstaller entry come and go, a start at log-on follows the
installed copy and goes with it, and the user's settings stay unless the
uninstaller is asked to remove them."""
import filecmp
import os
import shutil
import unittest

from e2e_support import (EXE, INSTALLER, SERVICE_URL, VERSION, ProgramTestCase, appdata_folder, describe, installed_folder,
                         read_settings, registry_values, remove_installation, settings_path, tray_pids, wait_until,
                         windows, wine, write_account_settings)

UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\VELORADesktop"
RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
FEATURE_KEYS = [r"HKCU\Software\Microsoft\Internet Explorer\Main\FeatureControl" + "\\" + feature
                for feature in ("FEATURE_BROWSER_EMULATION", "FEATURE_SPELLCHECKING")]
LANGUAGE_FILES = ("de.lang", "en.lang")


def start_menu_entry():
    return os.path.join(appdata_folder(), "Microsoft", "Windows", "Start Menu", "Programs", "VELORA Desktop.lnk")


class Installer(ProgramTestCase):
    @classmethod
    def setUpClass(cls):
        if not INSTALLER or not os.path.exists(INSTALLER):
            raise unittest.SkipTest("no installer was built (makensis missing?)")
        super().setUpClass()

    def setUp(self):
        super().setUp()
        remove_installation()
        self.addCleanup(remove_installation)

    def test_silent_install_replaces_a_running_copy_and_the_uninstaller_removes_everything_but_the_settings(self):
        write_account_settings("[formMain]", "left=140", "top=90")
        running, old_pid = self.start_in_tray()
        # The running copy starts at log-on from where it was before.
        self.assertEqual(wine("reg", "add", RUN_KEY, "/v", "VELORADesktop", "/d", '"C:\\old\\VELORADesktop.exe"',
                              "/f").returncode, 0)
        self.addCleanup(wine, "reg", "delete", RUN_KEY, "/v", "VELORADesktop", "/f")

        self.assertEqual(wine(INSTALLER, "/S", timeout=120).returncode, 0)
        self.assertTrue(wait_until(lambda: running.poll() is not None, 10),
                        "the running copy was not ended:\n" + describe(windows()))
        self.assertEqual(running.returncode, 0, "the running copy did not end through its normal shutdown")

        folder = installed_folder()
        program = os.path.join(folder, "VELORADesktop.exe")
        self.assertTrue(filecmp.cmp(program, EXE, shallow=False), "the installed program is not the one built")
        for name in LANGUAGE_FILES:
            self.assertTrue(os.path.isfile(os.path.join(folder, name)), name + " was not installed")
        self.assertTrue(os.path.isfile(start_menu_entry()), "no Start-menu entry")
        entry = registry_values(UNINSTALL_KEY)
        self.assertIsNotNone(entry, "no uninstaller entry")
        self.assertEqual(entry.get("DisplayVersion"), VERSION)
        self.assertEqual(entry.get("DisplayName"), "VELORA Desktop")
        self.assertTrue(entry.get("UninstallString", "").endswith('uninstall.exe"'), entry)
        self.assertEqual(entry.get("Publisher"), "VELORA")
        self.assertEqual(entry.get("URLInfoAbout"), SERVICE_URL)
        self.assertEqual(entry.get("HelpLink"), SERVICE_URL)
        # In KiB: at least the program file itself.
        self.assertGreaterEqual(int(entry.get("EstimatedSize", "0"), 0), os.path.getsize(EXE) // 1024, entry)

        # The copy it ended is started again, now the installed one.
        self.assertTrue(wait_until(lambda: tray_pids() - {old_pid}, 20),
                        "the program was not started again:\n" + describe(windows()))
        self.assertEqual(dict(read_settings()["formMain"]), {"left": "140", "top": "90"})
        # The program set the browser control's features for its file name,
        # which another program's values share the keys with.
        self.assertEqual([(registry_values(key) or {}).get("VELORADesktop.exe") for key in FEATURE_KEYS],
                         ["0x2af9", "0x1"])
        for key in FEATURE_KEYS:
            self.assertEqual(wine("reg", "add", key, "/v", "other.exe", "/t", "REG_DWORD", "/d", "1",
                                  "/f").returncode, 0)
            self.addCleanup(wine, "reg", "delete", key, "/v", "other.exe", "/f")

        # The start at log-on now starts the installed copy; it goes with
        # that copy, while another program's stays.
        windows_path = "C:" + program[program.index(os.sep + "users" + os.sep):].replace(os.sep, "\\")
        self.assertEqual((registry_values(RUN_KEY) or {}).get("VELORADesktop", "").lower(),
                         '"%s"' % windows_path.lower())
        self.assertEqual(wine("reg", "add", RUN_KEY, "/v", "Other", "/d", '"C:\\other.exe"', "/f").returncode, 0)
        self.addCleanup(wine, "reg", "delete", RUN_KEY, "/v", "Other", "/f")

        remove_installation()
        self.assertFalse(os.path.exists(folder), "the program's folder stayed")
        self.assertTrue(wait_until(lambda: not tray_pids(), 10),
                        "the uninstaller left the program running:\n" + describe(windows()))
        self.assertFalse(os.path.exists(start_menu_entry()), "the Start-menu entry stayed")
        self.assertIsNone(registry_values(UNINSTALL_KEY), "the uninstaller entry stayed")
        run_values = registry_values(RUN_KEY) or {}
        self.assertNotIn("VELORADesktop", run_values)
        self.assertIn("Other", run_values)
        for key in FEATURE_KEYS:
            values = registry_values(key) or {}
            self.assertNotIn("VELORADesktop.exe", values, key)
            self.assertIn("other.exe", values, key)
        self.assertTrue(os.path.isfile(settings_path()), "the uninstaller removed the settings")
        self.assertEqual(dict(read_settings()["account"]).get("nr"), "1721234567")


    def test_silent_uninstall_takes_the_settings_only_when_asked(self):
        settings_folder = os.path.dirname(settings_path())
        for options, kept in (((), True), (("/REMOVESETTINGS",), False)):
            self.assertEqual(wine(INSTALLER, "/S", timeout=120).returncode, 0)
            self.assertTrue(wait_until(lambda: os.path.isfile(os.path.join(installed_folder(), "uninstall.exe")), 20))
            write_account_settings()
            with open(os.path.join(settings_folder, "update.exe.download"), "wb") as f:
                f.write(b"left by a download")
            remove_installation(*options)
            self.assertFalse(os.path.exists(installed_folder()), "the program's folder stayed")
            if kept:
                self.assertTrue(os.path.isfile(settings_path()), "the settings went without being asked for")
                self.assertEqual(dict(read_settings()["account"]).get("nr"), "1721234567")
            else:
                self.assertFalse(os.path.exists(settings_folder), "the settings folder stayed although asked for")
                # The parent goes with it when nothing else is left in it.
                self.assertFalse(os.path.exists(os.path.dirname(settings_folder)))
        # Another program's files beside the settings stay.
        os.makedirs(os.path.join(appdata_folder(), "VELORA", "Other"))
        self.addCleanup(shutil.rmtree, os.path.join(appdata_folder(), "VELORA"), True)
        self.assertEqual(wine(INSTALLER, "/S", timeout=120).returncode, 0)
        self.assertTrue(wait_until(lambda: os.path.isfile(os.path.join(installed_folder(), "uninstall.exe")), 20))
        write_account_settings()
        remove_installation("/REMOVESETTINGS")
        self.assertFalse(os.path.exists(settings_folder))
        self.assertTrue(os.path.isdir(os.path.join(appdata_folder(), "VELORA", "Other")))


if __name__ == "__main__":
    unittest.main()
