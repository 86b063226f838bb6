"""The options and the update dialog from the keyboard and as a screen
reader reads them through the system's standard accessible objects
(oleacc): Tab walks every control in the designed order and comes round
again, a read-only history does not keep Tab, Enter on the registration
link opens it, the fields are named by the labels before them, and Esc
closes each dialog as its close box does. Keys are posted to the focused
control, so they pass the program's dialog manager as typed ones do; Wine
reads no Shift state from posted keys, so Shift+Tab is left to the Linux
test of the same dialogs."""
import os
import shutil
import stat
import tempfile
import unittest

from e2e_support import (APP_TITLE, SERVICE_URL, VERSION, ProgramTestCase, probe, read_settings, wait_until,
                         write_account_settings)

OPTIONS = APP_TITLE + " - " + VERSION
UPDATE = "class:TformUpdate"
VK_TAB, VK_RETURN, VK_ESCAPE = 0x09, 0x0D, 0x1B
# The options dialog's Tab stops from the first, the OK button, as (class, text).
OPTIONS_WALK = [("Button", "&Ok"), ("ComboBox", ""), ("Edit", "number"), ("Edit", "password"),
                ("TLinkLabel", "Jetzt bei VELORA registrieren"),
                ("Button", "VELORA Desktop beim Windows-&Start ausf\xfchren"), ("Button", "&Keine Internet-Erkennung"),
                ("Button", "&deutsch")]
UPDATE_WALK = [("Button", "&Update"), ("Button", "&Abbruch"), ("Edit", "history")]


