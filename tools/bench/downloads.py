"""A large file over loopback from the mock service: the program's download
engine (bench_engine_download) against plain WinInet with 64 KiB reads
(bench_wininet_read) and against curl. Each Windows program times its own
transfer; the CPU is that of its Linux process, from os.wait4. Every saved
file must equal the served one."""
import filecmp
import os

import wine_process
from wine_process import MeasureError

DOWNLOAD_TIMEOUT = 600


class Transfer:
    def __init__(self, seconds, cpu_seconds):
        self.seconds, self.cpu_seconds = seconds, cpu_seconds


def windows_download(program, url, served, target):
    """Runs a Windows download program (it prints milliseconds and bytes
    first) and checks the file it saved."""
    if os.path.exists(target):
        os.remove(target)
    code, out, err, _, cpu = wine_process.run(program, url, wine_process.windows_path(target),
                                              timeout=DOWNLOAD_TIMEOUT)
    name = os.path.basename(program)
    if code != 0:
        raise MeasureError("%s failed with %d: %s" % (name, code, (out + err).strip()))
    fields = out.split()
    if not os.path.exists(target) or not filecmp.cmp(served, target, shallow=False):
        raise MeasureError("%s saved %s, not the served file" % (name, "something else" if os.path.exists(target)
                                                                   else "nothing"))
    os.remove(target)
    return Transfer(float(fields[0]) / 1000, cpu)


def curl_download(url, served):
    """curl to /dev/null: its own total time, and the bytes checked."""
    code, out, err, _, cpu = wine_process.run_command(
        ["curl", "-sS", "-o", "/dev/null", "-w", "%{time_total} %{size_download}", url], DOWNLOAD_TIMEOUT)
    if code != 0:
        raise MeasureError("curl failed: " + err.strip())
    seconds, size = out.split()
    if int(size) != os.path.getsize(served):
        raise MeasureError("curl received %s of %d bytes" % (size, os.path.getsize(served)))
    return Transfer(float(seconds), cpu)
