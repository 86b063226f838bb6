"""The start of a tray program under Wine and its cost while it idles in the
tray: the time until its tray window exists (measured inside Wine by the
launcher bench_start_to_tray), the CPU it used in its first seconds, its
private memory, and its context switches while nobody touches it."""
import os
import time

import wine_process
from wine_process import MeasureError

WAIT_FOR_TRAY_MS = 30000


class TrayProgram:
    def __init__(self, name, exe, window_class):
        self.name, self.exe, self.window_class = name, exe, window_class


class Started:
    """A running copy: its Linux pid and the milliseconds it took to its tray window."""

    def __init__(self, program, pid, start_ms):
        self.program, self.pid, self.start_ms = program, pid, start_ms


def start(launcher, program):
    """Starts the program through the launcher and answers it, running."""
    before = wine_process.processes_of(program.exe)
    completed = wine_process.run(launcher, wine_process.windows_path(program.exe), program.window_class,
                                 str(WAIT_FOR_TRAY_MS), timeout=WAIT_FOR_TRAY_MS / 1000 + 30)
    code, fields = completed.code, completed.out.split()
    reason = {1: "could not be started", 2: "ended before its tray window came",
              3: "had no tray window after %d ms" % WAIT_FOR_TRAY_MS}.get(code, "exit code %d" % code)
    if code != 0 or len(fields) != 2:
        raise MeasureError("%s %s (%s)" % (program.name, reason, (completed.out + completed.err).strip()))
    pid = wine_process.find_new_process(program.exe, before)
    return Started(program, pid, float(fields[0]))


class IdleFigures:
    """What one run of a program measured."""

    def __init__(self):
        self.start_ms = None
        self.cpu_first_seconds = None
        self.rss_anon = None
        self.switches_per_minute = None


def measure_run(launcher, program, first_seconds, idle_seconds=0):
    """One start: the time to the tray window, the CPU used in the first
    `first_seconds` of the process, then its private memory, and over
    `idle_seconds` more (when not 0) its context switches per minute. The
    program is ended afterwards."""
    figures = IdleFigures()
    running = start(launcher, program)
    try:
        figures.start_ms = running.start_ms
        wine_process.wait_until_age(running.pid, first_seconds)
        figures.cpu_first_seconds = wine_process.cpu_seconds(running.pid)
        figures.rss_anon = wine_process.status_value(running.pid, "RssAnon")
        if idle_seconds:
            before = wine_process.context_switches(running.pid)
            time.sleep(idle_seconds)
            after = wine_process.context_switches(running.pid)
            figures.switches_per_minute = (after - before) * 60.0 / idle_seconds
            figures.rss_anon = wine_process.status_value(running.pid, "RssAnon")
    finally:
        wine_process.end(running.pid)
    return figures
