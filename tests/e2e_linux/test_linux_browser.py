"""WebKit comes with the first page, as the browser does on Windows: before
it the program has not even loaded WebKit, runs none of its threads and no
web process; once the main window has stayed hidden for the idle period
(VELORA_BROWSER_IDLE_SECONDS, seconds here instead of minutes) WebKit's web
and network processes end, and the next page starts them again."""
import os
import unittest

from linux_support import (APP_TITLE, LinuxProgramTestCase, activate, click_menu_entry, image_statistics,
                           menu_entries, page_request, wait_until)

IDLE_SECONDS = "2"
# Threads WebKit starts in the program's own process.
WEBKIT_THREADS = {"PressureMonitor", "ReceiveQueue"}


def descendants(pid):
    """The program's child processes and theirs, by their program's name."""
    children = {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % entry) as f:
                parent = int(f.read().rsplit(")", 1)[1].split()[1])
            with open("/proc/%s/cmdline" % entry, "rb") as f:
                command = f.read().split(b"\0")[0].decode(errors="replace")
        except (OSError, IndexError, ValueError):
            continue
        children.setdefault(parent, []).append((int(entry), os.path.basename(command)))
    found, pending = [], [pid]
    while pending:
        for child, name in children.get(pending.pop(), []):
            found.append(name)
            pending.append(child)
    return found


def webkit_processes(pid, kind):
    return [name for name in descendants(pid) if name.startswith("WebKit" + kind)]


def thread_names(pid):
    names = set()
    for task in os.listdir("/proc/%d/task" % pid):
        try:
            with open("/proc/%d/task/%s/comm" % (pid, task)) as f:
                names.add(f.read().strip())
        except OSError:
            pass
    return names


def webkit_loaded(pid):
    with open("/proc/%d/maps" % pid) as f:
        return "libwebkit2gtk" in f.read()


class LazyWebKit(LinuxProgramTestCase):
    def assert_page_shown(self, path_and_query, pid):
        self.wait_for_request(page_request(path_and_query))
        window = self.display.wait_for_window(APP_TITLE)
        self.assertIsNotNone(window, "the main window did not come up")
        self.assertTrue(wait_until(lambda: webkit_processes(pid, "WebProcess"), 20), descendants(pid))
        rendered = lambda: image_statistics(self.display.screenshot(window, "linux-page-again.png"))
        self.assertTrue(wait_until(lambda: rendered()[0] > 0.7 and rendered()[1] > 0.05, 20),
                        "the page did not render: mean and deviation %r" % (rendered(),))
        return window

    def test_webkit_comes_with_the_first_page_and_its_processes_go_while_the_window_stays_hidden(self):
        # No first-close notice: the window only hides.
        self.write_account_settings("[intern]", "firststart=false")
        process, item = self.start_in_tray(VELORA_BROWSER_IDLE_SECONDS=IDLE_SECONDS)
        pid = process.pid
        # Answered by the program: its start-up is over.
        self.assertTrue(menu_entries(item))
        self.assertFalse(webkit_loaded(pid))
        self.assertEqual(thread_names(pid) & WEBKIT_THREADS, set())
        self.assertEqual(descendants(pid), [])

        activate(item)
        window = self.assert_page_shown("/send?sApp=DW&&bSmallApp=1", pid)
        self.assertTrue(webkit_loaded(pid))
        self.assertTrue(webkit_processes(pid, "NetworkProcess"), descendants(pid))

        # Hidden for the idle period: WebKit's processes end.
        self.display.close(window)
        self.assertTrue(wait_until(lambda: not self.display.windows(APP_TITLE), 10))
        self.assertTrue(wait_until(lambda: not webkit_processes(pid, ""), 30), descendants(pid))

        # The next page starts them again.
        click_menu_entry(item, "_Adressbuch...")
        self.assert_page_shown("/contacts?sApp=DW&bSmallApp=1", pid)

        click_menu_entry(item, "_Beenden")
        self.assertEqual(process.wait(timeout=20), 0)
        self.assertEqual(self.stderr_of(process), "")


if __name__ == "__main__":
    unittest.main()
