"""The update check from the tray: a manual check that finds a newer version
and installs it, a manual check that finds none, the four-day rule of the
automatic check before a page opens, an installer download that breaks off,
installers that fail the signature check, error pages, a service that cannot
be reached, a long version history, a service that goes silent, checks while
another stalls and a download the program's end cut short. The version file
and the installer live in the program's data folder next to its settings."""
import filecmp
import os
import re
import shutil
import time
import unittest

import dialog_layout
from dialog_layout import caption_fits, client_size, controls, only, outside, overlapping, scaled, use_display_dpi
from e2e_support import (EXE, INSTALLER, OTHER_PUBLISHER_PROBE, PROBE, SIGNED_PROBE, VERSION, ProgramTestCase, describe,
                         installed_folder, message_boxes, probe, read_settings, remove_installation, settings_path,
                         tray_pids, wait_until, windows, write_account_settings)

AGENT = "VELORA Desktop"
VERSION_REQUEST = "GET /update/dw.version " + AGENT
# Logged by the mock service when the program gives up a reply that stalled.
VERSION_STALL_CLOSED = "CLOSED /update/dw.version"
INSTALLER_REQUEST = "GET /update/VELORADesktop.exe " + AGENT

DIALOG = "class:TformUpdate"
MESSAGE_BOX = "class:#32770"

NO_UPDATE_TEXT = "Sie verwenden bereits die aktuelle Version %s." % VERSION
GET_UPDATE_TEXT = "Eine neue Version ist verf\xfcgbar. Klicken Sie auf \x84Update\x93, um sie zu installieren."
CHECK_FAILED_TEXT = {"de": "Die Pr\xfcfung auf Updates ist fehlgeschlagen. Bitte versuchen Sie es sp\xe4ter erneut.",
                     "en": "The check for updates failed. Please try again later."}
# The engine's refusal of a check while another runs, in the error display's box.
NOT_STOPPED_TEXT = "The grabber is not stopped, you cannot change its URL."
NOT_VERIFIED_TEXT = {"de": "Der Download konnte nicht verifiziert werden und wurde nicht gestartet.",
                     "en": "The download could not be verified and was not started."}
# The dialog's captions and its offer of an update by language.
DIALOG_TEXTS = {
    "de": {"actual": "aktuelle Version", "installed": "installierte Version", "cancel": "&Abbruch",
           "history": "&Versionshistorie",
           "offer": GET_UPDATE_TEXT},
    "en": {"actual": "current version", "installed": "installed version", "cancel": "&Cancel",
           "history": "Version &history",
           "offer": 'A new version is available. Click "Update" to install it.'},
}
HISTORY_DE = ["99.0.0.0: Alles neu", "98.0.0.0: Vieles besser"]

# The dialog's font (see "fits" in Probe.cpp), its client area and the
# designed places (x, y, width, height; None where the control sizes itself).
FORM_FONT = ("Tahoma", "8")
CLIENT = (405, 297)
SS_OWNERDRAW = 0x0D
DESIGN = {
    "panelActual": (8, 8, 185, 41),
    "panelInstall": (212, 8, 185, 41),
    "labelCaptionActual": (16, 16, None, None),
    "labelCaptionInstalled": (220, 16, None, None),
    "labelHistory": (8, 50, None, None),
    "memoHistory": (8, 64, 389, 170),
    "progress": (8, 240, 389, 17),
    "labelUpdate": (8, 258, 225, 39),
    "buttonUpdate": (241, 263, 75, 25),
    "buttonCancel": (322, 263, 75, 25),
}

# The store's date-time text: a date and a time of day, whatever the regional order.
DATE_TIME = re.compile(r"^\d{1,4}[./-]\d{1,2}[./-]\d{1,4} \d{1,2}:\d{2}(:\d{2})?( ?[AP]M)?$")


def version_file(stable, history_de=HISTORY_DE):
    lines = ["[version]", "stable=" + stable, "", "[history_de]", "Count=%d" % len(history_de)]
    lines += ["Item%d=%s" % (i, line) for i, line in enumerate(history_de)]
    lines += ["", "[history_en]", "Count=1", "Item0=99.0.0.0: All new"]
    return ("\r\n".join(lines) + "\r\n").encode("cp1252")