class DialogAccess(ProgramTestCase):
    def children(self, window):
        """[(class, text)] by child index; an edit's text is its role here,
        as the probe cannot read it and the walk does not need it."""
        rows = []
        # A text of several lines runs on over the next lines of the output.
        for line in probe("children", window).stdout.splitlines():
            fields = line.split("\t")
            if len(fields) >= 4 and fields[0].isdigit() and int(fields[0]) == len(rows):
                rows.append((fields[1], fields[4] if len(fields) > 4 else ""))
        return rows

    def accessible(self, window):
        """{child index: (class, role, name)} as oleacc reads them."""
        rows = {}
        for line in probe("accessible", window).stdout.splitlines():
            fields = line.split("\t")
            if len(fields) >= 4:
                rows[int(fields[0])] = (fields[1], fields[2], fields[3])
        return rows

    def focused(self, window):
        result = probe("focus", window)
        return int(result.stdout.strip() or -1)

    def stop_of(self, window, index, names):
        cls, text = self.children(window)[index] if index >= 0 else ("none", "")
        return (cls, names.get(index, text))

    def walk(self, window, expected, names):
        """Tab from the first stop round to it again."""
        seen = [self.stop_of(window, self.focused(window), names)]
        for _ in expected:
            probe("key", window, str(VK_TAB))
            seen.append(self.stop_of(window, self.focused(window), names))
        self.assertEqual(seen, expected + expected[:1])

    def browser_stand_in(self):
        # Wine hands a URL to xdg-open; this one writes it down.
        folder = tempfile.mkdtemp(prefix="velora-browser-")
        self.addCleanup(shutil.rmtree, folder, True)
        self.opened_log = os.path.join(folder, "opened.log")
        script = os.path.join(folder, "xdg-open")
        with open(script, "w") as f:
            f.write("#!/bin/sh\nprintf '%%s\\n' \"$@\" >> '%s'\n" % self.opened_log)
        os.chmod(script, os.stat(script).st_mode | stat.S_IXUSR)
        return {"PATH": folder + os.pathsep + os.environ.get("PATH", "")}

    def opened(self):
        if not os.path.exists(self.opened_log):
            return []
        with open(self.opened_log, encoding="latin-1") as f:
            return f.read().split()

    def test_the_options_dialog_from_the_keyboard_and_as_read_out(self):
        self.start_program(env=self.browser_stand_in())
        dialog = "hwnd:" + self.wait_for_window(OPTIONS)
        children = self.children(dialog)
        edits = [i for i, (cls, _) in enumerate(children) if cls == "Edit"]
        self.assertEqual(len(edits), 2, children)
        names = {edits[0]: "number", edits[1]: "password"}

        # Every label stands right before the field it names (what a screen
        # reader and a mnemonic take as its field).
        for label, field in (("&Land", "ComboBox"), ("&Handy Nr.", "Edit"), ("&Passwort", "Edit")):
            at = children.index(("Static", label))
            self.assertEqual(children[at + 1][0], field, "after %r: %r" % (label, children))

        read = self.accessible(dialog)
        by_index = lambda i: read.get(i, ("", "", ""))[2]
        self.assertEqual(by_index(edits[0]), "Handy Nr.", read)
        self.assertEqual(by_index(edits[1]), "Passwort", read)
        combo = [i for i, (cls, _) in enumerate(children) if cls == "ComboBox"][0]
        # Wine reads the list by the entry it shows (Windows by the label before it).
        self.assertIn(by_index(combo), ("Deutschland +49", "Land"), read)
        link = [i for i, (cls, _) in enumerate(children) if cls == "TLinkLabel"][0]
        self.assertEqual(by_index(link), "Jetzt bei VELORA registrieren", read)
        ok = children.index(("Button", "&Ok"))
        self.assertEqual(by_index(ok), "Ok", read)
        items = [line.split("\t", 2)[2] for line in probe("items", dialog, str(combo)).stdout.splitlines()]
        self.assertIn("\xd6sterreich +43", items)
        self.assertEqual([item for item in items if not item.strip()], [])

        self.walk(dialog, OPTIONS_WALK, names)

        # Enter on the link opens the registration page; the dialog stays.
        for _ in range(4):
            probe("key", dialog, str(VK_TAB))
        self.assertEqual(self.focused(dialog), link)
        probe("key", dialog, str(VK_RETURN))
        register = "%s/register?sApp=DW&lang=de" % SERVICE_URL
        self.assertTrue(wait_until(lambda: register in self.opened(), 10), self.opened())
        self.assertEqual(probe("wait", dialog, "100", "visible").returncode, 0, "Enter on the link closed the dialog")

        # Esc as the close box: the dialog goes, nothing is stored.
        probe("key", dialog, str(VK_ESCAPE))
        self.assertEqual(probe("gone", dialog, "10000").returncode, 0, "Esc left the dialog open")
        self.assertNotIn("nr", dict(read_settings().get("account", [])))

    def test_the_update_dialog_from_the_keyboard_and_as_read_out(self):
        write_account_settings()
        with open(os.path.join(self.service.folder, "dw.version"), "wb") as f:
            f.write(b"[version]\r\nstable=99.0.0.0\r\n[history_de]\r\nCount=2\r\nItem0=Neu\r\nItem1=Besser\r\n")
        process, _ = self.start_in_tray()
        self.open_tray_menu()
        self.assertEqual(probe("menukey", "u").returncode, 0)
        self.assertEqual(probe("wait", UPDATE, "15000", "visible", timeout=45).returncode, 0, "no update dialog")
        self.assertTrue(wait_until(lambda: probe("enabled", UPDATE, str(self.children(UPDATE).index(
            ("Button", "&Update")))).returncode == 0, 10), "the Update button stayed disabled")
        children = self.children(UPDATE)
        memo = [i for i, (cls, _) in enumerate(children) if cls == "Edit"][0]
        self.assertEqual(children[memo - 1], ("Static", "&Versionshistorie"), children)
        read = self.accessible(UPDATE)
        self.assertEqual(read[memo][2], "Versionshistorie", read)
        self.assertEqual(read[children.index(("Button", "&Abbruch"))][2], "Abbruch", read)

        self.walk(UPDATE, UPDATE_WALK, {memo: "history"})
        probe("key", UPDATE, str(VK_ESCAPE))
        self.assertEqual(probe("gone", UPDATE, "10000").returncode, 0, "Esc left the dialog open")
        self.assertIsNone(process.poll())


if __name__ == "__main__":
    unittest.main()
