#!/usr/bin/env python3
"""Builds the Debian package of the Linux program with cpack into a scratch
folder and checks it as Debian and the software centres see it: what it
holds (the program, its manual page, the language files, the desktop entry,
the hicolor icons and the AppStream metadata named by the application id, the
changelog and the copyright file), its control fields (dependencies found by
dpkg-shlibdeps, a maintainer with an address, an extended description),
lintian (no error; the warnings are listed), desktop-file-validate,
appstreamcli validate, and appstreamcli compose, which must find the icon.

Usage: check_deb_package.py BUILD_DIR"""
import glob
import gzip
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

APPLICATION_ID = "com.velora.Desktop"
ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
DOC = "/usr/share/doc/velora-desktop/"
BUILD_DIR = os.environ.get("VELORA_BUILD_DIR", "")


def run(*command, check=True):
    return subprocess.run(command, check=check, capture_output=True, text=True)


def version_of_build(build_dir):
    with open(os.path.join(build_dir, "CMakeCache.txt")) as f:
        match = re.search(r"^CMAKE_PROJECT_VERSION:STATIC=(.*)$", f.read(), re.M)
    return match.group(1).strip()


class DebianPackage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        if not BUILD_DIR:
            raise unittest.SkipTest("no build folder: check_deb_package.py BUILD_DIR")
        cls.scratch = tempfile.mkdtemp(prefix="velora-deb-")
        subprocess.run(["cpack", "-G", "DEB", "-B", cls.scratch], cwd=BUILD_DIR, check=True, capture_output=True)
        packages = glob.glob(os.path.join(cls.scratch, "*.deb"))
        if len(packages) != 1:
            raise AssertionError("expected one package, found %r" % packages)
        cls.package = packages[0]
        cls.version = version_of_build(BUILD_DIR)
        cls.root = os.path.join(cls.scratch, "root")
        run("dpkg-deb", "-x", cls.package, cls.root)
        listing = run("dpkg-deb", "-c", cls.package).stdout
        cls.files = {line.split()[-1].lstrip(".") for line in listing.splitlines()}

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.scratch, ignore_errors=True)

    def field(self, name):
        return run("dpkg-deb", "-f", self.package, name).stdout.strip()

    def unpacked(self, path):
        return os.path.join(self.root, path.lstrip("/"))

    def test_it_holds_the_program_and_every_file_debian_and_the_desktops_ask_for(self):
        expected = {"/usr/bin/velora-desktop", "/usr/share/velora-desktop/de.lang",
                    "/usr/share/velora-desktop/en.lang", "/usr/share/man/man1/velora-desktop.1.gz",
                    "/usr/share/applications/%s.desktop" % APPLICATION_ID,
                    "/usr/share/metainfo/%s.metainfo.xml" % APPLICATION_ID,
                    DOC + "changelog.gz", DOC + "copyright"}
        expected |= {"/usr/share/icons/hicolor/%dx%d/apps/%s.png" % (size, size, APPLICATION_ID)
                     for size in ICON_SIZES}
        self.assertEqual(sorted(expected - self.files), [])
        for size in ICON_SIZES:
            icon = self.unpacked("/usr/share/icons/hicolor/%dx%d/apps/%s.png" % (size, size, APPLICATION_ID))
            self.assertEqual(run("identify", "-format", "%wx%h", icon).stdout, "%dx%d" % (size, size))

        self.assertEqual(self.field("Package"), "velora-desktop")
        self.assertEqual(self.field("Version"), self.version)
        self.assertRegex(self.field("Maintainer"), r"^[^<>]+ <[^@<>\s]+@[^@<>\s]+\.[a-z]+>$")
        # From dpkg-shlibdeps: the C library and the toolkit's, with versions.
        depends = self.field("Depends")
        for library in ("libc6", "libgtk-3-0", "libwebkit2gtk-4.1-0", "libcurl4", "libstdc++6"):
            self.assertRegex(depends, r"(^|, )%s \(>= [^)]+\)" % re.escape(library), depends)
        self.assertEqual(self.field("Recommends"), "hunspell-de-de, hunspell-en-us")
        description = self.field("Description").splitlines()
        self.assertGreater(len(description), 3, "no extended description")

        # The newest changelog entry is this version, in Debian's format.
        with gzip.open(self.unpacked(DOC + "changelog.gz"), "rt") as f:
            changelog = f.read()
        plain = os.path.join(self.scratch, "changelog")
        with open(plain, "w") as f:
            f.write(changelog)
        parsed = run("dpkg-parsechangelog", "-l", plain, "-S", "Version").stdout.strip()
        self.assertEqual(parsed, self.version)
        with open(self.unpacked(DOC + "copyright")) as f:
            copyright_text = f.read()
        self.assertTrue(copyright_text.startswith(
            "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"))

        with gzip.open(self.unpacked("/usr/share/man/man1/velora-desktop.1.gz"), "rt") as f:
            manual = f.read()
        for text in (".B /options", ".B /send", ".SH FILES", ".SH ENVIRONMENT", "VELORADesktop.ini",
                     "VELORA Desktop " + self.version):
            self.assertIn(text, manual)

    def test_lintian_finds_no_error(self):
        result = run("lintian", "--tag-display-limit", "0", self.package, check=False)
        lines = result.stdout.splitlines()
        errors = [line for line in lines if line.startswith("E:")]
        warnings = [line for line in lines if line.startswith("W:")]
        print("lintian warnings (%d):" % len(warnings))
        for line in warnings:
            print("  " + line)
        self.assertEqual(errors, [], result.stdout + result.stderr)
        # Anything else than 0 is lintian failing to look at all.
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def test_the_desktop_entry_and_the_metainfo_are_valid_and_name_the_application_id(self):
        entry = self.unpacked("/usr/share/applications/%s.desktop" % APPLICATION_ID)
        result = run("desktop-file-validate", entry, check=False)
        self.assertEqual((result.returncode, result.stdout + result.stderr), (0, ""))
        with open(entry) as f:
            lines = f.read().splitlines()
        for line in ("Type=Application", "Exec=velora-desktop", "Icon=" + APPLICATION_ID):
            self.assertIn(line, lines)

        metainfo = self.unpacked("/usr/share/metainfo/%s.metainfo.xml" % APPLICATION_ID)
        result = run("appstreamcli", "validate", "--no-net", metainfo, check=False)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        component = ElementTree.parse(metainfo).getroot()
        self.assertEqual(component.findtext("id"), APPLICATION_ID)
        self.assertEqual(component.findtext("launchable[@type='desktop-id']"), APPLICATION_ID + ".desktop")
        for element in ("name", "summary", "description", "content_rating", "screenshots/screenshot/image"):
            self.assertIsNotNone(component.find(element), element)
        # The newest release is this version.
        self.assertEqual(component.find("releases/release").get("version"), self.version)

    def test_a_software_centre_catalog_made_from_it_has_the_component_with_its_icons(self):
        result_root = os.path.join(self.scratch, "compose")
        result = run("appstreamcli", "compose", "--no-net", "--no-color", "--origin", "velora",
                     "--result-root", result_root, "--print-report", "full", self.root, check=False)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        catalogs = glob.glob(os.path.join(result_root, "**", "velora.xml.gz"), recursive=True)
        self.assertEqual(len(catalogs), 1, result.stdout)
        with gzip.open(catalogs[0], "rt") as f:
            catalog = ElementTree.fromstring(f.read())
        components = catalog.findall("component")
        self.assertEqual([c.findtext("id") for c in components], [APPLICATION_ID], result.stdout)
        icons = {(icon.get("type"), icon.get("width")) for icon in components[0].findall("icon")}
        self.assertIn(("cached", "64"), icons, result.stdout)
        self.assertIn(("cached", "128"), icons, result.stdout)
        for size in (64, 128):
            cached = glob.glob(os.path.join(result_root, "**", "icons", "*", "%dx%d" % (size, size),
                                            APPLICATION_ID + ".png"), recursive=True)
            self.assertEqual(len(cached), 1, "no %d px icon among the catalog's icons" % size)
        errors = [line for line in result.stdout.splitlines() if line.startswith("E:")]
        self.assertEqual(errors, [], result.stdout)


if __name__ == "__main__":
    if len(sys.argv) > 1 and not sys.argv[1].startswith("-"):
        BUILD_DIR = sys.argv.pop(1)
    unittest.main(verbosity=2)
