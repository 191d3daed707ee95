"""kelto-grade's command line: grade a class, merge shards, or check what
holds on this machine.

Exit status: 0 when every program graded matches the reference, 1 when some
do not, 2 when the grading cannot be done (and nothing is graded).
"""

import argparse
import os
import sys
import threading
from pathlib import Path

from . import cgroups, check, classlist, outputs, results, runner_options, sandbox, toolchain
from .grading import Grader, ReferenceUnusable, Settings
from .limits import RUN_DEFAULTS, Limits, parse_size
from .merge import merge

CANNOT = 2

USAGE = """kelto-grade REFERENCE STUDENTS_DIR SCRIPT [options] [-- runner options]
       kelto-grade merge RESULTS.json... [--out DIR]
       kelto-grade --check [limit options]"""

DESCRIPTION = """Builds the reference program and every student's program (one .cpp
file or one folder of them in STUDENTS_DIR) as KELTO replay runners, runs
each against the recorded SCRIPT in a sandbox, and compares its picture and
console with the reference's. Writes report.html, results.json and
junit.xml, and each program's outputs, into the output folder. Options
after "--" go to every run of the runner (--ticks 20, --line Ada, ...)."""


def _seconds(text):
    value = int(text) if text.isdigit() else 0
    if value < 1:
        raise argparse.ArgumentTypeError(f"takes whole seconds, 1 or more, not {text!r}")
    return value


def _count(text):
    value = int(text) if text.isdigit() else 0
    if value < 1:
        raise argparse.ArgumentTypeError(f"takes a whole number, 1 or more, not {text!r}")
    return value


def _size(text):
    value = parse_size(text)
    if not value:
        raise argparse.ArgumentTypeError(f"takes a size such as 512M or 2G, not {text!r}")
    return value


def _grade_parser():
    parser = argparse.ArgumentParser(prog="kelto-grade", usage=USAGE, description=DESCRIPTION)
    parser.add_argument("reference", nargs="?", help="the reference program: a .cpp file or "
                        "a folder of them")
    parser.add_argument("students", nargs="?", help="the class: one .cpp file or folder per "
                        "student")
    parser.add_argument("script", nargs="?", help="the recorded script (KELTO.SCR)")
    defaults = RUN_DEFAULTS
    parser.add_argument("--timeout", type=_seconds, default=defaults.wall_seconds,
                        metavar="SECONDS", help="wall time of each run (default: %(default)s)")
    parser.add_argument("--cpu-time", type=_seconds, metavar="SECONDS",
                        help="processor time of each run (default: the timeout)")
    parser.add_argument("--memory", type=_size, default=defaults.memory_bytes, metavar="SIZE",
                        help="memory of each run (default: 512M)")
    parser.add_argument("--processes", type=_count, default=defaults.processes, metavar="N",
                        help="processes and threads of each run (default: %(default)s)")
    parser.add_argument("--file-size", type=_size, default=defaults.file_size_bytes,
                        metavar="SIZE", help="largest file a run writes (default: 32M)")
    parser.add_argument("--output-size", type=_size, default=defaults.output_bytes,
                        metavar="SIZE", help="all that a run writes (default: 64M)")
    parser.add_argument("--jobs", type=_count, default=len(os.sched_getaffinity(0)),
                        metavar="N", help="programs built and run at once (default: the "
                        "number of cores, %(default)s)")
    parser.add_argument("--shard", metavar="K/N", help="grade only the K-th of N parts of "
                        "the class (for one machine of N)")
    parser.add_argument("--keep", action="store_true", help="keep each built program")
    parser.add_argument("--no-sandbox", action="store_true", help="build and run without "
                        "the sandbox, with your rights (only where bubblewrap cannot run)")
    parser.add_argument("--out", default="grading", metavar="DIR",
                        help="output folder (default: %(default)s)")
    parser.add_argument("--check", action="store_true", help="say which limits hold on this "
                        "machine, and exit")
    return parser


def _limits(arguments):
    return Limits(wall_seconds=arguments.timeout,
                  cpu_seconds=arguments.cpu_time or arguments.timeout,
                  memory_bytes=arguments.memory, processes=arguments.processes,
                  file_size_bytes=arguments.file_size, output_bytes=arguments.output_size)


def _fail(message):
    print(f"kelto-grade: {message}", file=sys.stderr)
    return CANNOT


