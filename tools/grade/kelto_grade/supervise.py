"""The first process of a sandbox: runs one command and reports how it ended.

kelto-grade starts this file with the system's python3 inside the sandbox,
giving it a JSON description of the run. It runs the command as its child
under the per-process limits (CPU time, file size, data, processes), stops
it when its wall time is up, kills whatever the command left behind, and
then writes to standard output one line of JSON saying how the command
ended, followed by the bytes of the files to bring out of the sandbox.

It runs beside untrusted code, so it imports nothing but the standard
library, makes itself undumpable (the command, though of the same user, can
neither trace it nor reach its open files) and reads only regular files,
never following a link, up to a set number of bytes.
"""

import ctypes
import json
import os
import resource
import select
import signal
import stat
import sys
import time

PR_SET_DUMPABLE = 4
# Below this much free space the command's writable folder counts as full.
FULL_BELOW_BYTES = 64 * 1024


def keep_private():
    libc = ctypes.CDLL(None, use_errno=True)
    libc.prctl(PR_SET_DUMPABLE, 0, 0, 0, 0)


def lowered(kind, value):
    """Sets an rlimit to `value`, never above the hard limit already set."""
    _, hard = resource.getrlimit(kind)
    if hard != resource.RLIM_INFINITY:
        value = min(value, hard)
    resource.setrlimit(kind, (value, value))


def apply_limits(limits):
    resource.setrlimit(resource.RLIMIT_CORE, (0, 0))
    cpu = limits["cpu_seconds"]
    _, hard = resource.getrlimit(resource.RLIMIT_CPU)
    # The soft limit sends SIGXCPU; the hard one, a second later, SIGKILL.
    resource.setrlimit(resource.RLIMIT_CPU,
                       (cpu, cpu + 1 if hard == resource.RLIM_INFINITY else min(cpu + 1, hard)))
    lowered(resource.RLIMIT_FSIZE, limits["file_size_bytes"])
    if limits.get("data_bytes"):
        lowered(resource.RLIMIT_DATA, limits["data_bytes"])
    if limits.get("processes"):
        lowered(resource.RLIMIT_NPROC, limits["processes"])


def start(plan):
    """Forks the command with its output in the log file; returns its pid."""
    command = plan["command"]
    log = os.open(plan["log"], os.O_WRONLY | os.O_CREAT | os.O_TRUNC | os.O_NOFOLLOW, 0o644)
    nothing = os.open(os.devnull, os.O_RDONLY)
    pid = os.fork()
    if pid == 0:
        try:
            os.setsid()
            # Python ignores these two, and an exec keeps what is ignored.
            for number in (signal.SIGPIPE, signal.SIGXFSZ):
                signal.signal(number, signal.SIG_DFL)
            os.dup2(nothing, 0)
            os.dup2(log, 1)
            os.dup2(log, 2)
            os.closerange(3, 65536)
            apply_limits(plan["limits"])
            os.execv(command[0], command)
        except BaseException as error:
            os.write(2, f"cannot start {command[0]}: {error}\n".encode())
        finally:
            os._exit(127)
    os.close(log)
    os.close(nothing)
    return pid


def wait_for(pid, wall_seconds, grace_seconds):
    """Waits for the command to end; past its wall time asks it to stop,
    then kills it. Returns whether its time ran out."""
    handle = os.pidfd_open(pid)
    poller = select.poll()
    poller.register(handle, select.POLLIN)
    if poller.poll(wall_seconds * 1000):
        return False
    os.kill(pid, signal.SIGTERM)
    if not poller.poll(grace_seconds * 1000):
        os.killpg(pid, signal.SIGKILL)
    return True


def end_leftovers(plan, pid):
    """Kills every process the command left: in the sandbox all of them but
    this one, the namespace's first; without a sandbox, the command's
    process group."""
    try:
        if plan["sandboxed"]:
            os.kill(-1, signal.SIGKILL)
        else:
            os.killpg(pid, signal.SIGKILL)
    except (ProcessLookupError, PermissionError):
        pass


def read_regular(path, limit):
    """The bytes of a regular file (at most limit + 1 of them), or None."""
    try:
        handle = os.open(path, os.O_RDONLY | os.O_NOFOLLOW | os.O_NONBLOCK)
    except OSError:
        return None
    try:
        if not stat.S_ISREG(os.fstat(handle).st_mode):
            return None
        chunks, size = [], 0
        while size <= limit:
            chunk = os.read(handle, min(1 << 20, limit + 1 - size))
            if not chunk:
                break
            chunks.append(chunk)
            size += len(chunk)
        return b"".join(chunks)
    finally:
        os.close(handle)


def collect(plan):
    """The files to bring out, in order, within the byte budget; and
    whether the budget was too small for them."""
    budget = plan["collect_bytes"]
    names = list(plan["collect"])
    for folder in plan.get("collect_folders", []):
        try:
            entries = sorted(os.scandir(folder), key=lambda entry: entry.name)
        except OSError:
            continue
        names += [f"{folder}/{entry.name}" for entry in entries
                  if entry.is_file(follow_symlinks=False)]
    files = []
    for name in names:
        data = read_regular(name, budget)
        if data is None:
            continue
        if len(data) > budget:
            return files, True
        budget -= len(data)
        files.append((name, data))
    return files, False


def work_full(plan):
    if not plan["sandboxed"]:
        return False
    free = os.statvfs(".")
    return free.f_bavail * free.f_frsize < FULL_BELOW_BYTES


def main():
    plan = json.loads(sys.argv[1])
    keep_private()
    os.chdir(plan["cwd"])
    started = time.monotonic()
    pid = start(plan)
    timed_out = wait_for(pid, plan["limits"]["wall_seconds"], plan["grace_seconds"])
    _, status, usage = os.wait4(pid, 0)
    wall_seconds = time.monotonic() - started
    end_leftovers(plan, pid)
    files, too_much = collect(plan)
    report = {
        "exit": os.WEXITSTATUS(status) if os.WIFEXITED(status) else None,
        "signal": os.WTERMSIG(status) if os.WIFSIGNALED(status) else None,
        "timed_out": timed_out,
        "wall_seconds": round(wall_seconds, 3),
        "cpu_seconds": round(usage.ru_utime + usage.ru_stime, 3),
        "max_memory_bytes": usage.ru_maxrss * 1024,
        "work_full": work_full(plan),
        "collect_over": too_much,
        "files": [{"name": name, "size": len(data)} for name, data in files],
    }
    out = sys.stdout.buffer
    out.write(json.dumps(report).encode() + b"\n")
    for _, data in files:
        out.write(data)
    out.flush()


if __name__ == "__main__":
    main()
