"""Control groups for the limits that hold for a run as a whole: its memory
and its number of processes.

Three ways, tried in turn: groups of our own under this process's groups in
the v1 memory and pids hierarchies (where we may write there, as root
usually may); a transient systemd scope on a v2 machine (the system's
manager for root, the user's otherwise); or, on a v2 machine without a
usable systemd, groups of our own beside this process's group where its
parent gives its children the memory and pids controllers. Where none
works, the run's processes get rlimits instead (see supervise.py).
"""

import itertools
import os
import select
import signal
import subprocess
import time
from pathlib import Path

_counter = itertools.count(1)
# Leftover processes of a run are killed and waited for at most this often,
# each time for at most this long.
CLOSE_ROUNDS = 8
STUCK_SECONDS = 10


def _group_name():
    return f"kelto-grade-{os.getpid()}-{next(_counter)}"


def _write(path, text):
    with open(path, "w", encoding="ascii") as file:
        file.write(text)


def _mounts():
    """The control group mounts: by v1 controller, and "v2" for the unified
    hierarchy; each (mount point, root of the mount in the hierarchy)."""
    mounts = {}
    try:
        lines = Path("/proc/self/mountinfo").read_text(encoding="utf-8").splitlines()
    except OSError:
        return mounts
    for line in lines:
        before, _, after = line.partition(" - ")
        fields, tail = before.split(), after.split()
        if len(fields) < 5 or len(tail) < 3:
            continue
        if tail[0] == "cgroup2":
            mounts["v2"] = (fields[4], fields[3])
        elif tail[0] == "cgroup":
            for controller in ("memory", "pids"):
                if controller in tail[2].split(","):
                    mounts[controller] = (fields[4], fields[3])
    return mounts


def _folder(mount, path):
    """The folder of a group's path under a mount of its hierarchy."""
    mount_point, root = mount
    if root != "/" and path.startswith(root):
        path = path[len(root):]
    return Path(mount_point + path)


def _own_groups():
    """This process's group paths: by v1 controller, and "v2"."""
    groups = {}
    try:
        lines = Path("/proc/self/cgroup").read_text(encoding="utf-8").splitlines()
    except OSError:
        return groups
    for line in lines:
        parts = line.split(":", 2)
        if len(parts) == 3:
            for controller in parts[1].split(",") if parts[1] else ["v2"]:
                groups[controller] = parts[2]
    return groups


def _can_make_groups(groups):
    """Whether a run's groups can be made, given their limits, and removed."""
    try:
        groups.open_run(64 * 1024 * 1024, 8).close()
    except OSError:
        return False
    return True


class RunGroups:
    """One run's groups: by controller, its folder (in v2 one folder
    serves both), and the counter of kills for memory it keeps."""

    def __init__(self, folders, memory_counter):
        self.folders = folders
        self.memory_counter = memory_counter

    def wrap(self, argv):
        """The command that joins the groups, then becomes argv."""
        procs = sorted({str(folder / "cgroup.procs") for folder in self.folders.values()})
        join = 'n=$1; shift; while [ "$n" -gt 0 ]; do ' \
               'echo $$ 2>/dev/null >"$1" || { echo "cannot join the control group $1" >&2; ' \
               'exit 125; }; shift; n=$((n - 1)); done; exec "$@"'
        return ["/bin/sh", "-c", join, "sh", str(len(procs)), *procs, *argv]

    def facts(self):
        """What the kernel counted: whether the memory limit killed a
        process, whether the process limit refused one."""
        facts = {}
        try:
            for line in (self.folders["memory"] / self.memory_counter).read_text(
                    encoding="ascii").splitlines():
                if line.startswith("oom_kill "):
                    facts["memory_exceeded"] = int(line.split()[1]) > 0
        except (OSError, ValueError):
            pass
        try:
            for line in (self.folders["pids"] / "pids.events").read_text(
                    encoding="ascii").splitlines():
                if line.startswith("max "):
                    facts["processes_exceeded"] = int(line.split()[1]) > 0
        except (OSError, ValueError):
            pass
        return facts

    def members(self):
        """The processes in the groups now."""
        pids = set()
        for folder in set(self.folders.values()):
            try:
                pids |= {int(pid) for pid in (folder / "cgroup.procs").read_text(
                    encoding="ascii").split()}
            except (OSError, ValueError):
                pass
        return pids

    def close(self):
        """Removes the groups. Whatever is still in them is killed and
        waited for first: in the sandbox nothing is left by then, but
        without it a process that left its process group may be."""
        for _ in range(CLOSE_ROUNDS):
            pids = self.members()
            if not pids:
                break
            _kill_and_wait(pids, {folder.name for folder in self.folders.values()})
        for folder in set(self.folders.values()):
            try:
                folder.rmdir()
            except OSError:
                pass


def _in_groups(pid, names):
    """Whether the process is in a group of one of these names."""
    try:
        lines = Path(f"/proc/{pid}/cgroup").read_text(encoding="utf-8").splitlines()
    except OSError:
        return False
    return any(line.rsplit("/", 1)[-1] in names for line in lines)


