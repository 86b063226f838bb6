"""Windows programs under Wine seen from Linux: how to run one, find the Linux
process of a program another one started, and read what /proc says of it.

Every Windows program of a Wine session is a Linux process of its own whose
command line is the Windows one; its threads are Wine's and the program's."""
import collections
import os
import signal
import subprocess
import tempfile
import time

CLOCK_TICKS = os.sysconf("SC_CLK_TCK")
PAGE_SIZE = os.sysconf("SC_PAGE_SIZE")


class MeasureError(RuntimeError):
    """A figure could not be measured."""


def windows_path(path):
    """A Linux path as Wine's drive Z: names it."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def run(*args, timeout=120, env=None):
    """Runs a Windows program to its end; see run_command."""
    return run_command(["wine", *args], timeout, env)


class Completed(collections.namedtuple("Completed", "code out err wall cpu switches")):
    """A program run to its end: exit code, output, wall seconds, and the CPU
    seconds and context switches of its Linux process with the processes it
    waited for."""


def run_command(argv, timeout=120, env=None):
    """Runs a program to its end and answers what Completed holds. Output
    goes through files: Wine's helpers inherit the handles and would keep
    pipes open."""
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        started = time.monotonic()
        process = subprocess.Popen(argv, stdin=subprocess.DEVNULL, stdout=out, stderr=err,
                                   env=dict(os.environ, **(env or {})))
        while True:
            pid, status, usage = os.wait4(process.pid, os.WNOHANG)
            if pid:
                break
            if time.monotonic() > started + timeout:
                process.kill()
                os.wait4(process.pid, 0)
                raise MeasureError("%s did not end within %d s" % (" ".join(argv[:2]), timeout))
            time.sleep(0.005)
        wall = time.monotonic() - started
        process.returncode = os.waitstatus_to_exitcode(status)
        out.seek(0)
        err.seek(0)
        return Completed(process.returncode, out.read().decode("latin-1"), err.read().decode("latin-1"), wall,
                         usage.ru_utime + usage.ru_stime, usage.ru_nvcsw + usage.ru_nivcsw)


def linux_path(command_path, prefix=None):
    """A program's path as a command line under Wine names it (Z:\\..., any
    other drive of the prefix, an NT path \\??\\Z:\\... or a Linux path), as a
    Linux path. Drives are looked up in the prefix's dosdevices folder."""
    path = command_path
    for nt_prefix in ("\\??\\", "\\\\?\\"):
        if path.startswith(nt_prefix):
            path = path[len(nt_prefix):]
    path = path.replace("\\", "/")
    if len(path) > 2 and path[1] == ":" and path[2] == "/":
        prefix = os.environ.get("WINEPREFIX", "") if prefix is None else prefix
        drive = os.path.join(prefix, "dosdevices", path[0].lower() + ":") if prefix else ""
        if drive and os.path.exists(drive):
            path = os.path.join(os.path.realpath(drive), path[3:])
        elif path[0].lower() == "z":
            path = path[2:]
    return os.path.normpath(path)


def _same_program_file(a, b):
    """Whether two Linux paths name the same program file: through symbolic
    links, and in any letter case, as Windows file names go."""
    return os.path.realpath(a).lower() == os.path.realpath(b).lower()


def processes_of(exe_path):
    """The running Windows programs started from exe_path (a Linux path), as
    a set of (pid, start in clock ticks after boot), which tells a process
    from a later one with the same pid. The whole path counts: other copies
    of the same program (another build tree's tests, say) may run at the same
    time."""
    found = set()
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/cmdline" % entry, "rb") as f:
                # Wine writes the Windows path there in the file system's encoding.
                first = os.fsdecode(f.read().split(b"\0", 1)[0])
            if first and _same_program_file(linux_path(first), exe_path):
                found.add((int(entry), start_ticks(int(entry))))
        except (OSError, ValueError):
            continue  # ended meanwhile
    return found


def find_new_process(exe_path, before, timeout=10):
    """The Linux pid of the newest running Windows program started from
    exe_path that is not among `before` (what processes_of answered before
    it was started). No clock takes part: the boot time in /proc/stat is cut
    to the second, so a start reckoned from it may lie up to a second before
    the true one."""
    deadline = time.monotonic() + timeout
    while True:
        new = processes_of(exe_path) - before
        if new:
            return max(new, key=lambda process: process[1])[0]
        if time.monotonic() > deadline:
            raise MeasureError("no new running process of " + exe_path)
        time.sleep(0.02)


def _stat_fields(pid):
    with open("/proc/%d/stat" % pid) as f:
        text = f.read()
    # The name in brackets may hold blanks; the fields after it are plain.
    return text[text.rindex(")") + 2:].split()


def start_ticks(pid):
    """When the process started, in clock ticks after boot."""
    return int(_stat_fields(pid)[19])


def age(pid):
    """The seconds since the process started (to a clock tick), on the clock
    its start is counted on: the time since boot."""
    return time.clock_gettime(time.CLOCK_BOOTTIME) - start_ticks(pid) / CLOCK_TICKS


def cpu_seconds(pid):
    """User and system CPU time of all the process's threads."""
    fields = _stat_fields(pid)
    return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS


def status_value(pid, key):
    """A "key: value kB" line of /proc/<pid>/status, in bytes."""
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith(key + ":"):
                return int(line.split()[1]) * 1024
    raise MeasureError("no %s in /proc/%d/status" % (key, pid))


def context_switches(pid):
    """Voluntary and involuntary context switches of all the process's threads so far."""
    total = 0
    for task in os.listdir("/proc/%d/task" % pid):
        try:
            with open("/proc/%d/task/%s/status" % (pid, task)) as f:
                for line in f:
                    if line.startswith(("voluntary_ctxt_switches:", "nonvoluntary_ctxt_switches:")):
                        total += int(line.split()[1])
        except FileNotFoundError:
            pass  # a thread that ended meanwhile
    return total


def wait_until_age(pid, seconds):
    """Sleeps until the process is `seconds` old."""
    delay = seconds - age(pid)
    if delay > 0:
        time.sleep(delay)


def end(pid, timeout=10):
    """Kills the process and waits until it is gone."""
    try:
        os.kill(pid, signal.SIGKILL)
    except ProcessLookupError:
        return
    deadline = time.monotonic() + timeout
    while os.path.exists("/proc/%d" % pid):
        try:
            with open("/proc/%d/stat" % pid) as f:
                if f.read().rsplit(")", 1)[1].split()[0] == "Z":
                    return  # gone but for its parent's wait
        except OSError:
            return
        if time.monotonic() > deadline:
            raise MeasureError("process %d did not end" % pid)
        time.sleep(0.01)

