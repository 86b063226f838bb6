"""WebKit comes with the first page, as the browser does on Windows, and
never into the program's own process: the page window lives in a process of
its own (the program started again), which loads WebKit and starts WebKit's
web and network processes. Before the first page there is none of it; once
the main window has stayed hidden for the idle period
(VELORA_BROWSER_IDLE_SECONDS, seconds here instead of minutes) the page
window's process ends with WebKit's, and the next page starts them again."""
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
            found.append((child, name))
            pending.append(child)
    return found


def descendant_names(pid):
    return [name for _, name in descendants(pid)]


def page_processes(pid):
    """The program's children running the program itself: its page window."""
    own = os.path.basename(os.readlink("/proc/%d/exe" % pid))
    return [child for child, name in descendants(pid) if name == own]


def webkit_processes(pid, kind):
    return [name for name in descendant_names(pid) if name.startswith("WebKit" + kind)]


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
        self.assertTrue(wait_until(lambda: webkit_processes(pid, "WebProcess"), 20), descendant_names(pid))
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
        pages = page_processes(pid)
        self.assertEqual(len(pages), 1, descendant_names(pid))
        self.assertTrue(webkit_loaded(pages[0]))
        self.assertFalse(webkit_loaded(pid))
        self.assertEqual(thread_names(pid) & WEBKIT_THREADS, set())
        self.assertTrue(webkit_processes(pid, "NetworkProcess"), descendant_names(pid))

        # Hidden for the idle period: the page window's process ends, and
        # WebKit's with it.
        self.display.close(window)
        self.assertTrue(wait_until(lambda: not self.display.windows(APP_TITLE), 10))
        self.assertTrue(wait_until(lambda: not descendants(pid), 30), descendant_names(pid))
        self.assertFalse(webkit_loaded(pid))

        # The next page starts them again, in a new process.
        click_menu_entry(item, "_Adressbuch...")
        self.assert_page_shown("/contacts?sApp=DW&bSmallApp=1", pid)
        self.assertEqual(len(page_processes(pid)), 1, descendant_names(pid))
        self.assertNotEqual(page_processes(pid), pages)

        click_menu_entry(item, "_Beenden")
        self.assertEqual(process.wait(timeout=20), 0)
        self.assertEqual(self.stderr_of(process), "")


if __name__ == "__main__":
    unittest.main()
