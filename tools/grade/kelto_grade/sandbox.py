"""Where a build or run happens: in a bubblewrap sandbox, or (with
--no-sandbox) in a plain temporary folder with the teacher's rights.

The sandbox has no network, its own process, IPC and host name
namespaces, a user of its own with no capabilities and no further user
namespaces, /usr and the library's folders read-only, of /etc only what the
dynamic loader needs, a private /tmp, and one writable folder, /work, whose
size is the run's output limit. Its first process, PID 1 of its namespace,
is supervise.py, which brings the outputs out through a pipe: nothing in
the sandbox can write anywhere that outlives it. Being PID 1, it cannot be
killed from inside, and bubblewrap ends only once it has ended, and with it
every process of the namespace, so that a run's control groups are empty
when the run is over.
"""

import json
import os
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

SUPERVISOR = Path(__file__).resolve().with_name("supervise.py")
WORK = "/work"
SANDBOX_UID = 1000
# Of /etc, only what the dynamic loader and the compiler's driver read.
ETC_NEEDED = ("ld.so.cache", "ld.so.conf", "ld.so.conf.d", "alternatives")
ROOT_LINKS = ("bin", "sbin", "lib", "lib32", "lib64", "libx32")


def sandbox_python():
    """The interpreter the supervisor runs with, and a folder to bind for it
    when it is not the system's."""
    if Path("/usr/bin/python3").exists():
        return "/usr/bin/python3", None
    return sys.executable, Path(sys.base_prefix).resolve()


def _system_binds():
    arguments = ["--ro-bind", "/usr", "/usr"]
    for name in ROOT_LINKS:
        path = Path("/", name)
        if path.is_symlink():
            arguments += ["--symlink", os.readlink(path), str(path)]
        elif path.is_dir():
            arguments += ["--ro-bind", str(path), str(path)]
    for name in ETC_NEEDED:
        arguments += ["--ro-bind-try", f"/etc/{name}", f"/etc/{name}"]
    return arguments


class SandboxSession:
    """One build or run in a bubblewrap sandbox."""

    sandboxed = True

    def __init__(self, read_only, work_bytes, tmp_bytes, environment=None):
        self.work = WORK
        self.environment = dict(environment or {})
        self.arguments = [
            "bwrap", "--unshare-all", "--unshare-user", "--disable-userns",
            "--die-with-parent", "--as-pid-1", "--new-session", "--cap-drop", "ALL",
            "--uid", str(SANDBOX_UID), "--gid", str(SANDBOX_UID), "--hostname", "kelto-grade",
            *_system_binds(), "--proc", "/proc", "--dev", "/dev",
            "--size", str(tmp_bytes), "--tmpfs", "/tmp",
            "--size", str(work_bytes), "--tmpfs", WORK,
            "--ro-bind", str(SUPERVISOR), "/kelto-grade/supervise.py",
        ]
        for folder in read_only:
            self.arguments += ["--ro-bind", str(folder), str(folder)]
        self.python, python_home = sandbox_python()
        if python_home:
            self.arguments += ["--ro-bind", str(python_home), str(python_home)]

    def input(self, host, inside):
        """Shows a file or folder read-only: at `inside`, or in the work
        folder under that name if it is relative. Returns its path there."""
        path = inside if inside.startswith("/") else f"{WORK}/{inside}"
        self.arguments += ["--ro-bind", str(host), path]
        return path

    def command(self, plan):
        variables = {"PATH": "/usr/bin:/bin", "HOME": WORK, "TMPDIR": "/tmp", "LC_ALL": "C",
                     **self.environment}
        environment = ["--clearenv", "--chdir", WORK]
        for name, value in variables.items():
            environment += ["--setenv", name, value]
        plan = dict(plan, cwd=WORK, sandboxed=True)
        return [*self.arguments, *environment, "--", self.python, "-I", "-B",
                "/kelto-grade/supervise.py", json.dumps(plan)]

    def close(self):
        pass


class PlainSession:
    """One build or run without a sandbox, in a temporary folder."""

    sandboxed = False

    def __init__(self, environment=None):
        self.work = tempfile.mkdtemp(prefix="kelto-grade-")
        self.python = sys.executable
        self.environment = dict(environment or {})

    def input(self, host, inside):
        if inside.startswith("/"):
            return str(host)
        shutil.copyfile(host, Path(self.work, inside))
        return str(Path(self.work, inside))

    def command(self, plan):
        plan = dict(plan, cwd=self.work, sandboxed=False)
        settings = [f"{name}={value}" for name, value in self.environment.items()]
        return ["/usr/bin/env", *settings, self.python, "-I", "-B", str(SUPERVISOR),
                json.dumps(plan)]

    def close(self):
        shutil.rmtree(self.work, ignore_errors=True)


class Containment:
    """Makes the sessions of one grading: sandboxed or not."""

    def __init__(self, sandboxed, read_only=(), environment=None):
        self.sandboxed = sandboxed
        self.read_only = list(read_only)
        # Set for the command, beyond PATH, HOME, TMPDIR and LC_ALL.
        self.environment = dict(environment or {})

    def session(self, limits):
        if not self.sandboxed:
            return PlainSession(self.environment)
        # The private /tmp may hold as much as the work folder.
        return SandboxSession(self.read_only, limits.output_bytes, limits.output_bytes,
                              self.environment)


def bubblewrap_problem():
    """None where bubblewrap makes sandboxes here; else what stops it."""
    if not shutil.which("bwrap"):
        return "bubblewrap (bwrap) is not installed"
    session = SandboxSession([], 1024 * 1024, 1024 * 1024)
    probe = session.arguments + ["--", "/bin/true"]
    try:
        tried = subprocess.run(probe, capture_output=True, text=True, timeout=60, check=False)
    except (OSError, subprocess.TimeoutExpired) as error:
        return f"bubblewrap cannot make a sandbox here: {error}"
    if tried.returncode != 0:
        message = tried.stderr.strip().splitlines()
        return "bubblewrap cannot make a sandbox here" + (f" ({message[-1]})" if message else "")
    return None


def bubblewrap_version():
    try:
        shown = subprocess.run(["bwrap", "--version"], capture_output=True, text=True,
                               timeout=30, check=False)
    except (OSError, subprocess.TimeoutExpired):
        return "bubblewrap"
    return shown.stdout.strip() or "bubblewrap"
