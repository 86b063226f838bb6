#!/usr/bin/env python3
"""Measures the program's figures beside their baselines and prints them as
one table. scripts/bench.sh (make bench) builds the presets bench (with the
Linux program) and bench-win64, starts a Wine session (DISPLAY, WINEPREFIX, a
warm wineserver) and runs this; the Linux program is measured in a session
of its own (linux_session.py).

Program and baseline are measured in turns and the medians compared, as the
machine may be busy with other work. A missed goal is reported in the table;
a figure that cannot be measured is reported too and makes the run fail."""
import argparse
import os
import re
import shutil
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, HERE)

import downloads  # noqa: E402
import linux_tray  # noqa: E402
import native  # noqa: E402
import tray_start  # noqa: E402
import wine_process  # noqa: E402
from file_writes import FileWrites  # noqa: E402
from linux_session import LinuxSession  # noqa: E402
from table import Row, median, ratio, render  # noqa: E402
from wine_process import MeasureError  # noqa: E402

MIB = 1024 * 1024
DOWNLOAD_SIZE = 20 * MIB
TRAY_WINDOW_CLASS = "TTrayMessageWindow"
BARE_TRAY_WINDOW_CLASS = "VeloraBenchBareTray"
# After the tray window, a start's remaining writes have surely happened.
START_SETTLE_SECONDS = 2.0


def micro(seconds_ns):
    return "%.1f µs" % (seconds_ns / 1000)


def times(value):
    return "%.2f×" % value


def megabytes_per_second(value):
    return "%.0f MiB/s" % (value / MIB)


# ---------------------------------------------------------------- native

def settings_read_rows(native_bin):
    results = native.run(os.path.join(native_bin, "bench_settings"))
    changed = results["BM_SettingsReadChangedFile"]["cpu_ns"]
    unchanged = results["BM_SettingsReadUnchangedFile"]["cpu_ns"]
    read = results["BM_ReadSettingsFile"]["cpu_ns"]
    lines = int(results["BM_ReadSettingsFile"]["counters"]["lines"])
    measure = "Settings read of one string (%d-line file, native)" % lines
    return [
        Row(measure + ", the file changed", micro(changed), "reading the file " + micro(read),
            times(ratio(changed, read)), "≤ 1.2× reading the file", changed <= 1.2 * read),
        Row(measure + ", the file unchanged", micro(unchanged), "reading the file " + micro(read),
            times(ratio(unchanged, read)), "≤ 5 µs", unchanged <= 5000),
    ]


def xml_rows(native_bin):
    results = native.run(os.path.join(native_bin, "bench_xml"))
    rows = []
    for language in ("de", "en"):
        ours = results["BM_SimpleXml/" + language]["bytes_per_second"]
        pugixml = results["BM_Pugixml/" + language]["bytes_per_second"]
        rows.append(Row("XML reader throughput, %s.lang (native)" % language, megabytes_per_second(ours),
                        "pugixml " + megabytes_per_second(pugixml), times(ratio(pugixml, ours)) + " the time",
                        "—", None))
    return rows


# ---------------------------------------------------------------- Wine

class WineBench:
    """The release build's program, the bench programs beside it, the mock
    service on the port the build points at, and the settings file in the
    session's Wine prefix."""

    def __init__(self, win_build, work):
        self.win_build, self.work = win_build, work
        self.exe = os.path.join(win_build, "bin", "VELORADesktop.exe")
        bench = os.path.join(win_build, "bench")
        self.launcher = os.path.join(bench, "bench_start_to_tray.exe")
        self.program = tray_start.TrayProgram("the program", self.exe, TRAY_WINDOW_CLASS)
        self.bare = tray_start.TrayProgram("the bare tray program", os.path.join(bench, "bench_bare_tray.exe"),
                                           BARE_TRAY_WINDOW_CLASS)
        self.wininet_reader = os.path.join(bench, "bench_wininet_read.exe")
        self.engine = os.path.join(bench, "bench_engine_download.exe")
        for path in (self.exe, self.launcher, self.bare.exe, self.wininet_reader, self.engine):
            if not os.path.exists(path):
                raise MeasureError("not built: " + path)
        if not os.environ.get("WINEPREFIX") or not os.environ.get("DISPLAY"):
            raise MeasureError("no Wine session: run through scripts/bench.sh")
        self.service_url = self._service_url()
        # The end-to-end tests' helpers know the prefix, the settings file
        # and the mock service; they read the address at import.
        os.environ["VELORA_SERVICE_URL"] = self.service_url
        os.environ["VELORA_MOCK"] = os.path.join(ROOT, "tools", "mock_service", "mock_service.py")
        sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
        import e2e_support
        self.e2e = e2e_support
        self.service = None
        self.keeper = None

    def _service_url(self):
        with open(os.path.join(self.win_build, "CMakeCache.txt")) as f:
            match = re.search(r"^VELORA_SERVICE_URL:STRING=(.*)$", f.read(), re.M)
        if not match:
            raise MeasureError("no VELORA_SERVICE_URL in the Windows build's cache")
        return match.group(1).strip()

    def open(self):
        """Starts the mock service, and a Windows program that waits on its
        input for the whole run: Wine's desktop process ends shortly after
        the last program of the session, and each start would then pay for
        starting it again, which a start at log-on never does."""
        self.service = self.e2e.MockService()
        self.keeper = subprocess.Popen(["wine", "cmd"], stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL)

    def close(self):
        if self.keeper:
            self.keeper.stdin.close()
            try:
                self.keeper.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.keeper.kill()
                self.keeper.wait()
            self.keeper = None
        if self.service:
            self.service.stop()
            self.service = None

    def fresh_settings(self):
        """The settings folder with an account-only settings file, as a user's
        first start of this version finds it."""
        shutil.rmtree(os.path.dirname(self.e2e.settings_path()), ignore_errors=True)
        self.e2e.write_account_settings()


