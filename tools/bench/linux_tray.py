"""The Linux program against bare GTK programs, in a LinuxSession: the start
to its tray item's registration with the watcher and its private memory and
context switches idle in the tray before any page, against bench_gtk_tray (a
GTK program with a StatusNotifier icon and nothing else); its memory with one
page open, against bench_webkit_window showing the same page; and its memory
and context switches once that page was closed and the idle period after
which the program lets its web view go has passed (shortened for the run by
VELORA_BROWSER_IDLE_SECONDS). Memory and switches are those of the program with
every process it started (WebKitGTK's web and network processes)."""
import os
import re
import select
import time

import wine_process
from table import Row, median, ratio
from wine_process import MeasureError

MIB = 1024 * 1024
APP_TITLE = "VELORA Desktop"
# A user who has stored the account and closed the window once before.
SETTINGS = ["[account]", "country=49", "nr=1721234567", "password=geheim", "mobile=491721234567",
            "[intern]", "firststart=false"]
PAGE_TIMEOUT = 30
# After the idle period, the program's timer has surely fired.
IDLE_MARGIN_SECONDS = 5.0


class LinuxBuild:
    """The program and the bare programs of the bench preset's build."""

    def __init__(self, build):
        self.program = os.path.join(build, "bin", "velora-desktop")
        self.bare_tray = os.path.join(build, "bench", "bench_gtk_tray")
        self.bare_web = os.path.join(build, "bench", "bench_webkit_window")
        for path in (self.program, self.bare_tray, self.bare_web):
            if not os.path.exists(path):
                raise MeasureError("not built: " + path)
        with open(os.path.join(build, "CMakeCache.txt")) as f:
            match = re.search(r"^VELORA_SERVICE_URL:STRING=(.*)$", f.read(), re.M)
        if not match:
            raise MeasureError("no VELORA_SERVICE_URL in the Linux build's cache")
        self.service_url = match.group(1).strip()
        port = re.search(r":(\d+)$", self.service_url)
        if not self.service_url.startswith("http://127.0.0.1") or not port:
            raise MeasureError("the Linux build does not point at a local mock service: " + self.service_url)
        self.service_port = int(port.group(1))


# ---------------------------------------------------------------- /proc

def process_tree(pid):
    """The process and every process below it."""
    children = {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % entry) as f:
                parent = int(f.read().rsplit(")", 1)[1].split()[1])
        except (OSError, IndexError, ValueError):
            continue
        children.setdefault(parent, []).append(int(entry))
    tree, todo = [], [pid]
    while todo:
        current = todo.pop()
        tree.append(current)
        todo.extend(children.get(current, []))
    return tree


def tree_memory(pid):
    """Private memory (RssAnon) of the process and of those it started."""
    total = 0
    for member in process_tree(pid):
        try:
            total += wine_process.status_value(member, "RssAnon")
        except (OSError, MeasureError):
            pass  # ended meanwhile, or a zombie
    return total


def _switches_by_thread(pid):
    """{(thread id, its start): its context switches so far} over the process
    and those it started."""
    counts = {}
    for member in process_tree(pid):
        try:
            threads = os.listdir("/proc/%d/task" % member)
        except OSError:
            continue
        for thread in threads:
            try:
                with open("/proc/%d/task/%s/stat" % (member, thread)) as f:
                    started = int(f.read().rsplit(")", 1)[1].split()[19])
                with open("/proc/%d/task/%s/status" % (member, thread)) as f:
                    count = sum(int(line.split()[1]) for line in f
                                if line.startswith(("voluntary_ctxt_switches:", "nonvoluntary_ctxt_switches:")))
            except (OSError, IndexError, ValueError):
                continue  # ended meanwhile
            counts[(int(thread), started)] = count
    return counts


def switches_per_minute(pid, seconds):
    """Context switches of the process and those it started over `seconds`,
    per minute, thread by thread: one started meanwhile counts with all of
    its own, one that ended meanwhile (its figures go with it) not at all."""
    before = _switches_by_thread(pid)
    time.sleep(seconds)
    after = _switches_by_thread(pid)
    return sum(count - before.get(thread, 0) for thread, count in after.items()) * 60.0 / seconds


