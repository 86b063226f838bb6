"""What the service's pages may do in the program's window: spell checking in
what the user types, in the interface language; notifications from the
service's own address shown by the desktop's notification service (the
test's own, notification_server.py), a click on one showing the window, and
none from another origin; a link to another host opened in the desktop's
browser while the window stays on the service. The pages are the test's own,
served by the mock in place of the send page."""
import json
import os
import select
import subprocess
import sys
import unittest
import urllib.parse

from linux_support import (APP_TITLE, HERE, SERVICE_URL, LinuxProgramTestCase, activate, click_menu_entry,
                           page_request, wait_until)

SEND = "/send?sApp=DW&&bSmallApp=1"
PORT = urllib.parse.urlsplit(SERVICE_URL).port or 80
# The mock as another origin: the same server under another host name.
ELSEWHERE = "http://localhost:%d" % PORT

TEXT_PAGE = """<!DOCTYPE html><html><head><meta charset="utf-8"><title>text</title></head>
<body style="margin:0;background:#fff">
<textarea id="text" autofocus spellcheck="true"
 style="position:fixed;left:0;top:0;width:100%;height:100%;border:0;outline:0;resize:none;
 font:20px/40px sans-serif;color:#000;background:#fff;padding:8px;box-sizing:border-box"></textarea>
<style>textarea:focus { background: #ffe !important }</style>
</body></html>"""

# WebKit lets a page ask only on the user's click. The frame of another
# origin (the upper half) asks on the first click; the service's page (the
# lower half) on the second, and its notification tells what the frame got.
# Every answer is also written to the mock's log (/trace?...).
NOTIFY_PAGE = """<!DOCTYPE html><html><head><meta charset="utf-8"><title>notify</title></head>
<body style="margin:0;background:#88c">
<iframe src="%s/frame" style="position:fixed;left:0;top:0;width:100%%;height:50%%;border:0"></iframe>
<script>
var frame = "none";
window.addEventListener("message", function (event) { frame = String(event.data); });
document.addEventListener("click", function () {
  Notification.requestPermission().then(function (permission) {
    new Image().src = "/trace?service-" + permission;
    if (permission === "granted") new Notification("Neue SMS", {body: frame});
  });
});
</script></body></html>""" % ELSEWHERE

FRAME_PAGE = """<!DOCTYPE html><html><head><meta charset="utf-8"></head><body style="background:#8c8"><script>
function tried(permission) {
  if (permission === "granted") new Notification("Von anderswo", {body: "frame"});
  new Image().src = "/trace?frame-" + permission;
  parent.postMessage("frame-" + permission, "*");
}
document.addEventListener("click", function () {
  try { Notification.requestPermission().then(tried, function () { tried("error"); }); }
  catch (e) { tried("error"); }
});
</script></body></html>"""

LINKS_PAGE = """<!DOCTYPE html><html><head><meta charset="utf-8"><title>links</title></head>
<body style="margin:0">
<a href="%s/elsewhere" style="position:fixed;left:0;top:0;width:100%%;height:50%%;background:#8c8"></a>
<a href="/inside" style="position:fixed;left:0;top:50%%;width:100%%;height:50%%;background:#88c"></a>
</body></html>""" % ELSEWHERE


