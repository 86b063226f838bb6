#!/usr/bin/env python3
"""Keeps the source folders in their one-way order: a file may include files
of its own layer and of the layers below it, never of a layer above.

    check_layers.py [SRC_DIR]     prints every upward include; exit 1 if any

A file belongs to the layer of the longest folder prefix in LAYERS. Folders
on the same rank that are not listed as allowed for each other must not
include each other either (settings, net and i18n stand side by side).
"""
import os
import re
import sys

# Bottom to top. Each entry: folder, rank, and the folders of the same rank
# it may include besides its own.
LAYERS = [
    ("text", 0),
    ("platform", 1),          # the interfaces to the system, and plain C++ implementations
    ("component", 2),
    ("settings", 3),
    ("net", 4),
    ("i18n", 4),
    ("ui/controls", 5),
    ("account", 6),
    ("app", 7),
    ("ui/forms", 8),
    ("startup", 9),
]
# The platform implementations stand beside the layers: they implement the
# interfaces and the peers of the controls, and may use everything up to the
# application, but never a form. Only the program's entry starts the program.
BESIDE = {
    "platform/win32": 7,
    "platform/gtk": 7,
}
ENTRY_FILES = {"platform/win32/WinMain.cpp": 9, "platform/gtk/Main.cpp": 9}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def layer_of(path):
    """(name, rank) of a path relative to the source folder, or None."""
    best = None
    for folder, rank in list(LAYERS) + list(BESIDE.items()):
        if path == folder or path.startswith(folder + "/"):
            if best is None or len(folder) > len(best[0]):
                best = (folder, rank)
    return best


def allowed(source_path, target_path):
    source = layer_of(source_path)
    target = layer_of(target_path)
    if source is None or target is None:
        return True  # generated headers and system headers are no layer
    if source[0] == target[0]:
        return True
    if target[0] in BESIDE:
        return False  # nothing but the implementation itself reaches into it
    limit = ENTRY_FILES.get(source_path, source[1])
    if source[0] in BESIDE or source_path in ENTRY_FILES:
        return target[1] <= limit
    # Same rank, other folder: side by side, not on top of each other.
    return target[1] < limit


def violations(src_dir):
    found = []
    for folder, _, files in os.walk(src_dir):
        for name in sorted(files):
            if not name.endswith((".h", ".cpp", ".in")):
                continue
            full = os.path.join(folder, name)
            rel = os.path.relpath(full, src_dir).replace(os.sep, "/")
            with open(full, encoding="latin-1") as f:
                text = f.read()
            for match in INCLUDE.finditer(text):
                target = match.group(1)
                if not os.path.exists(os.path.join(src_dir, target)):
                    continue
                if not allowed(rel, target):
                    line = text.count("\n", 0, match.start()) + 1
                    found.append("%s:%d: includes %s (%s above %s)"
                                 % (rel, line, target, layer_of(target)[0], layer_of(rel)[0]))
    return found


def main(argv):
    src_dir = argv[1] if len(argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "src")
    found = violations(src_dir)
    for line in found:
        print(line)
    if found:
        print("%d include(s) against the layer order" % len(found))
        return 1
    print("layers: every include runs downwards")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
