"""The native benchmarks: runs the Google Benchmark programs of bench/native
and answers the median of their repetitions per benchmark.

The repetitions of the benchmarks of one program are interleaved at random,
so that the program's figure and its baseline take turns on a machine whose
load changes. The figures are CPU time: on a machine shared with other work,
wall time is mostly the wait for a free core."""
import json
import os
import subprocess
import tempfile

REPETITIONS = 9


class BenchmarkError(RuntimeError):
    pass


def run(program, repetitions=REPETITIONS, min_time=0.05):
    """{benchmark name: {"cpu_ns": median CPU time a run, "bytes_per_second":
    median throughput or None, "counters": the first run's user counters}}."""
    if not os.access(program, os.X_OK):
        raise BenchmarkError("no benchmark program " + program)
    with tempfile.NamedTemporaryFile(suffix=".json") as out:
        completed = subprocess.run(
            [program, "--benchmark_repetitions=%d" % repetitions, "--benchmark_enable_random_interleaving=true",
             "--benchmark_min_time=%g" % min_time, "--benchmark_format=console",
             "--benchmark_out_format=json", "--benchmark_out=" + out.name],
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True, timeout=300)
        if completed.returncode != 0:
            raise BenchmarkError("%s ended with %d: %s" % (program, completed.returncode, completed.stderr.strip()))
        report = json.load(open(out.name))
    results = {}
    for entry in report["benchmarks"]:
        if entry.get("error_occurred"):
            raise BenchmarkError("%s: %s" % (entry["name"], entry.get("error_message", "error")))
        name = entry["run_name"]
        if entry.get("run_type") == "iteration":
            results.setdefault(name, {"counters": {k: v for k, v in entry.items() if k == "lines"}})
        elif entry.get("aggregate_name") == "median":
            result = results.setdefault(name, {"counters": {}})
            result["cpu_ns"] = _nanoseconds(entry["cpu_time"], entry["time_unit"])
            result["bytes_per_second"] = entry.get("bytes_per_second")
    missing = [name for name, result in results.items() if "cpu_ns" not in result]
    if not results or missing:
        raise BenchmarkError("%s reported no median for %s" % (program, ", ".join(missing) or "anything"))
    return results


def _nanoseconds(value, unit):
    return value * {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[unit]
