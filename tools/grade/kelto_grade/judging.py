"""A graded program held against the reference: its record, with its
picture and console compared and their differences written beside them."""

import hashlib
import os
from dataclasses import dataclass
from pathlib import Path

from . import compare, png
from .outputs import BUILD_LOG, CONSOLE, CONSOLE_DIFF, DIFF, PICTURE, RUN_LOG


@dataclass
class Reference:
    """The reference program's outputs that students are held against."""

    run: str
    picture: png.Picture
    picture_bytes: bytes
    console: bytes

    def digests(self):
        return {"picture": hashlib.sha256(self.picture_bytes).hexdigest(),
                "console": hashlib.sha256(self.console).hexdigest(), "run": self.run}



def _relative(path, out):
    return Path(os.path.relpath(path, out)).as_posix()


def judge(name, graded, reference, out):
    """The record of one graded program held against the reference."""
    folder = graded.folder
    figures = {"exit_status": None, "signal": None, "differing_pixels": None,
               "differing_lines": None}
    measured = {"build_seconds": graded.ended_build.wall_seconds}
    files = {"folder": _relative(folder, out), "build_log": _relative(folder / BUILD_LOG, out)}
    picture_words = console_words = "none"
    if graded.ended_run is not None:
        ended = graded.ended_run
        figures["exit_status"], figures["signal"] = ended.exit, ended.signal
        measured.update(run_seconds=ended.wall_seconds, cpu_seconds=ended.cpu_seconds,
                        max_memory_bytes=ended.max_memory_bytes)
        if (folder / RUN_LOG).exists():
            files["run_log"] = _relative(folder / RUN_LOG, out)
        picture_words = _judge_picture(folder, reference, figures, files, out)
        console_words = _judge_console(name, folder, reference, figures, files, out)
    passed = (graded.build == "built" and graded.run == reference.run and
              picture_words == "identical" and console_words == "identical")
    return {"name": name, "build": graded.build, "run": graded.run, "picture": picture_words,
            "console": console_words, "passed": passed, "figures": figures,
            "measured": measured, "files": files}


def differ_words(count, thing):
    """"1 pixel differs", "40 pixels differ"."""
    return f"1 {thing} differs" if count == 1 else f"{count} {thing}s differ"


def _judge_picture(folder, reference, figures, files, out):
    path = folder / PICTURE
    if not path.exists():
        return "none"
    files["picture"] = _relative(path, out)
    data = path.read_bytes()
    if data == reference.picture_bytes:
        figures["differing_pixels"] = 0
        return "identical"
    try:
        picture = png.read(data)
    except ValueError as error:
        return f"unreadable ({error})"
    differing, diff = compare.compare_pictures(reference.picture, picture)
    figures["differing_pixels"] = differing
    if differing == 0:
        return "identical"
    (folder / DIFF).write_bytes(png.write(diff))
    files["diff"] = _relative(folder / DIFF, out)
    return differ_words(differing, "pixel")


def _judge_console(name, folder, reference, figures, files, out):
    path = folder / CONSOLE
    if not path.exists():
        return "none"
    files["console"] = _relative(path, out)
    text = path.read_bytes()
    if text == reference.console:
        figures["differing_lines"] = 0
        return "identical"
    diff = compare.console_diff(reference.console, text, name)
    (folder / CONSOLE_DIFF).write_text(diff, encoding="utf-8")
    files["console_diff"] = _relative(folder / CONSOLE_DIFF, out)
    lines = compare.differing_lines(diff)
    figures["differing_lines"] = lines
    return differ_words(lines, "line")
