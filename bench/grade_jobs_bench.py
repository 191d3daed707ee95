#!/usr/bin/env python3
"""How much --jobs 2 saves kelto-grade over --jobs 1 on a class of 30 small
programs: the whole grading's wall time each way, the best of several runs
taken in turn, and their ratio (the goal: at most 0.60). The baseline is the
same grading one program at a time, measured in the same run.

    bench/grade_jobs_bench.py [BUILD_DIR] [--runs N]

BUILD_DIR (default build/release) is installed into a temporary prefix,
whose kelto-grade grades the class in its sandbox as a teacher would.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

SOURCE = Path(__file__).resolve().parents[1]
CLASS = SOURCE / "tests" / "grade" / "class"
STUDENTS = 30


def make_class(folder):
    """30 programs: the reference's dots in three sizes and two colours."""
    folder.mkdir()
    reference = (CLASS / "reference.cpp").read_text()
    for index in range(STUDENTS):
        program = reference.replace("KELTO_circle(RED, x, y, 10)",
                                    f"KELTO_circle({('RED', 'BLUE')[index % 2]}, x, y, "
                                    f"{10 + index % 3})")
        (folder / f"student{index:02}.cpp").write_text(program)


def grade(kelto_grade, students, out, jobs, environment):
    started = time.monotonic()
    graded = subprocess.run([str(kelto_grade), str(CLASS / "reference.cpp"), str(students),
                             str(CLASS / "dots.scr"), "--jobs", str(jobs), "--out", str(out)],
                            env=environment, capture_output=True, text=True, check=False)
    if graded.returncode not in (0, 1):
        sys.exit(f"kelto-grade failed: {graded.stderr}")
    return time.monotonic() - started


def load():
    return Path("/proc/loadavg").read_text().split()[0]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build", nargs="?", default=str(SOURCE / "build" / "release"))
    parser.add_argument("--runs", type=int, default=2)
    arguments = parser.parse_args()
    work = Path(tempfile.mkdtemp(prefix="kelto-grade-bench-"))
    try:
        prefix = work / "prefix"
        subprocess.run(["cmake", "--install", arguments.build, "--prefix", str(prefix)],
                       check=True, capture_output=True)
        environment = dict(os.environ, PKG_CONFIG_PATH=str(prefix / "lib" / "pkgconfig"))
        students = work / "class"
        make_class(students)
        print(f"{STUDENTS} programs, {len(os.sched_getaffinity(0))} cores, "
              f"load average {load()} at the start")
        times = {1: [], 2: []}
        for run in range(arguments.runs):
            for jobs in (1, 2):
                times[jobs].append(grade(prefix / "bin" / "kelto-grade", students,
                                         work / f"out-{jobs}", jobs, environment))
                print(f"  run {run + 1}, --jobs {jobs}: {times[jobs][-1]:.1f} s", flush=True)
        best = {jobs: min(seconds) for jobs, seconds in times.items()}
        print(f"--jobs 1: {best[1]:.1f} s, --jobs 2: {best[2]:.1f} s (best of {arguments.runs})")
        print(f"ratio --jobs 2 / --jobs 1: {best[2] / best[1]:.2f} (goal: at most 0.60); "
              f"load average {load()} at the end")
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
