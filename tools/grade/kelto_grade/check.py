"""kelto-grade --check: which of the containment and the limits hold on
this machine, and by what means."""

import os

from . import cgroups, sandbox
from .limits import size_in_words


def limit_lines(limits, sandboxed, groups):
    """(limit, its value, how it holds or why it does not), one per limit."""
    root = os.geteuid() == 0
    if groups:
        memory = f"holds: {groups.memory_means}"
        processes = f"holds: {groups.processes_means}"
    else:
        memory = "holds roughly: an rlimit on each process's heap and anonymous memory"
        if not sandboxed:
            processes = "does not hold: without the sandbox only control groups can count them"
        elif root:
            processes = "does not hold: rlimits do not limit root's processes (no control groups)"
        else:
            processes = "holds: an rlimit in the sandbox's own user namespace"
    output = ("holds: the sandbox's only writable folder has that size" if sandboxed else
              "does not hold without the sandbox (the file size still does)")
    return [
        ("wall time", f"{limits.wall_seconds} s", "holds: the run is stopped"),
        ("CPU time", f"{limits.cpu_seconds} s", "holds: an rlimit on each process"),
        ("memory", size_in_words(limits.memory_bytes), memory),
        ("processes", str(limits.processes), processes),
        ("file size", size_in_words(limits.file_size_bytes), "holds: an rlimit on each process"),
        ("total output", size_in_words(limits.output_bytes), output),
    ]


def report(limits, sandboxed):
    """The lines --check prints, and whether the sandbox works (or was not
    asked for)."""
    problem = sandbox.bubblewrap_problem() if sandboxed else None
    if not sandboxed:
        lines = ["sandbox       none (--no-sandbox): programs run with your rights"]
    elif problem:
        lines = [f"sandbox       does not hold: {problem}"]
    else:
        lines = [f"sandbox       holds: {sandbox.bubblewrap_version()} (no network, no view of "
                 "your files, a private /tmp)"]
    groups = cgroups.find()
    lines.append("cgroups       " + (groups.description if groups else
                                     "none usable here: rlimits instead"))
    for name, value, how in limit_lines(limits, sandboxed and not problem, groups):
        lines.append(f"{name:<13} {value:<8} {how}")
    return lines, problem is None
