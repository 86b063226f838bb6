"""The options and the update dialog as a keyboard-only and screen-reader
user meets them, read through AT-SPI as a screen reader reads them: every
control and every country entry has a name, the fields are labelled by the
labels before them, Tab and Shift+Tab walk every control in the designed
order, the links take the focus and open with Enter, the mnemonics move the
focus, and Esc closes each dialog as its close box does."""
import os
import unittest

from linux_support import (APP_TITLE, SERVICE_URL, TRAY_MENU_DE, VERSION, LinuxProgramTestCase, click_menu_entry,
                           wait_until)

OPTIONS_TITLE = "%s - %s" % (APP_TITLE, VERSION)
# The options dialog's Tab stops from its first one, the OK button, round
# to it again: (role, name) as AT-SPI gives the focused object.
OPTIONS_WALK = [
    ("push button", "Ok"),
    ("combo box", "Deutschland +49"),
    ("text", "Handy Nr."),
    ("password text", "Passwort"),
    ("link", "registrieren"),
    ("check box", "VELORA Desktop bei der Anmeldung ausf\u00fchren"),
    ("check box", "Keine Internet-Erkennung"),
    ("radio button", "deutsch"),
]
UPDATE_WALK = [("link", "Download"), ("push button", "Abbruch"), ("text", "Versionshistorie")]


def atspi():
    import gi
    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi
    return Atspi