def settings_write_rows(bench):
    """The settings-file writes of a start: the first start of this version
    (the file holds only the account) and the next start (the file is as the
    program left it)."""
    bench.fresh_settings()
    counts = []
    for _ in range(2):
        with FileWrites(bench.e2e.settings_path()) as writes:
            running = tray_start.start(bench.launcher, bench.program)
            try:
                time.sleep(START_SETTLE_SECONDS)
                counts.append(writes.count())
            finally:
                wine_process.end(running.pid)
        if "version" not in bench.e2e.read_settings():
            raise MeasureError("the program did not keep its version in " + bench.e2e.settings_path())
    first, up_to_date = counts
    return [
        Row("Settings file rewrites during one start, the file up to date", str(up_to_date), goal="0",
            met=up_to_date == 0),
        Row("Settings file rewrites during one start, the first of this version", str(first), goal="≤ 1",
            met=first <= 1),
    ]


def tray_rows(bench, rounds, first_seconds, idle_seconds):
    """Start to tray, CPU of the first seconds, private memory and idle context
    switches of the program and of the bare tray program, in turns."""
    # Not measured: the first start of each, which may still start Wine's
    # desktop process and which brings the settings file up to date.
    bench.fresh_settings()
    for program in (bench.bare, bench.program):
        wine_process.end(tray_start.start(bench.launcher, program).pid)
    runs = {bench.program: [], bench.bare: []}
    for number in range(rounds):
        order = (bench.program, bench.bare) if number % 2 == 0 else (bench.bare, bench.program)
        last = number == rounds - 1
        for program in order:
            runs[program].append(tray_start.measure_run(bench.launcher, program, first_seconds,
                                                        idle_seconds if last else 0))

    def med(program, field):
        return median([getattr(run, field) for run in runs[program] if getattr(run, field) is not None])

    start, bare_start = med(bench.program, "start_ms"), med(bench.bare, "start_ms")
    cpu, bare_cpu = med(bench.program, "cpu_first_seconds") * 1000, med(bench.bare, "cpu_first_seconds") * 1000
    memory, bare_memory = med(bench.program, "rss_anon") / MIB, med(bench.bare, "rss_anon") / MIB
    switches, bare_switches = med(bench.program, "switches_per_minute"), med(bench.bare, "switches_per_minute")
    switch_row = Row("Context switches per minute idle in the tray (over %g s)" % idle_seconds, "%.0f" % switches,
                     "bare tray program %.0f" % bare_switches, "—", "0", switches == 0)
    if bare_switches > 0:
        switch_row.note = ("Wine's own threads switch %.0f times a minute in the bare tray program too; the goal "
                           "is judged on the difference" % bare_switches)
        switch_row.met = switches <= bare_switches
    return [
        Row("Start to tray window (median of %d)" % rounds, "%.0f ms" % start, "bare tray program %.0f ms" % bare_start,
            "%.2f" % ratio(start, bare_start), "≤ 1.15", start <= 1.15 * bare_start),
        Row("CPU used in the first %g s" % first_seconds, "%.0f ms" % cpu, "bare tray program %.0f ms" % bare_cpu,
            "%.2f" % ratio(cpu, bare_cpu), "≤ 1.5", cpu <= 1.5 * bare_cpu),
        Row("Private memory (RssAnon) idle in the tray, no page opened yet", "%.1f MiB" % memory,
            "bare tray program %.1f MiB" % bare_memory, "%+.1f MiB" % (memory - bare_memory), "≤ +2 MiB",
            memory - bare_memory <= 2),
        switch_row,
    ]


