"""The programs to grade: one per .cpp file or folder of a class's folder,
named after it, in order of name; and the part of them a shard grades."""

import os
import re
from dataclasses import dataclass
from pathlib import Path


@dataclass(frozen=True)
class Program:
    name: str
    # The .cpp file, or the folder that holds the program's .cpp files.
    path: Path
    # The .cpp files, relative to the folder (for a file: its own name).
    sources: tuple

    @property
    def is_folder(self):
        return self.path.is_dir()

    def shown_in(self, session):
        """Shows the program's sources read-only in a build's session (under
        /grading/src); returns their paths there."""
        if self.is_folder:
            root = session.input(self.path, "/grading/src")
            return [f"{root}/{source}" for source in self.sources]
        return [session.input(self.path, f"/grading/src/{self.sources[0]}")]


def sources_in(folder):
    """The .cpp files under a folder, as relative paths in order; links and
    hidden entries are left out."""
    found = []
    for root, folders, files in os.walk(folder):
        folders[:] = sorted(name for name in folders if not name.startswith("."))
        for name in sorted(files):
            path = Path(root, name)
            if name.endswith(".cpp") and not name.startswith(".") and path.is_file() \
                    and not path.is_symlink():
                found.append(str(path.relative_to(folder)))
    return tuple(found)


def program_at(path):
    """The program a .cpp file or a folder holds (perhaps with no sources)."""
    path = Path(path).absolute()
    if path.is_dir():
        return Program(name=path.name, path=path, sources=sources_in(path))
    return Program(name=path.stem, path=path, sources=(path.name,))


def read_class(folder):
    """The class in `folder`, in order of name; raises ValueError with the
    reason when it cannot be read or two entries share a name."""
    folder = Path(folder).absolute()
    if not folder.is_dir():
        raise ValueError(f"{folder} is not a folder")
    programs = {}
    for entry in sorted(folder.iterdir()):
        if entry.name.startswith(".") or entry.is_symlink():
            continue
        if entry.is_dir() or (entry.is_file() and entry.suffix == ".cpp"):
            program = program_at(entry)
            if program.name in programs:
                raise ValueError(f"two entries of {folder} are called {program.name}")
            programs[program.name] = program
    return [programs[name] for name in sorted(programs)]


_SHARD = re.compile(r"^(\d+)/(\d+)$")


def parse_shard(text):
    """(K, N) from "K/N" with 1 <= K <= N; None if it is not one."""
    match = _SHARD.match(text.strip())
    if not match:
        return None
    part, parts = int(match.group(1)), int(match.group(2))
    return (part, parts) if 1 <= part <= parts else None


def shard_of(programs, part, parts):
    """The part-th of `parts` shares, dealt in turn over the class in order
    of name: the same class always splits the same way, evenly."""
    return [program for index, program in enumerate(programs) if index % parts == part - 1]
