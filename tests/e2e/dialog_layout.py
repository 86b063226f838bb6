"""What the layout checks of the dialogs share: the controls of a window as
the probe sees them, whether their captions fit and whether they overlap,
the sizes of the window's icons, screenshots for a person to look at, and
the display scale of the programs the tests start."""
import os
import re
import shutil
import subprocess
import tempfile

from e2e_support import probe, wine

# Wine 8 reads the user's display scale at every program start: a program
# started after a change draws at the new density, with no new Wine session.
# (Where the user has none, Wine takes the one winecfg writes under
# HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts;
# LogPixels under HKCU\Software\Wine\Fonts changes nothing.)
DESKTOP_KEY = r"HKCU\Control Panel\Desktop"


def use_display_dpi(test, dpi):
    """Programs started from now until the end of `test` run at `dpi` dots per inch."""
    result = wine("reg", "add", DESKTOP_KEY, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f")
    test.assertEqual(result.returncode, 0, result.stderr)
    test.addCleanup(wine, "reg", "delete", DESKTOP_KEY, "/v", "LogPixels", "/f")


def scaled(length, dpi):
    """A designed length at `dpi`, rounded as the program rounds (halves up)."""
    return (length * dpi + 48) // 96


def controls(window):
    """The window's children as dicts: index, cls, visible, x, y, w, h (client
    coordinates of the window), style, kind (button style) and text."""
    listing = probe("children", window)
    places = probe("rects", window)
    if listing.returncode or places.returncode:
        raise AssertionError("the probe could not list %s (exit codes %d, %d):\n%s%s\nwindows:\n%s"
                             % (window, listing.returncode, places.returncode, listing.stderr, places.stderr,
                                probe("windows").stdout))
    texts = {}
    last = None
    for line in listing.stdout.split("\n"):
        match = re.match(r"(\d+)\t[^\t]*\t-?\d+\t[01]\t(.*)$", line.rstrip("\r"))
        if match:
            last = int(match.group(1))
            texts[last] = match.group(2)
        elif last is not None and line:
            texts[last] += "\n" + line.rstrip("\r")  # a caption with line breaks
    found = []
    for line in places.stdout.splitlines():
        fields = line.split("\t")
        if fields[0] == "client":
            continue
        index, cls, visible, x, y, w, h, style = fields
        style = int(style, 16)
        found.append(dict(index=int(index), cls=cls, visible=visible == "1", x=int(x), y=int(y), w=int(w), h=int(h),
                          style=style, kind=style & 0xF, text=texts.get(int(index), "")))
    return found


def client_size(window):
    places = probe("rects", window)
    lines = places.stdout.splitlines()
    if places.returncode or not lines:
        raise AssertionError("the probe could not measure %s (exit code %d): %s"
                             % (window, places.returncode, places.stderr))
    first = lines[0].split("\t")
    return int(first[1]), int(first[2])


def describe(found):
    return "\n".join("%(index)d %(cls)s visible=%(visible)s %(x)d,%(y)d %(w)dx%(h)d style=%(style)x %(text)r" % c
                     for c in found)


def only(found, what, predicate):
    matching = [c for c in found if predicate(c)]
    if len(matching) != 1:
        raise AssertionError("expected one %s among the dialog's controls, found %d:\n%s"
                             % (what, len(matching), describe(found)))
    return matching[0]


def caption_fits(window, font):
    """Each visible text control's caption measured in the dialog's font
    (face, points): rows of index, kind, fits ("1" or "0"), needed, available, text."""
    measured = probe("fits", window, *font)
    if measured.returncode:
        raise AssertionError("the probe could not measure %s: %s" % (window, measured.stderr))
    return [line.split("\t", 5) for line in measured.stdout.splitlines()]


def overlapping(found, containers):
    """Pairs of visible controls whose rectangles overlap, but for
    `containers` (the frames that hold others)."""
    shown = [c for c in found if c["visible"] and c not in containers]
    pairs = []
    for i, a in enumerate(shown):
        for b in shown[i + 1:]:
            if a["x"] < b["x"] + b["w"] and b["x"] < a["x"] + a["w"] and a["y"] < b["y"] + b["h"] and \
                    b["y"] < a["y"] + a["h"]:
                pairs.append((a, b))
    return pairs


def outside(found, client):
    """Visible controls that reach beyond the client area (width, height)."""
    return [c for c in found if c["visible"] and (c["x"] < 0 or c["y"] < 0 or c["x"] + c["w"] > client[0]
                                                  or c["y"] + c["h"] > client[1])]


def window_icon_sizes(window):
    """The sizes of the icons the window hands the window manager (Wine puts
    the window's small and big icon in the X window's _NET_WM_ICON), as
    sorted widths; None where that cannot be read."""
    xwindow = probe("xwindow", window).stdout.strip()
    if not xwindow or not shutil.which("xprop"):
        return None
    shown = subprocess.run(["xprop", "-id", xwindow, "_NET_WM_ICON"], stdin=subprocess.DEVNULL,
                           capture_output=True, text=True, timeout=30)
    return sorted(int(width) for width, _ in re.findall(r"Icon \((\d+) x (\d+)\)", shown.stdout))


def screenshot(name):
    """A picture of the screen for a person to look at; not part of the verdict."""
    display = os.environ.get("DISPLAY", "")
    if not display or not shutil.which("import"):
        return
    path = os.path.join(tempfile.gettempdir(), "velora-%s-display%s.png" % (name, display.lstrip(":")))
    subprocess.run(["import", "-window", "root", path], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=30, check=False)