class UpdateCheck(ProgramTestCase):
    def setUp(self):
        super().setUp()
        self.requests_before = len(self.service.requests())
        for name in ("dw.version", "dw.version.stall", "dw.version.status", "VELORADesktop.exe",
                     "VELORADesktop.exe.truncate", "VELORADesktop.exe.status", "VELORADesktop.exe.stall"):
            path = os.path.join(self.service.folder, name)
            if os.path.exists(path):
                os.remove(path)

    # -- set-up ------------------------------------------------------------------------------------

    def data_folder(self):
        return os.path.dirname(settings_path())

    def publish(self, stable, history_de=HISTORY_DE):
        content = version_file(stable, history_de)
        with open(os.path.join(self.service.folder, "dw.version"), "wb") as f:
            f.write(content)
        return content

    def stall_version_replies(self, count):
        """The next `count` replies with the version file send their headers
        and then nothing, until the program gives up."""
        self.set_marker("dw.version.stall", str(count))

    def offer_installer(self, installer=SIGNED_PROBE, broken_off=False, status=None, changed_byte=None):
        """Publishes a program as the installer; by default the signed probe
        stands in for it: a real Windows program, signed as the installer is,
        that starts, prints its usage and ends. status: the reply's HTTP status
        instead of 200; changed_byte: an offset whose byte the served copy has
        changed. Answers the path of what is served."""
        served = os.path.join(self.service.folder, "VELORADesktop.exe")
        shutil.copyfile(installer, served)
        if changed_byte is not None:
            with open(served, "r+b") as f:
                f.seek(changed_byte)
                byte = f.read(1)
                f.seek(changed_byte)
                f.write(bytes([byte[0] ^ 0x01]))
        self.set_marker("VELORADesktop.exe.truncate", "" if broken_off else None)
        self.set_marker("VELORADesktop.exe.status", None if status is None else str(status))
        return installer

    def set_marker(self, name, content):
        """A marker file of the mock service with that content; None removes it."""
        path = os.path.join(self.service.folder, name)
        if content is None:
            if os.path.exists(path):
                os.remove(path)
            return
        with open(path, "w") as f:
            f.write(content)

    # -- user actions ------------------------------------------------------------------------------

    def check_manually(self):
        """The tray menu's "Auf &Updates pruefen..."."""
        self.open_tray_menu()
        self.assertEqual(probe("menukey", "u").returncode, 0)

    def dialog_children(self):
        """The update dialog's child windows as [(index, class, text)]."""
        result = []
        for line in probe("children", DIALOG).stdout.splitlines():
            fields = line.split("\t")
            if len(fields) >= 5:
                result.append((fields[0], fields[1], fields[4]))
        return result

    def update_button(self):
        buttons = [index for index, cls, text in self.dialog_children() if cls.lower() == "button" and text == "&Update"]
        self.assertEqual(len(buttons), 1, "no single Update button in the dialog: %r" % self.dialog_children())
        return buttons[0]

    def wait_for_dialog(self, timeout_ms=15000):
        waited = probe("wait", DIALOG, str(timeout_ms), "visible", timeout=timeout_ms / 1000 + 30)
        self.assertEqual(waited.returncode, 0,
                         "the update dialog did not show; requests %r; windows:\n%s"
                         % (self.new_requests(), describe(windows())))

    # -- observations ------------------------------------------------------------------------------

    def wait_for_status(self, text, what):
        """The visible dialog's status line comes to say `text`, readably."""
        self.wait_for_dialog()
        shown = lambda: text in [t for _, _, t in self.dialog_children()]
        self.assertTrue(wait_until(shown, 10), "%s: the dialog does not say %r: %r"
                        % (what, text, self.dialog_children()))
        self.assert_readable(text)

    def close_dialog(self):
        self.assertTrue(probe("close", DIALOG).returncode == 0 and probe("gone", DIALOG, "5000").returncode == 0,
                        "the dialog did not close:\n" + describe(windows()))

    def progress_shown(self):
        for line in probe("children", DIALOG).stdout.splitlines():
            fields = line.split("\t")
            if len(fields) >= 4 and fields[1].lower() == "msctls_progress32":
                return fields[3] == "1"
        return False

    def wait_for_refusal(self, language, what):
        """The installer download shows the progress bar until it has ended;
        then the dialog must say that the download could not be verified."""
        self.assertTrue(wait_until(lambda: not self.progress_shown(), 15),
                        what + ": the download did not end; windows:\n" + describe(windows()))
        texts = [text for _, _, text in self.dialog_children()]
        self.assertIn(NOT_VERIFIED_TEXT[language], texts, what + ": the dialog does not say so")
        self.assert_readable(NOT_VERIFIED_TEXT[language])

    def assert_readable(self, status):
        """The status line wraps in the space left of the buttons, within the dialog."""
        lines = probe("rects", DIALOG).stdout.splitlines()
        client_height = int(lines[0].split("\t")[2])
        rects = {f[0]: [int(v) for v in f[3:7]] for f in (line.split("\t") for line in lines[1:]) if len(f) >= 7}
        children = self.dialog_children()
        label = rects[next(index for index, _, text in children if text == status)]
        button = rects[self.update_button()]
        self.assertLessEqual(label[0] + label[2], button[0], "the status runs under the buttons: %r" % rects)
        self.assertLessEqual(label[1] + label[3], client_height, "the status runs off the dialog: %r" % rects)

    def check_dialog_layout(self, dpi, lang="de"):
        """The dialog's controls in their designed places scaled to `dpi`
        (within two pixels where it is not 96), none cut off or overlapping
        another, every caption fitting, the window's icons at this density's sizes."""
        texts = DIALOG_TEXTS[lang]
        found = controls(DIALOG)
        where = "in %s at %d DPI:\n%s" % (lang, dpi, dialog_layout.describe(found))
        static = lambda text: only(found, text, lambda c: c["cls"] == "Static" and c["text"] == text)
        panels = sorted((c for c in found if c["cls"] == "Static" and c["style"] & 0x1F == SS_OWNERDRAW),
                        key=lambda c: c["x"])
        self.assertEqual(len(panels), 2, where)
        role = {
            "panelActual": panels[0],
            "panelInstall": panels[1],
            "labelCaptionActual": static(texts["actual"]),
            "labelCaptionInstalled": static(texts["installed"]),
            "labelHistory": static(texts["history"]),
            "memoHistory": only(found, "history", lambda c: c["cls"] == "Edit"),
            "progress": only(found, "progress bar", lambda c: c["cls"] == "msctls_progress32"),
            "labelUpdate": static(texts["offer"]),
            "buttonUpdate": only(found, "Update", lambda c: c["cls"] == "Button" and c["text"] == "&Update"),
            "buttonCancel": only(found, "cancel", lambda c: c["cls"] == "Button" and c["text"] == texts["cancel"]),
        }
        client = client_size(DIALOG)
        self.assertEqual(client, (scaled(CLIENT[0], dpi), scaled(CLIENT[1], dpi)), where)
        slack = 0 if dpi == 96 else 2
        for name, design in DESIGN.items():
            # The progress bar shows only while the installer downloads.
            self.assertEqual(role[name]["visible"], name != "progress", name + " " + where)
            for key, length in zip(("x", "y", "w", "h"), design):
                if length is not None:
                    self.assertAlmostEqual(role[name][key], scaled(length, dpi), delta=slack,
                                           msg="%s %s %s" % (name, key, where))
        self.assertEqual([(a["index"], b["index"]) for a, b in overlapping(found, panels)], [], where)
        self.assertEqual(outside(found, client), [], where)
        cut = [row for row in caption_fits(DIALOG, FORM_FONT) if row[2] != "1"]
        self.assertEqual(cut, [], "captions that do not fit (index kind fits needed available text) " + where)
        self.assertEqual(dialog_layout.window_icon_sizes(DIALOG), [scaled(16, dpi), scaled(32, dpi)], where)

    def new_requests(self):
        return self.service.requests()[self.requests_before:]

    def requests_of(self, request):
        return [r for r in self.new_requests() if r == request]

    def wait_for_request(self, request, count=1, timeout=10):
        wait_until(lambda: len(self.requests_of(request)) >= count, timeout)
        self.assertEqual(len(self.requests_of(request)), count,
                         "expected %d x %r; the service saw %r" % (count, request, self.new_requests()))

    def last_check(self):
        return dict(read_settings().get("check", [])).get("LastCheck")

    def file_in_data_folder(self, name):
        return os.path.join(self.data_folder(), name)

    def offer_newer_version(self, *settings):
        """A manual check while the service publishes 99.0.0.0, with the
        account and `settings` lines stored; answers the running process and
        the published file's bytes."""
        write_account_settings(*settings)
        self.requests_before = len(self.service.requests())
        published = self.publish("99.0.0.0")
        process, _ = self.start_in_tray()
        self.check_manually()
        self.wait_for_request(VERSION_REQUEST)
        self.wait_for_dialog()
        return process, published

    # -- scenarios ---------------------------------------------------------------------------------

    def test_a_newer_version_is_offered_and_its_installer_downloaded_and_started(self):
        process, published = self.offer_newer_version()
        self.check_dialog_layout(96)

        texts = [text for _, _, text in self.dialog_children()]
        self.assertIn("99.0.0.0", texts, "the published version is not shown")
        self.assertIn(GET_UPDATE_TEXT, texts, "the status text does not offer the update")
        self.assertEqual(probe("enabled", DIALOG, self.update_button()).returncode, 0,
                         "the Update button is disabled: %r" % self.dialog_children())
        last_check = self.last_check()
        self.assertIsNotNone(last_check, "check\\LastCheck was not written: %r" % read_settings())
        self.assertRegex(last_check, DATE_TIME)
        with open(self.file_in_data_folder("version.ini"), "rb") as f:
            self.assertEqual(f.read(), published, "version.ini is not the published file")

        # The real installer, as the service publishes it.
        self.addCleanup(remove_installation)
        self.offer_installer(INSTALLER)
        self.assertEqual(probe("click", DIALOG, self.update_button()).returncode, 0)
        self.wait_for_request(INSTALLER_REQUEST)
        # The program ends only once it has started the installer.
        self.assertTrue(wait_until(lambda: process.poll() is not None, 15),
                        "the program did not end after the installer download; windows:\n" + describe(windows()))
        self.assertEqual(process.returncode, 0)
        self.assertTrue(filecmp.cmp(self.file_in_data_folder("update.exe"), INSTALLER, shallow=False),
                        "update.exe is not the served installer")

        # Started by the program without parameters, the installer works
        # silently, installs the new program and starts it again.
        installed = os.path.join(installed_folder(), "VELORADesktop.exe")
        self.assertTrue(wait_until(tray_pids, 60),
                        "the installed program did not start; windows:\n" + describe(windows()))
        self.assertFalse(message_boxes(),
                         "the installer showed a window:\n" + describe(windows()))
        self.assertTrue(filecmp.cmp(installed, EXE, shallow=False),
                        "the installed program is not the one built")
        self.assertEqual(dict(read_settings()["account"]).get("nr"), "1721234567", "the settings were lost")

    def test_in_english_and_at_144_dpi_the_dialog_keeps_its_layout(self):
        def offer_and_check(dpi, lang):
            process, _ = self.offer_newer_version(*(("[language]", "lang=en") if lang == "en" else ()))
            dialog_layout.screenshot("update-%s%s" % (lang, "" if dpi == 96 else "-%ddpi" % dpi))
            self.check_dialog_layout(dpi, lang)
            process.kill()
            process.wait(timeout=10)
            self.assertEqual(probe("gone", DIALOG, "10000").returncode, 0, describe(windows()))

        # German at 96 DPI: see the test above.
        offer_and_check(96, "en")
        use_display_dpi(self, 144)
        offer_and_check(144, "de")
        offer_and_check(144, "en")

    def test_no_newer_version_shows_the_dialog_only_on_request_and_at_most_every_four_days(self):
        write_account_settings()
        self.publish("0.1")
        process, _ = self.start_in_tray()
        self.check_manually()
        self.wait_for_request(VERSION_REQUEST)
        self.wait_for_dialog()
        texts = [text for _, _, text in self.dialog_children()]
        self.assertIn(NO_UPDATE_TEXT, texts, "the status text does not say there is no update")
        self.assertNotEqual(probe("enabled", DIALOG, self.update_button()).returncode, 0,
                            "the Update button is enabled without an update")
        self.assertRegex(self.last_check() or "", DATE_TIME)

        # The check just made is less than four days old: opening the send
        # page asks the service for the page only.
        self.double_click_tray()
        self.assertTrue(wait_until(lambda: any(r.startswith("GET /send") for r in self.new_requests()), 10),
                        "the double click opened no page: %r" % self.new_requests())
        time.sleep(1.0)  # the check would have started before the page
        self.assertEqual(len(self.requests_of(VERSION_REQUEST)), 1,
                         "an automatic check ran within four days: %r" % self.new_requests())

        # A stored 0 is long past: the next page request checks again, and
        # finding nothing newer it stays invisible.
        self.assertTrue(probe("close", DIALOG).returncode == 0 and probe("gone", DIALOG, "5000").returncode == 0)
        self.set_last_check("0")
        self.double_click_tray()
        self.wait_for_request(VERSION_REQUEST, count=2)
        self.assertFalse(wait_until(lambda: any(v and c == "TformUpdate" for _, v, c, _ in windows()), 1.5),
                         "an automatic check without update showed the dialog:\n" + describe(windows()))
        self.assertIsNone(process.poll())

    def test_a_broken_off_installer_download_is_not_started(self):
        process, _ = self.offer_newer_version()
        self.offer_installer(broken_off=True)
        self.assertEqual(probe("click", DIALOG, self.update_button()).returncode, 0)
        self.wait_for_request(INSTALLER_REQUEST)

        # Neither saved nor started: a started installer would also end the program.
        update_exe = self.file_in_data_folder("update.exe")
        failed = wait_until(lambda: process.poll() is not None or os.path.exists(update_exe) or message_boxes(), 3)
        self.assertFalse(failed, "after a broken-off download: exit code %r, update.exe %s, windows:\n%s"
                         % (process.poll(), "written" if os.path.exists(update_exe) else "absent",
                            describe(windows())))
        self.assertEqual(probe("wait", DIALOG, "1000", "visible").returncode, 0,
                         "the update dialog went away:\n" + describe(windows()))

        # The transfer has ended: pressing Update again downloads the whole installer.
        self.offer_installer()
        self.assertEqual(probe("click", DIALOG, self.update_button()).returncode, 0)
        self.wait_for_request(INSTALLER_REQUEST, count=2)
        self.assertTrue(wait_until(lambda: process.poll() is not None, 15),
                        "the second download did not end the program; windows:\n" + describe(windows()))
        self.assertEqual(process.returncode, 0)
        self.assertTrue(filecmp.cmp(update_exe, SIGNED_PROBE, shallow=False))

    def test_an_installer_that_fails_verification_is_deleted_with_a_message_and_not_started(self):
        process, _ = self.offer_newer_version()
        update_exe = self.file_in_data_folder("update.exe")
        download = self.file_in_data_folder("update.exe.download")
        refused = [
            ("a changed byte", dict(changed_byte=0x400)),
            ("another publisher's signature", dict(installer=OTHER_PUBLISHER_PROBE)),
            ("no signature", dict(installer=PROBE)),
            # The body is the correctly signed program: only the status refuses it.
            ("an error page", dict(status=500)),
        ]
        for count, (what, offer) in enumerate(refused, start=1):
            self.offer_installer(**offer)
            self.assertEqual(probe("click", DIALOG, self.update_button()).returncode, 0)
            self.wait_for_request(INSTALLER_REQUEST, count=count)
            self.wait_for_refusal("de", what)
            # Started, it would also have ended the program.
            self.assertIsNone(process.poll(), what + ": the program ended")
            self.assertFalse(os.path.exists(update_exe), what + ": update.exe was written")
            self.assertFalse(os.path.exists(download), what + ": the download was kept")
            self.assertFalse(message_boxes(), what + ": a window showed:\n" + describe(windows()))

        # The publisher's signed program is started.
        self.offer_installer()
        self.assertEqual(probe("click", DIALOG, self.update_button()).returncode, 0)
        self.wait_for_request(INSTALLER_REQUEST, count=len(refused) + 1)
        self.assertTrue(wait_until(lambda: process.poll() is not None, 15),
                        "the signed installer was not started; windows:\n" + describe(windows()))
        self.assertTrue(filecmp.cmp(update_exe, SIGNED_PROBE, shallow=False))

    def test_an_error_page_keeps_the_last_good_version_file_and_says_so_in_english(self):
        write_account_settings("[language]", "lang=en")
        published = self.publish("99.0.0.0")
        process, _ = self.start_in_tray()
        self.check_manually()
        self.wait_for_request(VERSION_REQUEST)
        self.wait_for_dialog()
        self.assertTrue(probe("close", DIALOG).returncode == 0 and probe("gone", DIALOG, "5000").returncode == 0)

        # An error page whose body would pass for a newer version file: the
        # check the user asked for says that it failed.
        self.publish("100.0.0.0")
        self.set_marker("dw.version.status", "404")
        self.check_manually()
        self.wait_for_request(VERSION_REQUEST, count=2)
        self.wait_for_status(CHECK_FAILED_TEXT["en"], "an error page")
        with open(self.file_in_data_folder("version.ini"), "rb") as f:
            self.assertEqual(f.read(), published, "the error page replaced version.ini")
        self.close_dialog()

        # The installer's error page is refused with the message, in English.
        self.set_marker("dw.version.status", None)
        self.check_manually()
        self.wait_for_request(VERSION_REQUEST, count=3)
        self.wait_for_dialog()
        self.offer_installer(status=404)
        self.assertEqual(probe("click", DIALOG, self.update_button()).returncode, 0)
        self.wait_for_request(INSTALLER_REQUEST)
        self.wait_for_refusal("en", "an error page")
        self.assertIsNone(process.poll())
        self.assertFalse(os.path.exists(self.file_in_data_folder("update.exe")))

    def test_a_long_version_history_does_not_hold_up_the_dialog(self):
        write_account_settings()
        history = ["Zeile %d" % i for i in range(8000)]
        self.publish("99.0.0.0", history)
        process, _ = self.start_in_tray()
        self.check_manually()
        self.wait_for_request(VERSION_REQUEST)
        # A generous limit, only so that a program that hangs fails the test.
        self.wait_for_dialog(timeout_ms=60000)

        memos = [index for index, cls, _ in self.dialog_children() if cls.lower() == "edit"]
        self.assertEqual(len(memos), 1, "no single history memo: %r" % self.dialog_children())
        # The probe's console output turns each line break into CR CR LF.
        shown = probe("text", DIALOG, memos[0]).stdout.replace("\r", "").rstrip("\n").split("\n")
        self.assertEqual(len(shown), 1000, "the memo shows %d lines" % len(shown))
        self.assertEqual((shown[0], shown[-1]), ("Zeile 0", "Zeile 999"))
        self.assertIsNone(process.poll())

    def test_a_silent_service_is_given_up_and_the_next_check_works(self):
        write_account_settings()
        self.publish("99.0.0.0")
        self.stall_version_replies(1)
        process, _ = self.start_in_tray()
        self.check_manually()
        self.wait_for_request(VERSION_REQUEST)

        # The headers came, then nothing: after its time-out the program
        # closes the connection (the limit here only guards against a hang).
        self.assertTrue(wait_until(lambda: VERSION_STALL_CLOSED in self.new_requests(), 120),
                        "the program never gave up the silent reply: %r" % self.new_requests())
        self.wait_for_status(CHECK_FAILED_TEXT["de"], "a silent service")
        self.assertFalse(message_boxes(), "the failed check showed an error:\n" + describe(windows()))
        self.close_dialog()

        # The transfer has ended: a new check is not refused and finds the update.
        self.check_manually()
        self.wait_for_request(VERSION_REQUEST, count=2)
        self.wait_for_dialog()
        self.assertFalse(message_boxes(), "the second check showed an error:\n" + describe(windows()))
        texts = [text for _, _, text in self.dialog_children()]
        self.assertIn(GET_UPDATE_TEXT, texts, "the second check did not offer the update")
        self.assertIsNone(process.poll())

    def test_an_unreachable_service_keeps_the_last_good_version_file_and_a_manual_check_says_so(self):
        process, published = self.offer_newer_version()
        self.close_dialog()
        version_ini = self.file_in_data_folder("version.ini")

        # Nothing listens on the service's port: every connection is refused.
        self.addCleanup(self.service.resume)
        self.service.pause()
        for attempt in (1, 2):
            self.check_manually()
            self.wait_for_status(CHECK_FAILED_TEXT["de"], "a refused connection, check %d" % attempt)
            texts = [text for _, _, text in self.dialog_children()]
            self.assertNotIn(NO_UPDATE_TEXT, texts)
            with open(version_ini, "rb") as f:
                self.assertEqual(f.read(), published, "check %d replaced version.ini" % attempt)
            self.assertFalse(message_boxes(), "the failed check showed an error:\n" + describe(windows()))
            self.close_dialog()

        # An automatic check before a page says nothing and keeps the file too.
        self.set_last_check("0")
        self.double_click_tray()
        self.assertTrue(wait_until(lambda: self.last_check() != "0", 10),
                        "the page request started no check: %r" % read_settings().get("check"))
        self.assertFalse(wait_until(lambda: any(v and c == "TformUpdate" for _, v, c, _ in windows()), 3),
                         "a failed automatic check showed the dialog:\n" + describe(windows()))
        with open(version_ini, "rb") as f:
            self.assertEqual(f.read(), published, "the automatic check replaced version.ini")

        # Reachable again, the next check finds the update.
        self.service.resume()
        self.check_manually()
        self.wait_for_status(GET_UPDATE_TEXT, "the service back")
        self.assertIsNone(process.poll())

    def test_checks_while_a_check_stalls_show_one_refusal_at_a_time(self):
        write_account_settings()
        self.publish("99.0.0.0")
        self.stall_version_replies(1)
        process, _ = self.start_in_tray()
        self.check_manually()
        self.wait_for_request(VERSION_REQUEST)

        # The engine refuses each further check while the first one stalls:
        # one box says so, however often the user asks meanwhile.
        for _ in range(3):
            self.check_manually()
        self.assertTrue(wait_until(lambda: len(message_boxes()) >= 1, 10),
                        "no check was refused:\n" + describe(windows()))
        self.assertFalse(wait_until(lambda: len(message_boxes()) > 1, 2),
                         "more than one box:\n" + describe(windows()))
        self.assertIn(NOT_STOPPED_TEXT, probe("children", MESSAGE_BOX).stdout)

        # Once it is closed, the next refusal shows again.
        self.assertEqual(probe("close", MESSAGE_BOX).returncode, 0)
        self.assertTrue(wait_until(lambda: not message_boxes(), 10), describe(windows()))
        self.check_manually()
        self.assertTrue(wait_until(lambda: len(message_boxes()) == 1, 10),
                        "the next refusal did not show:\n" + describe(windows()))
        self.assertEqual(probe("close", MESSAGE_BOX).returncode, 0)
        self.assertIsNone(process.poll())

    def test_a_download_ended_with_the_program_leaves_no_part_once_the_next_starts(self):
        process, _ = self.offer_newer_version()
        part = self.file_in_data_folder("update.exe.download.part")
        self.offer_installer()
        self.set_marker("VELORADesktop.exe.stall", "1")
        self.assertEqual(probe("click", DIALOG, self.update_button()).returncode, 0)
        self.wait_for_request(INSTALLER_REQUEST)
        self.assertTrue(wait_until(lambda: os.path.exists(part), 10), "the download wrote no part")

        # The exit entry ends the program in the middle of the stalled download.
        self.open_tray_menu()
        self.assertEqual(probe("menukey", "b").returncode, 0)
        self.assertTrue(wait_until(lambda: process.poll() is not None, 20),
                        "the program still runs after \"&Beenden\":\n" + describe(windows()))
        self.assertTrue(os.path.exists(part), "the ended download left no part, which this scenario needs")

        # The next download removes it first, even one that never gets to write.
        self.requests_before = len(self.service.requests())
        process, _ = self.start_in_tray()
        self.check_manually()
        self.wait_for_request(VERSION_REQUEST)
        self.wait_for_dialog()
        self.offer_installer(status=404)
        self.assertEqual(probe("click", DIALOG, self.update_button()).returncode, 0)
        self.wait_for_request(INSTALLER_REQUEST)
        self.wait_for_refusal("de", "an error page")
        self.assertFalse(os.path.exists(part), "the part of the earlier download is still there")
        self.assertIsNone(process.poll())

    # -- helpers used by one scenario --------------------------------------------------------------

    def set_last_check(self, value):
        with open(settings_path(), encoding="cp1252", newline="") as f:
            text = f.read()
        text, replaced = re.subn(r"(?m)^LastCheck=.*$", "LastCheck=" + value, text)
        self.assertEqual(replaced, 1, "no LastCheck in the settings:\n" + text)
        with open(settings_path(), "w", encoding="cp1252", newline="") as f:
            f.write(text)


if __name__ == "__main__":
    unittest.main()