def download_rows(bench, rounds, engine_budget):
    """The engine against plain WinInet and curl, in turns; the engine runs
    fewer rounds when it is slow (while its downloads so far took less than
    engine_budget seconds). Each Windows program also fetches a file of a few
    bytes, in the same turns: what its process used for that (starting
    under Wine, its window) is not CPU used during the download."""
    served = os.path.join(bench.service.folder, "VELORADesktop.exe")
    with open(served, "wb") as f:
        f.write(os.urandom(DOWNLOAD_SIZE))
    tiny = os.path.join(bench.service.folder, "dw.version")
    with open(tiny, "wb") as f:
        f.write(b"[version]")
    url = bench.service_url + "/update/VELORADesktop.exe"
    tiny_url = bench.service_url + "/update/dw.version"
    target = os.path.join(bench.work, "download.bin")
    engine, wininet, curl = [], [], []
    engine_tiny, wininet_tiny = [], []
    for _ in range(rounds):
        wininet.append(downloads.windows_download(bench.wininet_reader, url, served, target))
        wininet_tiny.append(downloads.windows_download(bench.wininet_reader, tiny_url, tiny, target))
        if sum(run.seconds for run in engine) < engine_budget:
            engine.append(downloads.windows_download(bench.engine, url, served, target))
            engine_tiny.append(downloads.windows_download(bench.engine, tiny_url, tiny, target))
        curl.append(downloads.curl_download(url, served))

    seconds = median([run.seconds for run in engine])
    wininet_seconds = median([run.seconds for run in wininet])
    curl_seconds = median([run.seconds for run in curl])
    cpu = median([run.cpu_seconds for run in engine]) - median([run.cpu_seconds for run in engine_tiny])
    wininet_cpu = median([run.cpu_seconds for run in wininet]) - median([run.cpu_seconds for run in wininet_tiny])
    switches = median([run.switches for run in engine])
    wininet_switches = median([run.switches for run in wininet])
    progress_events = median([run.details[0] for run in engine])
    wininet_headers = median([run.details[0] for run in wininet]) / 1000
    measure = "Download of a 20 MiB installer over loopback (median of %d)" % len(engine)
    against_curl = Row(measure + ", against curl", "%.2f s" % seconds, "curl %.3f s" % curl_seconds,
                       "%.0f×" % ratio(seconds, curl_seconds), "≤ 5× curl where Wine allows",
                       seconds <= 5 * curl_seconds)
    # The program reads through WinInet; where WinInet alone is so slow that
    # the 2× allowed over it is past 5× curl, the two goals cannot both hold
    # and the one against WinInet is the one judged.
    if not against_curl.met and 2 * wininet_seconds > 5 * curl_seconds:
        against_curl.met = None
        against_curl.note = ("Wine prevents it: plain WinInet with 64 KiB reads alone takes %.1f× curl's time "
                             "(%.3f s against %.3f s, of which %.3f s until the reply's headers had come), so "
                             "the 2× allowed over it lies past 5× curl"
                             % (ratio(wininet_seconds, curl_seconds), wininet_seconds, curl_seconds,
                                wininet_headers))
    return [
        Row(measure, "%.2f s" % seconds, "plain WinInet, 64 KiB reads %.3f s" % wininet_seconds,
            "%.1f×" % ratio(seconds, wininet_seconds), "≤ 2× plain WinInet", seconds <= 2 * wininet_seconds),
        against_curl,
        Row("CPU used during that download (the Wine process, less its run for a file of 9 bytes)",
            "%.3f s" % cpu, "plain WinInet %.3f s" % wininet_cpu, "%.1f×" % ratio(cpu, wininet_cpu),
            "≤ 1.5× plain WinInet", cpu <= 1.5 * wininet_cpu),
        Row("Context switches during that download (the Wine process)", "%.0f" % switches,
            "plain WinInet %.0f" % wininet_switches, "%.0f×" % ratio(switches, wininet_switches)),
        Row("Progress events the user-interface thread handled during that download", "%.0f" % progress_events),
    ]


def exe_size_rows(bench):
    size, bare = os.path.getsize(bench.exe), os.path.getsize(bench.bare.exe)
    return [Row("Size of VELORADesktop.exe (release build)", "%.0f KiB" % (size / 1024),
                "bare tray program %.0f KiB" % (bare / 1024), "%.1f×" % ratio(size, bare), "—", None)]


