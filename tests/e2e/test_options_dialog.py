"""The options dialog driven through the Windows API: the first start stores
the account, the internet detection, the language and the start-at-log-on
choice; a run with "/options" writes the start-at-log-on value and ends. The
layout check measures every caption in the dialog's font and compares the
controls' rectangles with the places they were designed for, in German and in
English, at 96 DPI and at 144 DPI (where everything is half as large again),
and leaves a screenshot of each for a person to look at."""
import os
import unittest

from dialog_layout import (caption_fits, client_size, controls, describe, only, outside, overlapping, scaled,
                           screenshot, use_display_dpi, window_icon_sizes)
from e2e_support import (APP_TITLE, EXE, VERSION, ProgramTestCase, probe, read_settings, registry_values, settings_path,
                         wait_until, wine)

OPTIONS = APP_TITLE + " - " + VERSION
# The dialog's font; the probe measures captions in it (see "fits" in Probe.cpp).
FORM_FONT = ("Tahoma", "8")
RUN_KEY = r"HKCU\SOFTWARE\Microsoft\Windows\CurrentVersion\Run"
RUN_VALUE = "VELORADesktop"

NUMBER = "6641234567"
PASSWORD = "geheim&1"

# Button styles (the low four bits) and the password edit's style.
BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_AUTOCHECKBOX, BS_GROUPBOX, BS_AUTORADIOBUTTON = 0, 1, 3, 7, 9
ES_PASSWORD = 0x20

# Captions by language: (German, English).
TEXTS = {
    "login": ("Login Daten", "Login details"),
    "extended": ("Erweiterte Einstellungen", "Advanced settings"),
    "language": ("Sprache", "Language"),
    "land": ("&Land", "&Country"),
    "handy": ("&Handy Nr.", "&Mobile no."),
    "passwort": ("&Passwort", "&Password"),
    "autostart": ("VELORA Desktop beim Windows-&Start ausf\xfchren", "&Start VELORA Desktop when Windows starts"),
    "online": ("&Keine Internet-Erkennung", "&No Internet detection"),
    "ok": ("&Ok", "&OK"),
}

# Designed places on the dialog's client area (421 x 424): x, y, width, height
# (None where the design leaves it to the control). Places inside a group box
# are given relative to it and added to the box's own place.
LOGIN_BOX = (8, 8, 401, 201)
EXTENDED_BOX = (8, 215, 401, 81)
LANGUAGE_BOX = (8, 303, 401, 75)


def inside(box, x, y, width=None, height=None):
    return (box[0] + x, box[1] + y, width, height)


DESIGN = {
    "login": LOGIN_BOX,
    "extended": EXTENDED_BOX,
    "language": LANGUAGE_BOX,
    "labelLogin": inside(LOGIN_BOX, 17, 24, 350),
    "land": inside(LOGIN_BOX, 17, 77),
    "handy": inside(LOGIN_BOX, 191, 77),
    "passwort": inside(LOGIN_BOX, 16, 126),
    "country": inside(LOGIN_BOX, 16, 96, 169),
    "number": inside(LOGIN_BOX, 191, 96, 192, 21),
    "password": inside(LOGIN_BOX, 16, 145, 367, 21),
    "link": inside(LOGIN_BOX, 16, 172, 297, 13),
    "autostart": inside(EXTENDED_BOX, 16, 24, 367, 17),
    "online": inside(EXTENDED_BOX, 16, 47, 367, 17),
    "ok": (334, 390, 75, 25),
}


def identify(found, lang):
    """The dialog's controls by role, found by class, style and caption."""
    german = lang == "de"
    text = lambda key: TEXTS[key][0 if german else 1]
    button = lambda kind, key: only(found, key, lambda c: c["cls"] == "Button" and c["kind"] == kind
                                    and c["text"] == text(key))
    static = lambda key: only(found, key, lambda c: c["cls"] == "Static" and c["text"] == text(key))
    return {
        "login": button(BS_GROUPBOX, "login"),
        "extended": button(BS_GROUPBOX, "extended"),
        "language": button(BS_GROUPBOX, "language"),
        "autostart": button(BS_AUTOCHECKBOX, "autostart"),
        "online": button(BS_AUTOCHECKBOX, "online"),
        "ok": button(BS_DEFPUSHBUTTON, "ok"),
        "land": static("land"),
        "handy": static("handy"),
        "passwort": static("passwort"),
        "labelLogin": only(found, "account label", lambda c: c["cls"] == "Static" and "\n" in c["text"]),
        "country": only(found, "country list", lambda c: c["cls"] == "ComboBox"),
        "number": only(found, "number field", lambda c: c["cls"] == "Edit" and not c["style"] & ES_PASSWORD),
        "password": only(found, "password field", lambda c: c["cls"] == "Edit" and c["style"] & ES_PASSWORD),
        "link": only(found, "registration link", lambda c: c["cls"] == "TLinkLabel"),
        "radios": [c for c in found if c["cls"] == "Button" and c["kind"] == BS_AUTORADIOBUTTON],
    }


