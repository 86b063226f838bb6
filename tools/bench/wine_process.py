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


def linux_path(command_path):
    """A program's path as a command line under Wine names it (Z:\\... or a
    Linux path), as a Linux path."""
    path = command_path.replace("\\", "/")
    if len(path) > 2 and path[1] == ":" and path[0].lower() == "z":
        path = path[2:]
    return os.path.normpath(path)


def find_process(exe_path, not_before=0.0, timeout=10):
    """The Linux pid of the newest running Windows program started from
    exe_path (a Linux path) at or after not_before (a time of time.time()).
    The whole path counts: other copies of the same program (another build
    tree's tests, say) may run at the same time."""
    deadline = time.monotonic() + timeout
    wanted = os.path.abspath(exe_path).lower()
    while True:
        found = []
        for entry in os.listdir("/proc"):
            if not entry.isdigit():
                continue
            try:
                with open("/proc/%s/cmdline" % entry, "rb") as f:
                    first = f.read().split(b"\0", 1)[0].decode("latin-1")
                started = start_time(int(entry))
            except OSError:
                continue
            if linux_path(first).lower() == wanted and started >= not_before - 0.05:
                found.append((started, int(entry)))
        if found:
            return max(found)[1]
        if time.monotonic() > deadline:
            raise MeasureError("no running process of " + exe_path)
        time.sleep(0.02)


def _boot_time():
    with open("/proc/stat") as f:
        for line in f:
            if line.startswith("btime "):
                return int(line.split()[1])
    raise MeasureError("no boot time in /proc/stat")


_BOOT = _boot_time()


def _stat_fields(pid):
    with open("/proc/%d/stat" % pid) as f:
        text = f.read()
    # The name in brackets may hold blanks; the fields after it are plain.
    return text[text.rindex(")") + 2:].split()


def start_time(pid):
    """When the process started, as a time of time.time() (to a clock tick)."""
    return _BOOT + int(_stat_fields(pid)[19]) / CLOCK_TICKS


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
    delay = start_time(pid) + seconds - time.time()
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