def pixels(path):
    """The picture's (width, height, rows of (r, g, b))."""
    size = subprocess.run(["identify", "-format", "%w %h", path], capture_output=True, text=True,
                          check=True).stdout.split()
    width, height = int(size[0]), int(size[1])
    data = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], capture_output=True, check=True).stdout
    rows = [[tuple(data[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x in range(width)] for y in range(height)]
    return width, height, rows


def rows_where(rows, test):
    return [y for y, row in enumerate(rows) if any(test(pixel) for pixel in row)]


def spelling_marks(path):
    """(rows of the first line of text, rows of the second, rows holding the
    spell checker's red marks)."""
    _, _, rows = pixels(path)
    dark = rows_where(rows, lambda p: max(p) < 90)
    red = rows_where(rows, lambda p: p[0] > 200 and p[1] < 170 and p[2] < 170 and p[0] - p[1] > 80)
    lines, current = [], []
    for y in dark:
        if current and y > current[-1] + 1:
            lines.append(current)
            current = []
        current.append(y)
    if current:
        lines.append(current)
    return lines, red


def window_size(display, window):
    out = display.run("xdotool", "getwindowgeometry", window).stdout
    size = [line.split(":")[1].strip() for line in out.splitlines() if "Geometry" in line][0]
    width, height = size.split("x")
    return int(width), int(height)


class NotificationServer:
    """The test's org.freedesktop.Notifications (notification_server.py)."""

    def __init__(self):
        self.process = subprocess.Popen([sys.executable, os.path.join(HERE, "notification_server.py")],
                                        stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        if self.read_line(10) != "ready":
            raise AssertionError("the notification server did not start")

    def read_line(self, timeout):
        ready, _, _ = select.select([self.process.stdout], [], [], timeout)
        return self.process.stdout.readline().strip() if ready else None

    def next_notification(self, timeout):
        """(id, fields) of the next notification, or None."""
        line = self.read_line(timeout)
        while line is not None and not line.startswith("notify "):
            line = self.read_line(timeout)
        if line is None:
            return None
        _, number, fields = line.split(" ", 2)
        return int(number), json.loads(fields)

    def click(self, number):
        self.process.stdin.write("click %d\n" % number)
        self.process.stdin.flush()
        if self.read_line(10) != "clicked %d" % number:
            raise AssertionError("the notification server did not click")

    def stop(self):
        self.process.stdin.close()
        self.process.wait(timeout=10)
        self.process.stdout.close()


class ServicePages(LinuxProgramTestCase):
    def serve(self, **pages):
        for name, text in pages.items():
            with open(os.path.join(self.service.folder, name + ".html"), "w", encoding="utf-8") as f:
                f.write(text)
            self.addCleanup(os.remove, os.path.join(self.service.folder, name + ".html"))

    def open_send_page(self, lang="de", *settings):
        self.write_account_settings("[intern]", "firststart=false", "[language]", "lang=" + lang, *settings)
        process, item = self.start_in_tray()
        activate(item)
        self.wait_for_request(page_request(SEND, lang))
        window = self.display.wait_for_window(APP_TITLE)
        self.assertIsNotNone(window, "the main window did not come up")
        return process, item, window

    def end(self, process, item, exit_entry="_Beenden"):
        click_menu_entry(item, exit_entry)
        self.assertEqual(process.wait(timeout=20), 0)
        self.assertEqual(self.stderr_of(process), "")

    def assert_only_the_second_line_marked(self, window, first_line, shot):
        # Typed as the user types: the words are checked as each is ended.
        width, height = window_size(self.display, window)
        self.display.click(window, width // 2, height // 2)
        # The field shows that it has the focus: the keys reach it now.
        self.assertTrue(wait_until(lambda: self.page_drawn(window, (0xff, 0xff, 0xee)), 20), "no focus in the field")
        self.display.type_text(window, first_line)
        self.display.key(window, "Return")
        self.display.type_text(window, "Fehlerr ")
        marks = []
        found = lambda: marks.append(spelling_marks(self.display.screenshot(window, shot))) or marks[-1][1]
        self.assertTrue(wait_until(found, 20), "no word marked as misspelled; text rows %r" % (marks[-1][0],))
        lines, red = marks[-1]
        self.assertEqual(len(lines), 2, "two lines of text expected: %r" % (lines,))
        # The marks lie under the second line only: between the lines' middles
        # there is none, so the first line's words passed.
        between = (lines[0][0] + lines[0][-1]) // 2, (lines[1][0] + lines[1][-1]) // 2
        self.assertEqual([y for y in red if y < between[1]], [],
                         "first line %r marked: red rows %r" % (first_line, red))

    # Each language's correct words are the other's misspelled ones.
    def test_spelling_is_checked_in_german_for_the_german_interface(self):
        self.serve(send=TEXT_PAGE)
        process, item, window = self.open_send_page("de")
        self.assert_only_the_second_line_marked(window, "Hallo Welt", "linux-spelling-de.png")
        self.end(process, item)

    def test_spelling_is_checked_in_english_for_the_english_interface(self):
        self.serve(send=TEXT_PAGE)
        process, item, window = self.open_send_page("en")
        self.assert_only_the_second_line_marked(window, "Hello world", "linux-spelling-en.png")
        self.end(process, item, "E_xit")

    def traced(self, who):
        """What `who` ("frame", "service") was answered, once the mock saw it."""
        found = []
        wait_until(lambda: found.extend(line for line in self.requests() if line.startswith("GET /trace?" + who))
                   or found, 20)
        return found[0].split("-", 1)[1] if found else None

    def test_the_service_notifies_through_the_desktop_and_other_origins_do_not(self):
        server = NotificationServer()
        self.addCleanup(server.stop)
        self.serve(send=NOTIFY_PAGE, frame=FRAME_PAGE)
        process, item, window = self.open_send_page()
        width, height = window_size(self.display, window)
        self.wait_for_request("GET /frame")
        self.assertTrue(wait_until(lambda: self.page_drawn(window, (0x88, 0xcc, 0x88)), 20), "the frame was not drawn")

        self.display.click(window, width // 2, height // 4)
        frame_answer = self.traced("frame")
        self.assertIsNotNone(frame_answer, "the frame's request was never answered")
        self.assertNotEqual(frame_answer, "granted")
        self.display.click(window, width // 2, height * 3 // 4)
        self.assertEqual(self.traced("service"), "granted")
        notification = server.next_notification(30)
        self.assertIsNotNone(notification, "the page's notification never reached the desktop")
        number, fields = notification
        # Nothing of the frame's came first.
        self.assertEqual(fields["summary"], "Neue SMS")
        self.assertEqual(fields["body"], "frame-" + frame_answer)
        self.assertEqual(fields["desktop-entry"], "com.velora.Desktop")
        self.assertIn("default", fields["actions"])

        # A click on it shows the hidden window again.
        self.display.close(window)
        self.assertTrue(wait_until(lambda: not self.display.windows(APP_TITLE), 10))
        server.click(number)
        self.assertIsNotNone(self.display.wait_for_window(APP_TITLE), "the click did not show the window")
        self.end(process, item)
        self.assertIsNone(server.next_notification(0))

    def test_a_link_to_another_host_opens_in_the_desktops_browser(self):
        self.serve(send=LINKS_PAGE)
        process, item, window = self.open_send_page()
        width, height = window_size(self.display, window)
        # Drawn: the links are there to click.
        self.assertTrue(wait_until(lambda: self.page_drawn(window, (0x88, 0xcc, 0x88)), 20), "the links were not drawn")
        self.display.click(window, width // 2, height // 4)
        self.assertTrue(wait_until(lambda: self.opened(), 20), "the desktop's browser was not asked")
        self.assertEqual(self.opened(), [ELSEWHERE + "/elsewhere"])

        # The service's own link stays in the window, which never left the service.
        self.display.click(window, width // 2, height * 3 // 4)
        self.wait_for_request("GET /inside")
        self.assertEqual(self.opened(), [ELSEWHERE + "/elsewhere"])
        self.assertNotIn("GET /elsewhere", self.requests())
        self.end(process, item)

    def page_drawn(self, window, colour):
        _, _, rows = pixels(self.display.screenshot(window, "linux-service-page.png"))
        return bool(rows_where(rows, lambda p: p == colour))


if __name__ == "__main__":
    unittest.main()
