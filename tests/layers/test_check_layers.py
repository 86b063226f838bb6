"""The layer check itself: it passes the real tree and fails on each kind of
include that runs against the order."""
import os
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tools", "layers"))

import check_layers  # noqa: E402


def tree(files):
    """A source folder holding `files` ({relative path: text})."""
    folder = tempfile.mkdtemp(prefix="velora-layers-")
    for path, text in files.items():
        full = os.path.join(folder, path)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, "w") as f:
            f.write(text)
    return folder


def including(source, target):
    return {source: '#include "%s"\n' % target, target: "#pragma once\n"}


class LayerCheck(unittest.TestCase):
    def test_the_program_keeps_its_order(self):
        self.assertEqual(check_layers.violations(os.path.join(ROOT, "src")), [])

    def test_downward_and_same_folder_includes_pass(self):
        for source, target in (("app/A.cpp", "component/B.h"), ("ui/forms/F.cpp", "ui/controls/C.h"),
                               ("ui/controls/tray/T.cpp", "ui/controls/Control.h"), ("net/N.cpp", "net/M.h"),
                               ("platform/win32/P.cpp", "app/A.h"), ("platform/win32/WinMain.cpp", "startup/S.h")):
            self.assertEqual(check_layers.violations(tree(including(source, target))), [], (source, target))

    def test_upward_side_and_platform_includes_fail(self):
        for source, target in (("component/C.h", "ui/controls/ControlPeer.h"),  # up one layer
                               ("i18n/T.cpp", "app/Application.h"),             # up several
                               ("net/N.cpp", "i18n/X.h"),                       # side by side
                               ("ui/controls/C.cpp", "ui/forms/F.h"),           # sub-folders of ui
                               ("platform/win32/P.cpp", "ui/forms/uFormMain.h"),  # a form from the platform
                               ("platform/win32/P.cpp", "startup/Program.h"),     # only the entry starts
                               ("app/A.cpp", "platform/win32/W.h")):            # into an implementation
            found = check_layers.violations(tree(including(source, target)))
            self.assertEqual(len(found), 1, (source, target))
            self.assertTrue(found[0].startswith(source + ":1: includes " + target), found)


if __name__ == "__main__":
    unittest.main()
