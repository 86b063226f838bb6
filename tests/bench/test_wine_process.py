"""The benchmark's look-up of a started program's process and its age
(tools/bench/wine_process.py), on plain Linux processes: Wine names a
program's process by its path the same way, only in Windows form."""
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "bench"))
import wine_process  # noqa: E402


class ProcessLookUp(unittest.TestCase):
    def setUp(self):
        # A checkout may lie anywhere: blanks, letters beyond ASCII, a link.
        self.folder = tempfile.mkdtemp(prefix="velora bench Prüfung ")
        self.program = os.path.join(self.folder, "bench_bare_tray")
        shutil.copy(shutil.which("sleep"), self.program)
        self.link = os.path.join(self.folder, "linked")
        os.symlink(self.folder, self.link)
        self.processes = []

    def tearDown(self):
        for process in self.processes:
            process.kill()
            process.wait()
        shutil.rmtree(self.folder)

    def start(self, path):
        process = subprocess.Popen([path, "60"])
        self.processes.append(process)
        return process

    def test_the_process_started_after_the_look_before_is_found_at_once_wherever_the_program_lies(self):
        earlier = self.start(self.program)
        before = wine_process.processes_of(self.program)
        self.assertIn(earlier.pid, {pid for pid, _ in before})
        started = self.start(self.program)
        self.assertEqual(wine_process.find_new_process(self.program, before, timeout=5), started.pid)
        # Named through a link, the same file is the same program.
        through_link = self.start(os.path.join(self.link, "bench_bare_tray"))
        known = before | {(started.pid, wine_process.start_ticks(started.pid))}
        self.assertEqual(wine_process.find_new_process(self.program, known, timeout=5), through_link.pid)
        # Another program's process is never taken for it.
        with self.assertRaises(wine_process.MeasureError):
            wine_process.find_new_process(os.path.join(self.folder, "other"), set(), timeout=0.1)

    def test_an_age_is_never_more_than_the_time_since_the_start(self):
        mark = time.monotonic()
        process = self.start(self.program)
        age = wine_process.age(process.pid)
        elapsed = time.monotonic() - mark
        # A start counts to a clock tick.
        self.assertLessEqual(age, elapsed + 1.0 / wine_process.CLOCK_TICKS)
        self.assertGreaterEqual(age, 0)

    def test_windows_names_of_a_path_give_the_linux_path(self):
        prefix = os.path.join(self.folder, "prefix")
        os.makedirs(os.path.join(prefix, "dosdevices"))
        os.symlink(self.folder, os.path.join(prefix, "dosdevices", "d:"))
        os.symlink("/", os.path.join(prefix, "dosdevices", "z:"))
        self.assertEqual(wine_process.linux_path("Z:\\tmp\\a b\\x.exe", prefix), "/tmp/a b/x.exe")
        self.assertEqual(wine_process.linux_path("\\??\\Z:\\tmp\\x.exe", prefix), "/tmp/x.exe")
        self.assertEqual(wine_process.linux_path("D:\\bench\\x.exe", prefix),
                         os.path.join(os.path.realpath(self.folder), "bench", "x.exe"))
        self.assertEqual(wine_process.linux_path("z:\\tmp\\x.exe", ""), "/tmp/x.exe")
        self.assertEqual(wine_process.linux_path("/usr/lib/wine/wine64", prefix), "/usr/lib/wine/wine64")


if __name__ == "__main__":
    unittest.main()
