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


def source(namespace, body="class A {};"):
    return "#pragma once\nnamespace %s {\n%s\n}  // namespace %s\n" % (namespace, body, namespace)


class LayerCheck(unittest.TestCase):
    def test_the_program_keeps_its_order(self):
        self.assertEqual(check_layers.violations(os.path.join(ROOT, "src")), [])

    def test_downward_and_same_folder_includes_pass(self):
        for source, target in (("app/A.cpp", "component/B.h"), ("forms/F.cpp", "controls/C.h"),
                               ("controls/tray/T.cpp", "controls/Control.h"), ("net/N.cpp", "net/M.h"),
                               ("win32/P.cpp", "app/A.h"), ("win32/WinMain.cpp", "startup/S.h"),
                               ("curl/C.cpp", "platform/HttpClient.h"), ("gtk/Main.cpp", "curl/C.h")):
            self.assertEqual(check_layers.violations(tree(including(source, target))), [], (source, target))

    def test_upward_side_and_platform_includes_fail(self):
        for source, target in (("component/C.h", "controls/ControlPeer.h"),  # up one layer
                               ("i18n/T.cpp", "app/Application.h"),          # up several
                               ("net/N.cpp", "i18n/X.h"),                    # side by side
                               ("controls/C.cpp", "forms/F.h"),              # the controls under the forms
                               ("win32/P.cpp", "forms/uFormMain.h"),         # a form from the platform
                               ("win32/P.cpp", "startup/Program.h"),         # only the entry starts
                               ("app/A.cpp", "win32/W.h"),                   # into an implementation
                               ("curl/C.cpp", "net/N.h"),                    # the client needs no engine
                               ("gtk/G.cpp", "curl/C.h"),                    # only the entry puts it in
                               ("win32/WinMain.cpp", "gtk/G.h")):            # the other system's side
            found = check_layers.violations(tree(including(source, target)))
            self.assertEqual(len(found), 1, (source, target))
            self.assertTrue(found[0].startswith(source + ":1: includes " + target), found)


class NamespaceCheck(unittest.TestCase):
    def test_the_program_keeps_its_namespaces(self):
        self.assertEqual(check_layers.namespace_violations(os.path.join(ROOT, "src")), [])

    def test_folder_namespaces_details_and_forward_declarations_pass(self):
        files = {
            "controls/Control.h": source("velora::controls"),
            "controls/linklabel/LinkLabel.h": source("velora::controls"),  # a sub-folder keeps its folder's
            "app/BuildConfig.h.in": source("velora::app::build", "inline constexpr int A = 1;"),
            "component/ControlPeer.h": source("velora::controls", "class TForm;\nstruct TRect;")
                                       + source("velora::component"),
            "component/Property.h": source("velora::component", "namespace property_detail {\nint A();\n}"),
            "gtk/Main.cpp": "int main() { return 0; }\n",  # an entry
        }
        self.assertEqual(check_layers.namespace_violations(tree(files)), [])

    def test_other_namespaces_sub_folder_namespaces_and_none_fail(self):
        for path, text, expected in (
                ("component/Component.h", source("velora::ui"), "component/Component.h:2: namespace velora::ui"),
                ("startup/Program.h", source("velora::app"), "startup/Program.h:2: namespace velora::app"),
                ("win32/Win32HttpClient.h", source("velora::win32") + source("velora::platform"),
                 "win32/Win32HttpClient.h:6: namespace velora::platform"),
                ("controls/linklabel/LinkLabel.h", source("velora::controls::linklabel"),
                 "controls/linklabel/LinkLabel.h:2: namespace velora::controls::linklabel"),
                ("text/Text.h", "#pragma once\nint Trim();\n", "text/Text.h:1: declares nothing in velora::text"),
                # a comment or a string naming a namespace is none
                ("net/N.h", "// namespace velora::net {\nconst char* a = \"namespace velora::net {\";\n",
                 "net/N.h:1: declares nothing in velora::net")):
            found = check_layers.namespace_violations(tree({path: text}))
            self.assertEqual(len(found), 1, (path, found))
            self.assertTrue(found[0].startswith(expected), found)


if __name__ == "__main__":
    unittest.main()
