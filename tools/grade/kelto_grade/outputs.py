"""The output folder: made ready for a grading (never taking a folder
kelto-grade did not make), the names of the files in it, and the three
reports written into it."""

import shutil
from pathlib import Path

from . import junit, report, results

OWN_ENTRIES = ("reference", "students", "report.html", "results.json", "junit.xml")

# The files of each program's folder (reference/, students/<name>/).
PICTURE = "picture.png"
CONSOLE = "console.txt"
BUILD_LOG = "build.log"
RUN_LOG = "run.log"
DIFF = "diff.png"
CONSOLE_DIFF = "console.diff"
PROGRAM = "program"
# The script, as the runs see it in their work folder.
SCRIPT = "KELTO.SCR"


def prepare(out, keep_away=()):
    """Makes `out` ready, clearing what an earlier grading left there; None,
    or one line saying why it cannot be used. `keep_away`: folders that
    must not lie inside it (or it inside them)."""
    out = Path(out).resolve()
    for folder in keep_away:
        folder = Path(folder).resolve()
        if out == folder or folder in out.parents or out in folder.parents:
            return f"the output folder {out} must lie outside {folder}"
    if out.exists() and not out.is_dir():
        return f"{out} is not a folder"
    foreign = [entry for entry in out.iterdir() if entry.name not in OWN_ENTRIES] \
        if out.is_dir() else []
    if foreign and not (out / "results.json").exists():
        return (f"{out} holds files of its own and no earlier grading; choose another folder "
                "with --out")
    for name in OWN_ENTRIES:
        entry = out / name
        if entry.is_dir() and not entry.is_symlink():
            shutil.rmtree(entry)
        elif entry.exists() or entry.is_symlink():
            entry.unlink()
    out.mkdir(parents=True, exist_ok=True)
    return None


def details(out, record):
    """The text that goes with a failed record in junit.xml."""
    lines = [f"{key}: {record[key]}" for key in ("build", "run", "picture", "console")]
    for key in ("console_diff", "build_log"):
        if key in record["files"] and (key == "console_diff" or record["build"] != "built"):
            text = report.read_shown(out, record["files"][key])
            if text:
                lines += ["", text]
    return "\n".join(lines)


def write_reports(out, records):
    out = Path(out)
    results.write(out / "results.json", records)
    junit.write(out / "junit.xml", records, lambda record: details(out, record))
    report.write(out / "report.html", records)