# ---------------------------------------------------------------- runs

def write_settings(home):
    folder = os.path.join(home, "config", "VELORA", "Desktop")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "VELORADesktop.ini"), "w", encoding="cp1252", newline="") as f:
        f.write("\r\n".join(SETTINGS) + "\r\n")


class InTray:
    """A program started into the tray: its process and the milliseconds to
    its item's registration."""

    def __init__(self, session, argv, home, **environment):
        # The next program must find the single-instance name free.
        deadline = time.monotonic() + 10
        while session.name_owned("com.velora.Desktop"):
            if time.monotonic() > deadline:
                raise MeasureError("the program's bus name stays owned")
            time.sleep(0.05)
        self.session = session
        started = time.monotonic()
        self.process = session.start_program(argv, home, **environment)
        try:
            self.start_ms = (session.wait_for_item(self.process.pid) - started) * 1000
        except BaseException:
            self.end()
            raise

    @property
    def pid(self):
        return self.process.pid

    def end(self):
        self.session.end_program(self.process)


def tray_runs(session, build, home, rounds, first_seconds, idle_seconds, web_idle_seconds):
    """The program and the bare tray program in turns: start, memory once
    the process is first_seconds old, and in the last round the context
    switches over idle_seconds. Answers {name: [(start_ms, memory, switches)]}."""
    argv = {"program": [build.program], "bare": [build.bare_tray]}
    environment = {"VELORA_BROWSER_IDLE_SECONDS": str(int(web_idle_seconds))}
    # Not measured: the first start of each, which brings the settings up to
    # date and the files into the page cache.
    for name in ("bare", "program"):
        InTray(session, argv[name], home, **environment).end()
    runs = {"program": [], "bare": []}
    for number in range(rounds):
        for name in (("program", "bare") if number % 2 == 0 else ("bare", "program")):
            running = InTray(session, argv[name], home, **environment)
            try:
                wine_process.wait_until_age(running.pid, first_seconds)
                memory = tree_memory(running.pid)
                switches = switches_per_minute(running.pid, idle_seconds) if number == rounds - 1 else None
                runs[name].append((running.start_ms, memory, switches))
            finally:
                running.end()
    return runs


