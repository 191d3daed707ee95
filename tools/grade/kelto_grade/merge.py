"""kelto-grade merge: one grading of the class from the results of its
shards, each graded on a machine of its own.

Checks that the shards were graded against the same reference outputs
(by the digests in their records and by the reference files beside them),
that they come from one class, and that together they hold all of it once;
then copies every student's folder and the reference's beside one set of
reports.
"""

import hashlib
import shutil
from pathlib import Path, PurePosixPath

from . import outputs, results


def _digest(path):
    try:
        return hashlib.sha256(path.read_bytes()).hexdigest()
    except OSError:
        return None


def _student_folder(record):
    """The record's folder if it is a student's folder below the results."""
    folder = PurePosixPath(record["files"].get("folder", ""))
    if len(folder.parts) == 2 and folder.parts[0] == "students" and \
            folder.parts[1] not in (".", ".."):
        return folder
    return None


def _check(parts):
    """None if the parts make one class; else why not."""
    records = [record for _, part in parts for record in part]
    if not records:
        return "the results hold no student at all"
    first = records[0]
    for path, part in parts:
        for record in part:
            if record["reference"] != first["reference"]:
                return (f"{path} was graded against other reference outputs than the first "
                        "results: grade every shard with the same reference and script")
            if record["class_size"] != first["class_size"]:
                return f"{path} comes from a class of another size"
        reference_picture = path.parent / "reference" / "picture.png"
        if reference_picture.exists() and \
                _digest(reference_picture) != first["reference"].get("picture"):
            return f"the reference picture beside {path} differs from the one graded against"
    names = [record["name"] for record in records]
    repeated = sorted({name for name in names if names.count(name) > 1})
    if repeated:
        return f"{repeated[0]} was graded in more than one of the results"
    if len(names) != first["class_size"]:
        return (f"the results hold {len(names)} of the class's {first['class_size']} "
                "students: is a shard missing?")
    return None


def merge(paths, out):
    """Merges the results files `paths` into `out`; returns the records, or
    raises ValueError with one line saying why it cannot."""
    paths = [Path(path).resolve() for path in paths]
    parts = [(path, results.read(path)) for path in paths]
    problem = _check(parts) or outputs.prepare(out, keep_away=[p.parent for p in paths])
    if problem:
        raise ValueError(problem)
    out = Path(out)
    merged = []
    reference_copied = False
    for path, part in parts:
        reference = path.parent / "reference"
        if not reference_copied and reference.is_dir():
            shutil.copytree(reference, out / "reference", symlinks=True)
            reference_copied = True
        for record in part:
            folder = _student_folder(record)
            if folder and (path.parent / folder).is_dir():
                shutil.copytree(path.parent / folder, out / folder, symlinks=True)
            merged.append(dict(record, shard=None))
    outputs.write_reports(out, merged)
    return merged
