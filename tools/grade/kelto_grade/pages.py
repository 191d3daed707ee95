"""A class's programs as web pages, each built in a sandbox of its own.

Run by scripts/web-class.sh once it has built KELTO for the browser: every
program is compiled and linked by em++ in the same sandbox kelto-grade
builds in, with KELTO's browser build and Debian's Emscripten cache
read-only, in a work folder of its own; its page goes to the site folder,
or its compiler's messages where it does not build; index.html links them.

    python3 -m kelto_grade.pages BUILD_FLAGS PROGRAMS SITE [--jobs N] [--no-sandbox]

BUILD_FLAGS is the file the KELTO browser build wrote: lines of
"include=", "library=", "link_option=" and "page=" (the page template).
"""

import argparse
import html
import os
import re
import shutil
import sys
from concurrent.futures import ThreadPoolExecutor
from pathlib import Path

from . import classlist, sandbox
from .execution import Job, execute
from .limits import BUILD_LIMITS

STANDARD = "-std=c++20"
OPTIMISE = "-O2"
LOG = "build.log"
# Debian's emcc finds its JavaScript parser only through NODE_PATH.
ENVIRONMENT = {"NODE_PATH": "/usr/share/nodejs"}


def read_flags(path):
    """The build's settings by kind, each a list, in order."""
    flags = {"include": [], "library": [], "link_option": [], "page": []}
    for line in Path(path).read_text(encoding="utf-8").splitlines():
        kind, _, value = line.partition("=")
        if kind in flags and value:
            flags[kind].append(value)
    return flags


def page_name(name):
    """A program's name as a page's: letters, digits, _ and - only."""
    return re.sub(r"[^A-Za-z0-9_-]", "_", name)


def build(program, name, flags, containment, site):
    """Builds one program's page into the site; returns whether it built."""
    session = containment.session(BUILD_LIMITS)
    try:
        sources = program.shown_in(session)
        command = [shutil.which("em++") or "em++", STANDARD, OPTIMISE,
                   *(f"-I{folder}" for folder in flags["include"]), *sources,
                   *flags["library"], *flags["link_option"], "-o", f"{name}.js"]
        ended = execute(session, Job(command=command, log=LOG,
                                     collect=[f"{name}.js", f"{name}.wasm", LOG]),
                        BUILD_LIMITS, None)
    finally:
        session.close()
    built = ended.exit == 0 and f"{name}.js" in ended.files and f"{name}.wasm" in ended.files
    if not built:
        log = ended.files.get(LOG, b"")
        if not program.sources:
            log = b"no .cpp files were found for this program\n"
        elif ended.problem or ended.timed_out:
            log += f"\nthe build did not finish: {ended.problem or 'out of time'}\n".encode()
        (site / f"{name}.log").write_bytes(log)
        return False
    for suffix in ("js", "wasm"):
        (site / f"{name}.{suffix}").write_bytes(ended.files[f"{name}.{suffix}"])
    template = Path(flags["page"][0]).read_text(encoding="utf-8")
    (site / f"{name}.html").write_text(template.replace("@KELTO_PAGE_PROGRAM@", name),
                                       encoding="utf-8")
    return True


def write_index(site, names, built):
    items = []
    for name in names:
        shown = html.escape(name)
        if name in built:
            items.append(f'<li><a href="{shown}.html">{shown}</a></li>')
        else:
            items.append(f'<li>{shown} (did not build: <a href="{shown}.log">messages</a>)</li>')
    (site / "index.html").write_text(
        "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
        "<link rel=\"icon\" href=\"data:,\">\n<title>Our KELTO programs</title>"
        "<link rel=\"stylesheet\" href=\"kelto_web.css\"></head>\n<body><header "
        "class=\"kelto-page-bar\"><h1>Our KELTO programs</h1></header><ul class=\"kelto-index\">\n"
        + "\n".join(items) + "\n</ul></body></html>\n", encoding="utf-8")


def main(argv):
    parser = argparse.ArgumentParser(prog="web-class.sh")
    parser.add_argument("flags")
    parser.add_argument("programs")
    parser.add_argument("site")
    parser.add_argument("--jobs", type=int, default=len(os.sched_getaffinity(0)))
    parser.add_argument("--no-sandbox", action="store_true")
    arguments = parser.parse_args(argv)
    flags = read_flags(arguments.flags)
    try:
        programs = classlist.read_class(arguments.programs)
    except ValueError as error:
        print(f"web-class.sh: {error}", file=sys.stderr)
        return 2
    if not programs:
        print(f"web-class.sh: {arguments.programs} holds no program (a .cpp file or a folder)",
              file=sys.stderr)
        return 2
    names = [page_name(program.name) for program in programs]
    if len(set(names)) != len(names):
        print("web-class.sh: two programs give the same page name once their names are made "
              "of letters, digits, _ and - only", file=sys.stderr)
        return 2
    sandboxed = not arguments.no_sandbox
    problem = sandbox.bubblewrap_problem() if sandboxed else None
    if problem:
        print(f"web-class.sh: {problem}; give --no-sandbox to build with your own rights",
              file=sys.stderr)
        return 2
    read_only = sorted({Path(folder).resolve() for folder in flags["include"]} |
                       {Path(library).resolve().parent for library in flags["library"]})
    containment = sandbox.Containment(sandboxed, read_only, ENVIRONMENT)
    site = Path(arguments.site)
    site.mkdir(parents=True, exist_ok=True)

    def one(pair):
        program, name = pair
        for stale in (f"{name}.html", f"{name}.js", f"{name}.wasm", f"{name}.log"):
            (site / stale).unlink(missing_ok=True)
        built = build(program, name, flags, containment, site)
        if not built:
            print(f"{name} did not build: see {site / (name + '.log')}", file=sys.stderr)
        return name if built else None

    with ThreadPoolExecutor(max_workers=max(1, arguments.jobs)) as pool:
        built = {name for name in pool.map(one, zip(programs, names)) if name}
    write_index(site, names, built)
    print(f"{len(built)} of {len(names)} programs are on {site / 'index.html'}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
