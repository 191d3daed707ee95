"""The compiler and the KELTO replay runner's flags a program is built with,
and the folders outside /usr that a build must see for them."""

import os
import shlex
import shutil
import subprocess
from dataclasses import dataclass
from pathlib import Path

PACKAGE = "kelto-replay"
STANDARD = "-std=c++20"
OPTIMISE = "-O1"


@dataclass(frozen=True)
class Toolchain:
    compiler: str
    flags: tuple
    # Read-only in the sandbox: the library's include and lib folders (and
    # the compiler's own, where it is not under /usr).
    folders: tuple

    def command(self, sources, output):
        return [self.compiler, STANDARD, OPTIMISE, "-o", output, *sources, *self.flags]


def _installed_pkgconfig():
    """The pkg-config folder of the KELTO that this kelto-grade was installed
    with (it lies in <prefix>/share/kelto/grade), if any."""
    here = Path(__file__).resolve()
    if len(here.parents) < 5 or here.parents[2].name != "kelto":
        return []
    prefix = here.parents[4]
    found = sorted(prefix.glob(f"lib*/pkgconfig/{PACKAGE}.pc")) + \
        sorted(prefix.glob(f"lib/*/pkgconfig/{PACKAGE}.pc"))
    return [str(found[0].parent)] if found else []


def _outside_usr(path):
    resolved = Path(path).resolve()
    return resolved != Path("/") and Path("/usr") not in (resolved, *resolved.parents)


def folders_named(flags):
    """The folders that compiler flags name (-I, -L, -isystem, library
    files) outside /usr."""
    folders = []
    pending_option = None
    for flag in flags:
        path = None
        if pending_option:
            path, pending_option = flag, None
        elif flag in ("-I", "-L", "-isystem", "-idirafter"):
            pending_option = flag
        elif flag.startswith(("-I", "-L")) and len(flag) > 2:
            path = flag[2:]
        elif flag.startswith("-isystem") and len(flag) > 8:
            path = flag[8:]
        elif flag.startswith("/"):
            path = str(Path(flag).parent)
        if path and Path(path).is_dir() and _outside_usr(path):
            resolved = Path(path).resolve()
            if resolved not in folders:
                folders.append(resolved)
    return folders


def find():
    """The toolchain, or one line saying what is missing."""
    compiler = shutil.which(os.environ.get("CXX", "g++"))
    if not compiler:
        return "no C++ compiler: install g++ (or set CXX to one)"
    if not shutil.which("pkg-config"):
        return "pkg-config is not installed"
    environment = dict(os.environ)
    search = _installed_pkgconfig() + [p for p in environment.get("PKG_CONFIG_PATH", "").split(
        ":") if p]
    environment["PKG_CONFIG_PATH"] = ":".join(search)
    shown = subprocess.run(["pkg-config", "--cflags", "--libs", "--static", PACKAGE],
                           capture_output=True, text=True, env=environment, check=False)
    if shown.returncode != 0:
        return (f"pkg-config cannot find {PACKAGE}: install KELTO (make install PREFIX=...) "
                "and set PKG_CONFIG_PATH=<prefix>/lib/pkgconfig")
    flags = tuple(shlex.split(shown.stdout))
    folders = folders_named(flags)
    if _outside_usr(compiler):
        folders.append(Path(compiler).resolve().parent.parent)
    return Toolchain(compiler=compiler, flags=flags, folders=tuple(folders))