def _table(records):
    header = ("program", "build", "run", "picture", "console")
    rows = [header] + [tuple(record[key] for key in ("name", *header[1:])) for record in records]
    widths = [max(len(row[column]) for row in rows) for column in range(len(header))]
    return "\n".join("  ".join(cell.ljust(width) for cell, width in zip(row, widths)).rstrip()
                     for row in rows)


def _inputs_problem(arguments):
    if not (arguments.reference and arguments.students and arguments.script):
        return "give REFERENCE STUDENTS_DIR SCRIPT (see kelto-grade --help)"
    reference = Path(arguments.reference)
    if not (reference.is_dir() or (reference.is_file() and reference.suffix == ".cpp")):
        return f"the reference {reference} is neither a .cpp file nor a folder"
    if not Path(arguments.students).is_dir():
        return f"{arguments.students} is not a folder"
    if not Path(arguments.script).is_file() or not os.access(arguments.script, os.R_OK):
        return f"cannot read the script {arguments.script}"
    return None


def grade(argv):
    split = argv.index("--") if "--" in argv else len(argv)
    arguments = _grade_parser().parse_args(argv[:split])
    passed_on = argv[split + 1:]
    limits = _limits(arguments)
    sandboxed = not arguments.no_sandbox
    if arguments.check:
        lines, holds = check.report(limits, sandboxed)
        print("\n".join(lines))
        return 0 if holds else 1
    problem = _inputs_problem(arguments)
    frames, options_problem = runner_options.check(passed_on)
    shard = classlist.parse_shard(arguments.shard) if arguments.shard else None
    if problem or options_problem:
        return _fail(problem or options_problem)
    if arguments.shard and not shard:
        return _fail(f"--shard takes K/N with 1 <= K <= N, not {arguments.shard!r}")
    if sandboxed:
        problem = sandbox.bubblewrap_problem()
        if problem:
            return _fail(f"{problem}. Students' programs are only built and run in a "
                         "sandbox; give --no-sandbox to grade with your own rights instead")
    else:
        print("kelto-grade: no sandbox: students' programs run with your rights",
              file=sys.stderr)
    tools = toolchain.find()
    if isinstance(tools, str):
        return _fail(tools)
    try:
        everyone = classlist.read_class(arguments.students)
    except ValueError as error:
        return _fail(str(error))
    if not everyone:
        return _fail(f"{arguments.students} holds no program (a .cpp file or a folder)")
    programs = classlist.shard_of(everyone, *shard) if shard else everyone
    out = Path(arguments.out)
    problem = outputs.prepare(out, keep_away=[arguments.students])
    if problem:
        return _fail(problem)
    settings = Settings(script=Path(arguments.script).resolve(),
                        runner_options=tuple(passed_on), frames=frames, limits=limits,
                        out=out.resolve(), keep=arguments.keep, jobs=arguments.jobs)
    grader = Grader(settings, tools, sandbox.Containment(sandboxed, tools.folders),
                    cgroups.find())
    lock = threading.Lock()

    def told(record):
        with lock:
            print(f"{record['name']}: {record['build']}, {record['run']}; picture "
                  f"{record['picture']}; console {record['console']}", flush=True)

    try:
        reference, records = grader.grade(classlist.program_at(arguments.reference), programs,
                                          told)
    except ReferenceUnusable as problem:
        return _fail(str(problem))
    records = results.class_fields(records, shard, len(everyone), reference.digests())
    outputs.write_reports(out, records)
    passed = sum(1 for record in records if record["passed"])
    print()
    print(_table(records))
    print(f"\n{passed} of {len(records)} programs match the reference. "
          f"Report: {out / 'report.html'}")
    return 0 if passed == len(records) else 1


def merge_command(argv):
    parser = argparse.ArgumentParser(prog="kelto-grade merge", description="Makes one "
                                     "report of the results of the shards of a class.")
    parser.add_argument("results", nargs="+", help="each shard's results.json")
    parser.add_argument("--out", default="grading", metavar="DIR",
                        help="output folder (default: %(default)s)")
    arguments = parser.parse_args(argv)
    try:
        records = merge(arguments.results, arguments.out)
    except ValueError as error:
        return _fail(str(error))
    passed = sum(1 for record in records if record["passed"])
    print(_table(sorted(records, key=lambda record: record["name"])))
    print(f"\n{passed} of {len(records)} programs match the reference. "
          f"Report: {Path(arguments.out) / 'report.html'}")
    return 0 if passed == len(records) else 1


def main(argv):
    if argv and argv[0] == "merge":
        return merge_command(argv[1:])
    return grade(argv)
