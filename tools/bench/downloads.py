"""A large file over loopback from the mock service: the program's download
engine (bench_engine_download) against plain WinInet with 64 KiB reads
(bench_wininet_read) and against curl. Each program times its own transfer;
CPU and context switches are those of its Linux process, from os.wait4.
Every saved file must equal the served one."""
import filecmp
import os

import wine_process
from wine_process import MeasureError

DOWNLOAD_TIMEOUT = 600


class Transfer:
    """seconds: the transfer as the program timed it; cpu_seconds and
    switches: of its whole process; details: the program's further figures
    (the engine: progress events; the WinInet reader: seconds until the
    reply's headers had come)."""

    def __init__(self, seconds, completed, details=()):
        self.seconds, self.cpu_seconds, self.switches = seconds, completed.cpu, completed.switches
        self.details = details


def windows_download(program, url, served, target):
    """Runs a Windows download program (it prints its milliseconds and the
    bytes saved, then its own figures) and checks the file it saved."""
    if os.path.exists(target):
        os.remove(target)
    completed = wine_process.run(program, url, wine_process.windows_path(target), timeout=DOWNLOAD_TIMEOUT)
    name = os.path.basename(program)
    if completed.code != 0:
        raise MeasureError("%s failed with %d: %s" % (name, completed.code, (completed.out + completed.err).strip()))
    fields = completed.out.split()
    if not os.path.exists(target) or not filecmp.cmp(served, target, shallow=False):
        raise MeasureError("%s saved %s, not the served file" % (name, "something else" if os.path.exists(target)
                                                                   else "nothing"))
    os.remove(target)
    return Transfer(float(fields[0]) / 1000, completed, tuple(float(field) for field in fields[2:]))


def curl_download(url, served):
    """curl to /dev/null: its own total time, and the bytes checked."""
    completed = wine_process.run_command(
        ["curl", "-sS", "-o", "/dev/null", "-w", "%{time_total} %{size_download}", url], DOWNLOAD_TIMEOUT)
    if completed.code != 0:
        raise MeasureError("curl failed: " + completed.err.strip())
    seconds, size = completed.out.split()
    if int(size) != os.path.getsize(served):
        raise MeasureError("curl received %s of %d bytes" % (size, os.path.getsize(served)))
    return Transfer(float(seconds), completed)
