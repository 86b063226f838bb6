#!/usr/bin/env python3
"""Builds the Debian package of the Linux program with cpack into a scratch
folder and checks what it holds: the program, both language files in the
data folder, the desktop entry that starts the program and the icon in the
hicolor theme.

Usage: check_deb_package.py BUILD_DIR"""
import glob
import os
import subprocess
import sys
import tempfile


def main(build_dir):
    with tempfile.TemporaryDirectory() as scratch:
        subprocess.run(["cpack", "-G", "DEB", "-B", scratch], cwd=build_dir, check=True, capture_output=True)
        packages = glob.glob(os.path.join(scratch, "*.deb"))
        if len(packages) != 1:
            print("expected one package, found %r" % packages)
            return 1
        listing = subprocess.run(["dpkg-deb", "-c", packages[0]], check=True, capture_output=True, text=True).stdout
        files = {line.split()[-1].lstrip(".") for line in listing.splitlines()}
        expected = {"/usr/bin/velora-desktop", "/usr/share/velora-desktop/de.lang", "/usr/share/velora-desktop/en.lang",
                    "/usr/share/applications/velora-desktop.desktop",
                    "/usr/share/icons/hicolor/48x48/apps/velora-desktop.png"}
        problems = ["missing " + name for name in sorted(expected - files)]
        fields = subprocess.run(["dpkg-deb", "-f", packages[0], "Package", "Depends"], check=True,
                                capture_output=True, text=True).stdout
        if "Package: velora-desktop" not in fields or "libwebkit2gtk-4.1-0" not in fields:
            problems.append("control fields: " + fields)
        unpacked = os.path.join(scratch, "root")
        subprocess.run(["dpkg-deb", "-x", packages[0], unpacked], check=True)
        with open(os.path.join(unpacked, "usr/share/applications/velora-desktop.desktop")) as f:
            entry = f.read()
        for line in ("Exec=velora-desktop", "Icon=velora-desktop", "Type=Application"):
            if line not in entry.splitlines():
                problems.append("desktop entry lacks " + line)
        for problem in problems:
            print(problem)
        print("%d passed, %d failed" % (len(expected) + 4 - len(problems), len(problems)))
        return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