def wait_for_page_request(session, seen, timeout=PAGE_TIMEOUT):
    """The address of the first send page request after the first `seen` requests."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        for line in session.requests()[seen:]:
            method, path = line.split(" ")[:2]
            if method == "GET" and path.startswith("/send?"):
                return path
        time.sleep(0.05)
    raise MeasureError("the program's send page never reached the mock service")


def wait_for_window(session, title, timeout=PAGE_TIMEOUT):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        windows = session.windows(title)
        if windows:
            return windows[0]
        time.sleep(0.1)
    raise MeasureError("no window %r came up" % title)


def program_page_run(session, build, home, first_seconds, settle_seconds, web_idle_seconds, idle_seconds):
    """The program opens the send page from its icon; its memory once the
    page has had settle_seconds; the window is closed, and after the idle
    period its memory again and (when idle_seconds) its context switches.
    Answers (page address, memory with the page, memory after, switches)."""
    running = InTray(session, [build.program], home, VELORA_BROWSER_IDLE_SECONDS=str(int(web_idle_seconds)))
    try:
        wine_process.wait_until_age(running.pid, first_seconds)
        seen = len(session.requests())
        session.activate_item(running.pid)
        path = wait_for_page_request(session, seen)
        window = wait_for_window(session, APP_TITLE)
        time.sleep(settle_seconds)
        with_page = tree_memory(running.pid)
        session.close_window(window)
        deadline = time.monotonic() + PAGE_TIMEOUT
        while session.windows(APP_TITLE):
            if time.monotonic() > deadline:
                raise MeasureError("the main window did not close")
            time.sleep(0.1)
        time.sleep(web_idle_seconds + IDLE_MARGIN_SECONDS)
        after = tree_memory(running.pid)
        switches = switches_per_minute(running.pid, idle_seconds) if idle_seconds else None
        return build.service_url + path, with_page, after, switches
    finally:
        running.end()


def bare_page_run(session, build, home, url, settle_seconds):
    """The bare WebKitGTK window shows the page; its memory once the page has
    loaded and had settle_seconds."""
    process = session.start_program([build.bare_web, url], home)
    try:
        ready, _, _ = select.select([process.stdout], [], [], PAGE_TIMEOUT)
        if not ready or process.stdout.readline().decode().strip() != "loaded":
            raise MeasureError("the bare WebKitGTK window did not load " + url)
        time.sleep(settle_seconds)
        return tree_memory(process.pid)
    finally:
        session.end_program(process)


def linux_rows(session, build, rounds, page_rounds, first_seconds, idle_seconds, settle_seconds,
               web_idle_seconds):
    home = session.new_home()
    write_settings(home)
    runs = tray_runs(session, build, home, rounds, first_seconds, idle_seconds, web_idle_seconds)

    pages, bare_pages = [], []
    url = None
    bare_home = session.new_home()
    for number in range(page_rounds):
        last = number == page_rounds - 1
        if url is None or number % 2 == 0:
            pages.append(program_page_run(session, build, home, first_seconds, settle_seconds, web_idle_seconds,
                                          idle_seconds if last else 0))
            url = pages[-1][0]
            bare_pages.append(bare_page_run(session, build, bare_home, url, settle_seconds))
        else:
            bare_pages.append(bare_page_run(session, build, bare_home, url, settle_seconds))
            pages.append(program_page_run(session, build, home, first_seconds, settle_seconds, web_idle_seconds,
                                          idle_seconds if last else 0))

    def med(name, field):
        return median([run[field] for run in runs[name] if run[field] is not None])

    start, bare_start = med("program", 0), med("bare", 0)
    memory, bare_memory = med("program", 1) / MIB, med("bare", 1) / MIB
    switches, bare_switches = med("program", 2), med("bare", 2)
    with_page = median([page[1] for page in pages]) / MIB
    after = median([page[2] for page in pages]) / MIB
    after_switches = [page[3] for page in pages if page[3] is not None][0]
    bare_with_page = median(bare_pages) / MIB
    bare = "bare GTK tray program"

    def switch_row(measure, value):
        row = Row(measure, "%.0f" % value, "%s %.0f" % (bare, bare_switches), "—", "0", value == 0)
        if bare_switches > 0:
            row.note = ("the bare GTK tray program switches %.0f times a minute too; the goal is judged on the "
                        "difference" % bare_switches)
            row.met = value <= bare_switches
        return row

    return [
        Row("Linux: start to the tray item's registration (median of %d)" % rounds, "%.0f ms" % start,
            "%s %.0f ms" % (bare, bare_start), "%.2f" % ratio(start, bare_start)),
        Row("Linux: private memory (RssAnon) idle in the tray, no page opened yet", "%.1f MiB" % memory,
            "%s %.1f MiB" % (bare, bare_memory), "%.2f×" % ratio(memory, bare_memory), "≤ 1.2×",
            memory <= 1.2 * bare_memory),
        switch_row("Linux: context switches per minute idle in the tray, no page opened yet (over %g s)"
                   % idle_seconds, switches),
        Row("Linux: private memory with one page open, with its web processes (median of %d)" % len(pages),
            "%.1f MiB" % with_page, "bare WebKitGTK window with the same page %.1f MiB" % bare_with_page,
            "%.2f×" % ratio(with_page, bare_with_page)),
        Row("Linux: private memory idle in the tray once the page was closed and the idle period (%g s) passed"
            % web_idle_seconds, "%.1f MiB" % after, "before any page %.1f MiB" % memory,
            "%+.1f MiB" % (after - memory), "≤ +5 MiB", after - memory <= 5),
        switch_row("Linux: context switches per minute idle in the tray after that idle period (over %g s)"
                   % idle_seconds, after_switches),
    ]
