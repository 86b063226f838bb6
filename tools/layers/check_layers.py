#!/usr/bin/env python3
"""Keeps the source folders in their one-way order, and the namespaces with
the folders.

    check_layers.py [SRC_DIR]     prints every upward include and every file
                                  outside its folder's namespace; exit 1 if any

Layers: a file may include files of its own layer and of the layers below it,
never of a layer above. A file belongs to the layer of its top folder
(sub-folders are part of it). Folders of the same rank must not include each
other either (settings, net and i18n stand side by side).

Namespaces: the code of a file lies in velora::<its top folder>, sub-folders
too (controls/linklabel/ and controls/peers/ are velora::controls). A
namespace nested in it names a detail (velora::app::build, property_detail),
never a sub-folder. A block of another namespace may only declare classes
ahead (class TForm;). Only the programs' entries (WinMain, main) have no
namespace of their own.
"""
import os
import re
import sys

# Bottom to top: folder and rank.
LAYERS = [
    ("text", 0),
    ("platform", 1),          # the interfaces to the system, and the file system on the C++ library
    ("component", 2),
    ("settings", 3),
    ("net", 4),
    ("i18n", 4),
    ("controls", 5),
    ("account", 6),
    ("app", 7),
    ("forms", 8),
    ("startup", 9),
]
# The implementations of the interfaces stand beside the layers: the Windows
# and the GTK side implement the interfaces and the peers of the controls and
# may use everything up to the application, never a form; the libcurl client
# implements the HTTP interface with nothing above it. Nothing reaches into
# them but themselves and the programs' entries, which alone start the
# program, each with the implementations it puts together.
BESIDE = {
    "win32": 7,
    "gtk": 7,
    "curl": 1,
}
ENTRY_FILES = {
    "win32/WinMain.cpp": (9, {"win32"}),
    "gtk/Main.cpp": (9, {"gtk", "curl"}),
}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)
SOURCE_SUFFIXES = (".h", ".cpp", ".in")


def top_folder(path):
    return path.split("/", 1)[0] if "/" in path else None


def layer_of(path):
    """(name, rank) of a path relative to the source folder, or None."""
    top = top_folder(path)
    for folder, rank in list(LAYERS) + list(BESIDE.items()):
        if top == folder:
            return (folder, rank)
    return None


def allowed(source_path, target_path):
    source = layer_of(source_path)
    target = layer_of(target_path)
    if source is None or target is None:
        return True  # generated headers and system headers are no layer
    if source[0] == target[0]:
        return True
    if source_path in ENTRY_FILES:
        limit, implementations = ENTRY_FILES[source_path]
        if target[0] in BESIDE:
            return target[0] in implementations
        return target[1] <= limit
    if target[0] in BESIDE:
        return False  # nothing but the implementation itself reaches into it
    if source[0] in BESIDE:
        return target[1] <= source[1]
    # Same rank, other folder: side by side, not on top of each other.
    return target[1] < source[1]


def sources(src_dir):
    for folder, _, files in os.walk(src_dir):
        for name in sorted(files):
            if name.endswith(SOURCE_SUFFIXES):
                full = os.path.join(folder, name)
                rel = os.path.relpath(full, src_dir).replace(os.sep, "/")
                with open(full, encoding="latin-1") as f:
                    yield rel, f.read()


def violations(src_dir):
    found = []
    for rel, text in sources(src_dir):
        for match in INCLUDE.finditer(text):
            target = match.group(1)
            if not os.path.exists(os.path.join(src_dir, target)):
                continue
            if not allowed(rel, target):
                line = text.count("\n", 0, match.start()) + 1
                found.append("%s:%d: includes %s (%s above %s)"
                             % (rel, line, target, layer_of(target)[0], layer_of(rel)[0]))
    return found


COMMENT_OR_LITERAL = re.compile(r'//[^\n]*|/\*.*?\*/|"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\'', re.DOTALL)
NAMESPACE = re.compile(r"\bnamespace\s+([A-Za-z_][\w:]*)\s*\{")
FORWARD_DECLARATION = re.compile(r"\b(?:class|struct)\s+\w+\s*;|\benum\s+(?:class|struct)\s+\w+\s*(?::\s*[\w:]+\s*)?;")


def blank(text):
    """The text with comments, literals and preprocessor lines blanked, lines kept."""
    def spaces(match):
        return re.sub(r"[^\n]", " ", match.group(0))
    text = COMMENT_OR_LITERAL.sub(spaces, text)
    return re.sub(r"^[ \t]*#.*$", lambda m: " " * len(m.group(0)), text, flags=re.MULTILINE)


def top_level_namespaces(text):
    """(line, name, body) of the namespace blocks that are not inside another."""
    code = blank(text)
    found = []
    at = 0
    while True:
        match = NAMESPACE.search(code, at)
        if not match:
            return found
        depth, end = 1, match.end()
        while depth and end < len(code):
            depth += {"{": 1, "}": -1}.get(code[end], 0)
            end += 1
        found.append((code.count("\n", 0, match.start()) + 1, match.group(1), code[match.end():end - 1]))
        at = end


def subfolders(src_dir, top):
    folder = os.path.join(src_dir, top)
    return {name for _, names, _ in os.walk(folder) for name in names}


def namespace_violations(src_dir):
    found = []
    for rel, text in sources(src_dir):
        top = top_folder(rel)
        if top is None:
            continue
        own = "velora::" + top
        nested_names = subfolders(src_dir, top)
        has_own = False
        before = len(found)
        for line, name, body in top_level_namespaces(text):
            if name == own:
                has_own = True
                continue
            if name.startswith(own + "::"):
                detail = name[len(own) + 2:].split("::")[0]
                if detail in nested_names:
                    found.append("%s:%d: namespace %s (a sub-folder keeps %s)" % (rel, line, name, own))
                else:
                    has_own = True
                continue
            if FORWARD_DECLARATION.sub("", body).strip():
                found.append("%s:%d: namespace %s in %s/ (its code belongs in %s)" % (rel, line, name, top, own))
        if not has_own and len(found) == before and rel not in ENTRY_FILES:
            found.append("%s:1: declares nothing in %s" % (rel, own))
    return found


def main(argv):
    src_dir = argv[1] if len(argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "src")
    found = violations(src_dir)
    names = namespace_violations(src_dir)
    for line in found + names:
        print(line)
    if found:
        print("%d include(s) against the layer order" % len(found))
    if names:
        print("%d file(s) outside their folder's namespace" % len(names))
    if found or names:
        return 1
    print("layers: every include runs downwards, every file lies in its folder's namespace")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