class DialogAccess(LinuxProgramTestCase):
    with_accessibility = True

    def application(self):
        Atspi = atspi()
        os.environ["DISPLAY"] = self.display.name
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            application = desktop.get_child_at_index(i)
            if application is not None and application.get_name() == "velora-desktop":
                return application
        return None

    def frame(self, title):
        application = self.application()
        if application is None:
            return None
        for i in range(application.get_child_count()):
            child = application.get_child_at_index(i)
            if child is not None and child.get_name() == title and \
                    child.get_state_set().contains(atspi().StateType.SHOWING):
                return child
        return None

    def wait_for_frame(self, title):
        found = []
        self.assertTrue(wait_until(lambda: found.append(self.frame(title)) or found[-1] is not None, 20),
                        "AT-SPI never showed the window %r" % title)
        return found[-1]

    @staticmethod
    def walk(accessible, into_lists=True):
        """Every object below `accessible`, depth first."""
        stack = [accessible]
        while stack:
            current = stack.pop()
            yield current
            if not into_lists and current.get_role_name() in ("combo box", "menu"):
                continue
            children = [current.get_child_at_index(i) for i in range(current.get_child_count())]
            stack.extend(child for child in reversed(children) if child is not None)

    def focused(self, frame):
        """(role, name) of the innermost object that has the focus."""
        Atspi = atspi()
        found = None
        for accessible in self.walk(frame, into_lists=False):
            if accessible.get_state_set().contains(Atspi.StateType.FOCUSED):
                found = accessible
        return (found.get_role_name(), found.get_name()) if found else None

    def expect_focus(self, frame, wanted, after):
        seen = []
        self.assertTrue(wait_until(lambda: seen.append(self.focused(frame)) or seen[-1] == wanted, 10),
                        "after %s the focus is on %r, not on %r" % (after, seen[-1] if seen else None, wanted))

    def walk_with_tab(self, window, frame, stops):
        self.expect_focus(frame, stops[0], "showing the dialog")
        for i in range(1, len(stops) + 1):
            self.display.key(window, "Tab")
            self.expect_focus(frame, stops[i % len(stops)], "%d times Tab" % i)
        for i in range(1, len(stops) + 1):
            self.display.key(window, "shift+Tab")
            self.expect_focus(frame, stops[-i % len(stops)], "%d times Shift+Tab" % i)

    def named_controls(self, frame):
        """Every object of the dialog with its role, name and the names of
        the labels it is labelled by."""
        Atspi = atspi()
        controls = []
        for accessible in self.walk(frame):
            labels = []
            for relation in accessible.get_relation_set():
                if relation.get_relation_type() == Atspi.RelationType.LABELLED_BY:
                    labels += [relation.get_target(i).get_name() for i in range(relation.get_n_targets())]
            controls.append((accessible.get_role_name(), accessible.get_name(), labels))
        return controls

    def test_the_options_dialog_names_every_control_and_walks_with_the_keyboard(self):
        process, item = self.start_in_tray()
        window = self.display.wait_for_window(OPTIONS_TITLE)
        self.assertIsNotNone(window, "no options dialog")
        frame = self.wait_for_frame(OPTIONS_TITLE)

        controls = self.named_controls(frame)
        interactive = ("push button", "check box", "radio button", "text", "password text", "combo box", "link",
                       "menu item")
        unnamed = [(role, labels) for role, name, labels in controls if role in interactive and not name]
        self.assertEqual(unnamed, [], "controls without a name")
        by_role = lambda role: [(name, labels) for r, name, labels in controls if r == role]
        self.assertIn(("Handy Nr.", ["Handy Nr."]), by_role("text"))
        self.assertIn(("Passwort", ["Passwort"]), by_role("password text"))
        self.assertEqual(by_role("combo box"), [("Deutschland +49", ["Land"])])
        entries = [name for name, _ in by_role("menu item")]
        self.assertEqual(len(entries), 241)
        self.assertIn("\u00d6sterreich +43", entries)
        self.assertEqual([name for name, _ in by_role("link")], ["registrieren"])
        self.assertIn("Jetzt bei VELORA registrieren", [name for name, _ in by_role("label")])

        self.walk_with_tab(window, frame, OPTIONS_WALK)

        # Enter on the link opens the registration page, not the OK button.
        for _ in range(4):
            self.display.key(window, "Tab")
        self.expect_focus(frame, ("link", "registrieren"), "Tab to the link")
        self.display.key(window, "Return")
        register = "%s/register?sApp=DW&lang=de" % SERVICE_URL
        self.assertTrue(wait_until(lambda: register in self.opened(), 10), self.opened())
        self.assertTrue(self.display.windows(OPTIONS_TITLE), "Enter on the link closed the dialog")

        # A label's mnemonic moves the focus to its field; typing goes there.
        self.display.key(window, "alt+h")
        self.expect_focus(frame, ("text", "Handy Nr."), "Alt+H")
        self.display.key(window, "alt+p")
        self.expect_focus(frame, ("password text", "Passwort"), "Alt+P")
        self.display.type_text(window, "geheim")

        # Esc closes the dialog as its close box does: nothing is stored.
        self.display.key(window, "Escape")
        self.assertTrue(wait_until(lambda: not self.display.windows(OPTIONS_TITLE), 10), "Esc left the dialog open")
        self.assertFalse(os.path.exists(self.settings_path()) and "password" in self.read_settings().get("account", {}))

        # Shown again: Enter in a field presses the default button, OK.
        click_menu_entry(item, TRAY_MENU_DE[8])
        window = self.display.wait_for_window(OPTIONS_TITLE)
        frame = self.wait_for_frame(OPTIONS_TITLE)
        self.display.key(window, "alt+h")
        self.expect_focus(frame, ("text", "Handy Nr."), "Alt+H")
        self.display.type_text(window, "1721234567")
        self.display.key(window, "Return")
        self.assertTrue(wait_until(lambda: not self.display.windows(OPTIONS_TITLE), 10), "Enter left the dialog open")
        self.assertTrue(wait_until(lambda: os.path.exists(self.settings_path()) and
                                   self.read_settings().get("account", {}).get("nr") == "1721234567", 10))
        click_menu_entry(item, TRAY_MENU_DE[-1])
        self.assertEqual(process.wait(timeout=20), 0)
        self.assertEqual(self.stderr_of(process), "")

    def test_the_update_dialog_walks_from_the_link_to_the_history_and_closes_with_esc(self):
        with open(os.path.join(self.service.folder, "dw.version"), "w", newline="") as f:
            f.write("[version]\r\nstable=0.9.6.10\r\n[history_de]\r\nCount=2\r\nItem0=Neu\r\nItem1=Besser\r\n")
        self.write_account_settings()
        process, item = self.start_in_tray()
        click_menu_entry(item, TRAY_MENU_DE[7])
        window = self.display.wait_for_window(APP_TITLE)
        self.assertIsNotNone(window, "no update dialog")
        frame = self.wait_for_frame(APP_TITLE)

        controls = self.named_controls(frame)
        self.assertIn(("text", "Versionshistorie", ["Versionshistorie"]), controls)
        self.assertIn(("link", "Download", []), controls)
        self.assertIn(("push button", "Abbruch", []), controls)
        history = [a for a in self.walk(frame) if a.get_role_name() == "text"][0]
        self.assertFalse(history.get_state_set().contains(atspi().StateType.EDITABLE), "the history is editable")

        self.walk_with_tab(window, frame, UPDATE_WALK)
        # Ctrl+Tab leaves the history too.
        self.display.key(window, "shift+Tab")
        self.expect_focus(frame, UPDATE_WALK[2], "Shift+Tab")
        self.display.key(window, "ctrl+Tab")
        self.expect_focus(frame, UPDATE_WALK[0], "Ctrl+Tab")

        self.display.key(window, "space")
        download = "%s/download?sApp=DW&lang=de" % SERVICE_URL
        self.assertTrue(wait_until(lambda: download in self.opened(), 10), self.opened())

        self.display.key(window, "Escape")
        self.assertTrue(wait_until(lambda: not self.display.windows(APP_TITLE), 10), "Esc left the dialog open")
        self.assertIsNone(process.poll())
        click_menu_entry(item, TRAY_MENU_DE[-1])
        self.assertEqual(process.wait(timeout=20), 0)


if __name__ == "__main__":
    unittest.main()