def _kill_and_wait(pids, names):
    """Kills the processes that are still in the groups `names` and waits
    until each has ended (a process stuck in the kernel is waited for a
    while only)."""
    poller, handles = select.poll(), []
    for pid in pids:
        try:
            handle = os.pidfd_open(pid)
        except OSError:
            continue
        # Held by its handle, the process is the one listed if it is still
        # in the groups, and never a newer one with its number.
        if not _in_groups(pid, names):
            os.close(handle)
            continue
        handles.append(handle)
        try:
            signal.pidfd_send_signal(handle, signal.SIGKILL)
        except OSError:
            pass
        poller.register(handle, select.POLLIN)
    deadline = time.monotonic() + STUCK_SECONDS
    waiting = len(handles)
    while waiting and time.monotonic() < deadline:
        ready = poller.poll(max(0.0, deadline - time.monotonic()) * 1000)
        for handle, _ in ready:
            poller.unregister(handle)
            waiting -= 1
    for handle in handles:
        os.close(handle)


class V1Groups:
    """Groups made directly in the v1 memory and pids hierarchies."""

    description = "cgroup v1 memory and pids controllers"
    memory_means = "a control group (cgroup v1 memory controller)"
    processes_means = "a control group (cgroup v1 pids controller)"

    def __init__(self, parents):
        self.parents = parents

    @staticmethod
    def find():
        mounts, own = _mounts(), _own_groups()
        parents = {}
        for controller in ("memory", "pids"):
            if controller not in mounts or controller not in own:
                return None
            parents[controller] = _folder(mounts[controller], own[controller])
        groups = V1Groups(parents)
        return groups if _can_make_groups(groups) else None

    def open_run(self, memory_bytes, processes):
        folders = {}
        name = _group_name()
        try:
            for controller, parent in self.parents.items():
                folder = parent / name
                folder.mkdir()
                folders[controller] = folder
            memory = folders["memory"]
            _write(memory / "memory.limit_in_bytes", str(memory_bytes))
            # No swapping instead: memory and swap together get the same limit.
            if (memory / "memory.memsw.limit_in_bytes").exists():
                _write(memory / "memory.memsw.limit_in_bytes", str(memory_bytes))
            _write(folders["pids"] / "pids.max", str(processes))
        except OSError:
            RunGroups(folders, "").close()
            raise
        return RunGroups(folders, "memory.oom_control")


class ScopeRun:
    """One run in a transient systemd scope with its limits."""

    def __init__(self, prefix):
        self.prefix = prefix

    def wrap(self, argv):
        return [*self.prefix, "--", *argv]

    @staticmethod
    def facts():
        # The scope is gone with its last process; the kernel's counts with it.
        return {}

    def close(self):
        pass


class SystemdScopes:
    """Transient scopes made by systemd-run on a v2 machine."""

    def __init__(self, user):
        self.user = user
        self.description = "systemd scope (" + ("the user's" if user else "the system's") + \
            " manager) on cgroup v2"
        self.memory_means = "a systemd scope's MemoryMax"
        self.processes_means = "a systemd scope's TasksMax"

    @staticmethod
    def find():
        if not Path("/sys/fs/cgroup/cgroup.controllers").exists():
            return None
        scopes = SystemdScopes(user=os.geteuid() != 0)
        show = 'g=$(sed -n "s/^0:://p" /proc/self/cgroup); ' \
               'cat "/sys/fs/cgroup$g/memory.max" "/sys/fs/cgroup$g/pids.max"'
        try:
            shown = subprocess.run(scopes.open_run(64 * 1024 * 1024, 8).wrap(
                ["/bin/sh", "-c", show]), capture_output=True, text=True, timeout=30,
                check=False)
        except (OSError, subprocess.TimeoutExpired):
            return None
        return scopes if shown.stdout.split() == [str(64 * 1024 * 1024), "8"] else None

    def open_run(self, memory_bytes, processes):
        # A process killed for memory leaves the others running, so that
        # the supervisor can still say so.
        prefix = ["systemd-run", "--scope", "--quiet", "--collect",
                  "-p", f"MemoryMax={memory_bytes}", "-p", "MemorySwapMax=0",
                  "-p", f"TasksMax={processes}", "-p", "OOMPolicy=continue"]
        if self.user:
            prefix.insert(1, "--user")
        return ScopeRun(prefix)


class V2Groups:
    """Groups made directly beside this process's own in the v2 hierarchy,
    where its parent gives its children the memory and pids controllers
    and we may make groups there."""

    description = "cgroup v2 groups made by kelto-grade"
    memory_means = "a control group (cgroup v2 memory.max)"
    processes_means = "a control group (cgroup v2 pids.max)"

    def __init__(self, parent):
        self.parent = parent

    @staticmethod
    def find():
        mounts, own = _mounts(), _own_groups()
        if "v2" not in mounts or "v2" not in own:
            return None
        folder = _folder(mounts["v2"], own["v2"])
        # A group with processes passes no controller on, but for the root.
        parent = folder if own["v2"] == "/" else folder.parent
        try:
            given = (parent / "cgroup.subtree_control").read_text(encoding="ascii").split()
        except OSError:
            return None
        if "memory" not in given or "pids" not in given:
            return None
        groups = V2Groups(parent)
        return groups if _can_make_groups(groups) else None

    def open_run(self, memory_bytes, processes):
        folder = self.parent / _group_name()
        folder.mkdir()
        run = RunGroups({"memory": folder, "pids": folder}, "memory.events")
        try:
            _write(folder / "memory.max", str(memory_bytes))
            if (folder / "memory.swap.max").exists():
                _write(folder / "memory.swap.max", "0")
            _write(folder / "pids.max", str(processes))
        except OSError:
            run.close()
            raise
        return run


def find():
    """The way this machine gives per-run groups, or None."""
    return V1Groups.find() or SystemdScopes.find() or V2Groups.find()