def country_items(window, combo):
    """The entries of the country list as (text, selected)."""
    result = probe("items", window, str(combo["index"]))
    if result.returncode:
        raise AssertionError("the probe could not read the country list: " + result.stderr)
    return [(fields[2], fields[1] == "1") for fields in (line.split("\t", 2) for line in result.stdout.splitlines())]


def run_value():
    """The start-at-log-on value, or None when there is none."""
    values = registry_values(RUN_KEY, RUN_VALUE)
    if values is None:
        return None
    if RUN_VALUE not in values:
        raise AssertionError("unreadable reg output for %s: %r" % (RUN_VALUE, values))
    return values[RUN_VALUE]


class OptionsDialog(ProgramTestCase):
    def open_dialog(self, *args):
        """Starts the program and answers it and its visible options dialog as a probe WINDOW."""
        process = self.start_program(*args)
        return process, "hwnd:" + self.wait_for_window(OPTIONS)

    def end(self, process):
        process.kill()
        process.wait(timeout=10)

    def settings_value(self, section, key):
        return dict(read_settings().get(section, [])).get(key)

    def test_first_start_stores_the_account_and_options_runs_write_and_remove_autostart(self):
        process, dialog = self.open_dialog()
        found = controls(dialog)
        role = identify(found, "de")
        items = country_items(dialog, role["country"])
        self.assertEqual([text for text, selected in items if selected], ["Deutschland +49"])
        austria = [i for i, (text, _) in enumerate(items) if text == "\xd6sterreich +43"]
        self.assertEqual(len(austria), 1, "no single entry for Austria:\n" + "\n".join(t for t, _ in items))

        self.assertEqual(probe("select", dialog, str(role["country"]["index"]), str(austria[0])).returncode, 0)
        self.assertEqual(probe("settext", dialog, str(role["number"]["index"]), NUMBER).returncode, 0)
        self.assertEqual(probe("settext", dialog, str(role["password"]["index"]), PASSWORD).returncode, 0)
        self.assertEqual(probe("check", dialog, str(role["online"]["index"]), "1").returncode, 0)
        self.assertEqual(probe("check", dialog, str(role["autostart"]["index"]), "0").returncode, 0)
        self.assertEqual(probe("click", dialog, str(role["ok"]["index"])).returncode, 0)

        self.assertEqual(probe("gone", dialog, "10000").returncode, 0,
                         "the dialog stayed after OK:\n" + probe("windows").stdout)
        self.assertFalse(wait_until(lambda: process.poll() is not None, 1.0),
                         "the program ended after the first-start dialog")
        settings = read_settings()
        account = dict(settings.get("account", []))
        # The password protected for the user, never in plain text.
        self.assertTrue(account.pop("password", "").startswith("dpapi:"), settings.get("account"))
        self.assertEqual(account, {"country": "43", "nr": NUMBER, "mobile": "43" + NUMBER})
        self.assertEqual(settings.get("extended"), [("checkOnline", "false")])
        self.assertEqual(settings.get("language"), [("lang", "de")])
        self.assertIsNone(run_value(), "a start-at-log-on value although autostart was not ticked")

        # A run with "/options" loads the stored account, writes the
        # start-at-log-on value and ends after OK.
        self.end(process)
        self.addCleanup(wine, "reg", "delete", RUN_KEY, "/v", RUN_VALUE, "/f")
        process, dialog = self.open_dialog("/options")
        role = identify(controls(dialog), "de")
        self.assertEqual(probe("text", dialog, str(role["number"]["index"])).stdout.rstrip("\r\n"), NUMBER)
        self.assertEqual([text for text, selected in country_items(dialog, role["country"]) if selected],
                         ["\xd6sterreich +43"])
        self.assertEqual(probe("check", dialog, str(role["autostart"]["index"]), "1").returncode, 0)
        self.assertEqual(probe("click", dialog, str(role["ok"]["index"])).returncode, 0)
        self.assertTrue(wait_until(lambda: process.poll() is not None, 15),
                        "the \"/options\" run still runs after OK:\n" + probe("windows").stdout)
        self.assertEqual(process.returncode, 0)
        program = wine("winepath", "-w", EXE).stdout.strip()
        self.assertEqual((run_value() or "").lower(), '"%s"' % program.lower())
        self.assertEqual(self.settings_value("account", "mobile"), "43" + NUMBER)
        self.assertEqual(self.settings_value("extended", "checkOnline"), "false")

        # Unticked again, OK removes the value.
        process, dialog = self.open_dialog("/options")
        role = identify(controls(dialog), "de")
        self.assertEqual(probe("check", dialog, str(role["autostart"]["index"]), "0").returncode, 0)
        self.assertEqual(probe("click", dialog, str(role["ok"]["index"])).returncode, 0)
        self.assertTrue(wait_until(lambda: process.poll() is not None, 15),
                        "the \"/options\" run still runs after OK:\n" + probe("windows").stdout)
        self.assertIsNone(run_value(), "the start-at-log-on value stayed after OK without autostart")

    def test_an_earlier_area_code_stays_with_the_number(self):
        # Settings of an earlier version: the area code apart from the number.
        os.makedirs(os.path.dirname(settings_path()), exist_ok=True)
        with open(settings_path(), "w", encoding="cp1252", newline="") as f:
            f.write("[account]\r\ncountry=49\r\nprefix=172\r\nnr=1234567\r\npassword=geheim\r\n"
                    "mobile=491721234567\r\n")
        # A normal start into the tray, its options dialog closed without OK,
        # and the end.
        process = self.start_program()
        self.assertTrue(wait_until(lambda: self.settings_value("account", "prefix") is None, 20),
                        "the area code is still apart: %r" % read_settings())
        self.end(process)
        self.assertEqual(self.settings_value("account", "nr"), "1721234567")

        # The next start shows the whole number, and OK keeps the login.
        process, dialog = self.open_dialog("/options")
        role = identify(controls(dialog), "de")
        self.assertEqual(probe("text", dialog, str(role["number"]["index"])).stdout.rstrip("\r\n"), "1721234567")
        self.assertEqual(probe("click", dialog, str(role["ok"]["index"])).returncode, 0)
        self.assertTrue(wait_until(lambda: process.poll() is not None, 15), probe("windows").stdout)
        self.assertEqual(self.settings_value("account", "mobile"), "491721234567")

    def check_layout(self, lang, dpi=96):
        process, dialog = self.open_dialog()
        screenshot("options-" + lang + ("" if dpi == 96 else "-%ddpi" % dpi))
        found = controls(dialog)
        where = "in %s at %d DPI:\n%s" % (lang, dpi, describe(found))
        role = identify(found, lang)

        # At the design's density every place is the designed one; at
        # another, within two pixels of it scaled (edges are scaled, and a
        # font's size does not scale exactly).
        slack = 0 if dpi == 96 else 2
        client = client_size(dialog)
        self.assertEqual(client, (scaled(421, dpi), scaled(424, dpi)), where)
        for name, design in DESIGN.items():
            control = role[name]
            self.assertTrue(control["visible"], name + " is hidden " + where)
            for key, length in zip(("x", "y", "w", "h"), design):
                if length is not None:
                    self.assertAlmostEqual(control[key], scaled(length, dpi), delta=slack,
                                           msg="%s %s %s" % (name, key, where))
        # The two language entries stand one below the other inside their box.
        box = role["language"]
        radios = sorted(role["radios"], key=lambda c: c["y"])
        self.assertEqual([c["text"] for c in radios], ["&deutsch", "&englisch"] if lang == "de" else ["&German", "&English"])
        for radio in radios:
            self.assertTrue(box["x"] < radio["x"] and radio["x"] + radio["w"] <= box["x"] + box["w"]
                            and box["y"] + scaled(13, dpi) <= radio["y"]
                            and radio["y"] + radio["h"] <= box["y"] + box["h"],
                            "language entry outside its box " + where)
        self.assertLessEqual(radios[0]["y"] + radios[0]["h"], radios[1]["y"], where)
        self.assertFalse(any(c["visible"] and "Internet Explorer" in c["text"] for c in found), where)
        # Nothing overlaps but the frames and what they hold; nothing is cut
        # off by the window's edge.
        frames = [role["login"], role["extended"], role["language"]]
        self.assertEqual([(a["index"], b["index"]) for a, b in overlapping(found, frames)], [], where)
        self.assertEqual(outside(found, client), [], where)

        rows = caption_fits(dialog, FORM_FONT)
        cut = [row for row in rows if row[2] != "1"]
        self.assertEqual(cut, [], "captions that do not fit (index kind fits needed available text) " + where)
        kinds = sorted(row[1] for row in rows)
        self.assertEqual(kinds.count("checkbox"), 2, rows)
        self.assertEqual(kinds.count("radio"), 2, rows)
        self.assertEqual(kinds.count("groupbox"), 3, rows)
        self.assertEqual(kinds.count("button"), 1, rows)
        # The labels size themselves to their text in the control's font: the
        # same size here shows the probe measured in that font.
        needed = {int(row[0]): row[3] for row in rows}
        for name in ("land", "handy", "passwort"):
            label = role[name]
            self.assertEqual(needed[label["index"]], "%dx%d" % (label["w"], label["h"]),
                             "%s measured in another font than the dialog's %s" % (name, where))
        # The window's icons at the sizes the system asks for at this
        # density (the caption's and the task switcher's), not one stretched.
        self.assertEqual(window_icon_sizes(dialog), [scaled(16, dpi), scaled(32, dpi)], where)
        self.end(process)

    def store_english(self):
        with open(settings_path(), "w", encoding="cp1252", newline="") as f:
            f.write("[language]\r\nlang=en\r\n")

    def test_controls_stand_in_place_and_every_caption_fits(self):
        self.check_layout("de")
        # English, stored before the start.
        self.store_english()
        self.check_layout("en")

    def test_at_144_dpi_the_dialog_is_half_as_large_again_and_every_caption_fits(self):
        use_display_dpi(self, 144)
        self.check_layout("de", 144)
        self.store_english()
        self.check_layout("en", 144)


if __name__ == "__main__":
    unittest.main()
