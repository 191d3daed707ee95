"""Runs one build or run in its session under its limits, and reads what
the supervisor reports and brings out.

The report comes through a pipe; nothing in it is trusted beyond its own
student: its size is capped, its file names must be the expected ones, and
a report that does not parse only says that this run gave none.
"""

import json
import os
import selectors
import signal
import subprocess
import time
from dataclasses import dataclass, field

# The supervisor's own time around the command's: starting, stopping the
# command gently, and bringing its files out.
GRACE_SECONDS = 1
MARGIN_SECONDS = 20
HEADER_BYTES = 1 << 20
STDERR_BYTES = 64 * 1024


@dataclass
class Ended:
    """How a build or run ended, as the supervisor and the kernel tell it."""

    exit: int | None = None
    signal: int | None = None
    timed_out: bool = False
    wall_seconds: float = 0.0
    cpu_seconds: float = 0.0
    max_memory_bytes: int = 0
    work_full: bool = False
    collect_over: bool = False
    # Counted by the control groups where there are any: memory_exceeded,
    # processes_exceeded.
    facts: dict = field(default_factory=dict)
    files: dict = field(default_factory=dict)
    # Set when the supervisor gave no report: why.
    problem: str | None = None


@dataclass(frozen=True)
class Job:
    """What to run and what to bring out of it."""

    command: list
    log: str
    collect: list
    collect_folders: list = field(default_factory=list)


def supervisor_plan(job, limits, rlimit_memory, sandboxed):
    own_limits = {"wall_seconds": limits.wall_seconds, "cpu_seconds": limits.cpu_seconds,
                  "file_size_bytes": limits.file_size_bytes}
    if rlimit_memory:
        own_limits["data_bytes"] = limits.memory_bytes
        # Counted per user; in the sandbox the user is its own.
        if sandboxed:
            own_limits["processes"] = limits.processes
    return {"command": job.command, "log": job.log, "collect": job.collect,
            "collect_folders": job.collect_folders, "collect_bytes": limits.output_bytes,
            "grace_seconds": GRACE_SECONDS, "limits": own_limits}


def _read_capped(process, budget, deadline):
    """Everything the process writes to stdout (up to `budget` bytes) and
    stderr (a little), until both end or the deadline passes. Returns
    (stdout, stderr, whether it was cut short)."""
    selector = selectors.DefaultSelector()
    streams = {process.stdout: bytearray(), process.stderr: bytearray()}
    caps = {process.stdout: budget, process.stderr: STDERR_BYTES}
    for stream in streams:
        selector.register(stream, selectors.EVENT_READ)
    cut = False
    while selector.get_map():
        remaining = deadline - time.monotonic()
        ready = selector.select(remaining) if remaining > 0 else []
        if not ready:
            cut = True
            break
        for key, _ in ready:
            try:
                chunk = os.read(key.fileobj.fileno(), 1 << 16)
            except BlockingIOError:
                continue
            if not chunk:
                selector.unregister(key.fileobj)
                continue
            kept = streams[key.fileobj]
            if len(kept) + len(chunk) > caps[key.fileobj]:
                if key.fileobj is process.stdout:
                    cut = True
                    break
                chunk = chunk[:max(0, caps[key.fileobj] - len(kept))]
            kept += chunk
        if cut:
            break
    selector.close()
    return bytes(streams[process.stdout]), bytes(streams[process.stderr]), cut


def _parse(report, expected, folders):
    """The supervisor's header and files; raises ValueError if malformed."""
    header, newline, rest = report.partition(b"\n")
    if not newline or len(header) > HEADER_BYTES:
        raise ValueError("no report")
    fields = json.loads(header)
    if not isinstance(fields, dict) or not isinstance(fields.get("files"), list):
        raise ValueError("a report of the wrong shape")
    files, offset = {}, 0
    for entry in fields["files"]:
        name, size = entry.get("name"), entry.get("size")
        allowed = name in expected or any(
            isinstance(name, str) and name.startswith(folder + "/") and
            "/" not in name[len(folder) + 1:] and name[len(folder) + 1:] not in ("", ".", "..")
            for folder in folders)
        if not allowed or not isinstance(size, int) or size < 0 or offset + size > len(rest):
            raise ValueError("a file that was not asked for")
        files[name] = rest[offset:offset + size]
        offset += size
    ended = Ended(files=files)
    for name, kind in (("exit", int), ("signal", int), ("timed_out", bool),
                       ("wall_seconds", float), ("cpu_seconds", float),
                       ("max_memory_bytes", int), ("work_full", bool), ("collect_over", bool)):
        value = fields.get(name)
        if isinstance(value, kind) or (kind is float and isinstance(value, int)):
            setattr(ended, name, value)
    return ended


def execute(session, job, limits, groups):
    """Runs `job` in `session` under `limits`, with per-run control groups
    from `groups` where there are some; returns how it ended."""
    run_group = groups.open_run(limits.memory_bytes, limits.processes) if groups else None
    plan = supervisor_plan(job, limits, rlimit_memory=run_group is None,
                           sandboxed=session.sandboxed)
    argv = session.command(plan)
    if run_group:
        argv = run_group.wrap(argv)
    # The files, their frames and the report's own lines.
    budget = limits.output_bytes + HEADER_BYTES
    deadline = time.monotonic() + limits.wall_seconds + GRACE_SECONDS + MARGIN_SECONDS
    started = time.monotonic()
    try:
        process = subprocess.Popen(argv, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                   stderr=subprocess.PIPE, start_new_session=True)
    except OSError as error:
        if run_group:
            run_group.close()
        return Ended(problem=f"cannot start {argv[0]}: {error}")
    with process:
        report, errors, cut = _read_capped(process, budget, deadline)
        if cut:
            os.killpg(process.pid, signal.SIGKILL)
        process.wait()
    facts = run_group.facts() if run_group else {}
    if run_group:
        run_group.close()
    if cut:
        timed_out = time.monotonic() >= deadline
        return Ended(timed_out=timed_out, collect_over=not timed_out, facts=facts,
                     wall_seconds=round(time.monotonic() - started, 3),
                     problem="it ran out of time" if timed_out else
                     "it wrote more than its output limit")
    try:
        ended = _parse(report, set(job.collect), job.collect_folders)
    except ValueError as error:
        message = errors.decode(errors="replace").strip().splitlines()
        detail = message[-1] if message else str(error)
        return Ended(facts=facts, signal=-process.returncode if process.returncode < 0 else None,
                     problem=f"the sandbox gave no report ({detail})")
    ended.facts = facts
    return ended