# ---------------------------------------------------------------- Linux

def linux_rows(args):
    build = linux_tray.LinuxBuild(args.linux_build)
    session = LinuxSession(build.service_port)
    try:
        return linux_tray.linux_rows(session, build, args.start_rounds, args.page_rounds, args.first_seconds,
                                     args.idle_seconds, args.page_settle_seconds, args.web_idle_seconds)
    finally:
        session.close()


# ---------------------------------------------------------------- the run

def measured(rows, name, goal, action):
    """Adds the rows the action measures, or one failed row for `name`."""
    started = time.monotonic()
    try:
        rows.extend(action())
    except Exception as error:  # every failure is reported, none hides the others
        rows.append(Row.failed(name, goal, "%s: %s" % (type(error).__name__, error)))
    print("  %s: %.0f s" % (name, time.monotonic() - started), file=sys.stderr, flush=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--native-bin", required=True, help="folder of the native benchmark programs")
    parser.add_argument("--win-build", required=True, help="build folder of the bench-win64 preset")
    parser.add_argument("--linux-build", required=True,
                        help="build folder of the bench preset (the Linux program and its bare programs)")
    parser.add_argument("--start-rounds", type=int, default=7)
    parser.add_argument("--first-seconds", type=float, default=5.0)
    parser.add_argument("--idle-seconds", type=float, default=20.0)
    parser.add_argument("--download-rounds", type=int, default=5)
    parser.add_argument("--page-rounds", type=int, default=3, help="Linux: rounds with one page opened and closed")
    parser.add_argument("--page-settle-seconds", type=float, default=5.0,
                        help="Linux: seconds a page is given after it came before the memory is read")
    parser.add_argument("--web-idle-seconds", type=float, default=10.0,
                        help="Linux: the program's idle period after a page is closed (VELORA_BROWSER_IDLE_SECONDS)")
    parser.add_argument("--engine-budget", type=float, default=60.0,
                        help="seconds of engine downloads after which it runs no further round")
    args = parser.parse_args()
    started = time.monotonic()

    native_rows, linux, wine_rows = [], [], []
    measured(native_rows, "Settings read of one string (native)", "≤ 1.2× reading the file; ≤ 5 µs unchanged",
             lambda: settings_read_rows(args.native_bin))
    measured(native_rows, "XML reader throughput (native)", "—", lambda: xml_rows(args.native_bin))
    measured(linux, "Linux: start to the tray item, memory and idle switches before and after a page",
             "≤ 1.2×; 0; ≤ +5 MiB; 0", lambda: linux_rows(args))

    work = os.path.join(args.win_build, "bench-run")
    os.makedirs(work, exist_ok=True)
    bench = None
    try:
        bench = WineBench(args.win_build, work)
        bench.open()
        measured(wine_rows, "Download of a 20 MiB installer over loopback", "≤ 2× plain WinInet",
                 lambda: download_rows(bench, args.download_rounds, args.engine_budget))
        measured(wine_rows, "Settings file rewrites during one start", "0; ≤ 1 on a first start",
                 lambda: settings_write_rows(bench))
        measured(wine_rows, "Start to tray window, CPU, memory, idle switches", "≤ 1.15; ≤ 1.5; ≤ +2 MiB; 0",
                 lambda: tray_rows(bench, args.start_rounds, args.first_seconds, args.idle_seconds))
        measured(wine_rows, "Size of VELORADesktop.exe", "—", lambda: exe_size_rows(bench))
    except Exception as error:  # the session itself is missing or broken
        wine_rows.append(Row.failed("Every figure under Wine", "—", "%s: %s" % (type(error).__name__, error)))
    finally:
        if bench:
            bench.close()

    rows = order_as_issue(native_rows + wine_rows + linux)
    print(render(rows))
    print("\n(measured in %.0f s)" % (time.monotonic() - started))
    failures = [row for row in rows if row.failure]
    if failures:
        print("\n%d figure(s) could not be measured." % len(failures), file=sys.stderr)
        return 1
    return 0


ORDER = ("Download", "CPU used during", "Context switches during", "Progress events", "Settings read",
         "Start to tray", "CPU used in the first", "Private memory", "Settings file rewrites", "Context switches",
         "Linux:", "XML", "Size")


def order_as_issue(rows):
    """Download first, as the issue lists the figures; unknown ones last."""
    def rank(row):
        return next((i for i, prefix in enumerate(ORDER) if row.measure.startswith(prefix)), len(ORDER))
    return sorted(rows, key=rank)


if __name__ == "__main__":
    sys.exit(main())
