"""What the grading tests share: a teacher's home with KELTO installed in
it, a class made from tests/grade/class, and kelto-grade run as a teacher
runs it (the installed command, with HOME pointing at that home).

The build and source folders come from the environment CTest gives:
KELTO_BUILD_DIR and KELTO_SOURCE_DIR.
"""

import hashlib
import json
import os
import shutil
import subprocess
import tempfile
from pathlib import Path

SOURCE = Path(os.environ.get("KELTO_SOURCE_DIR", Path(__file__).resolve().parents[2]))
BUILD = Path(os.environ.get("KELTO_BUILD_DIR", SOURCE / "build" / "release"))
CLASS = SOURCE / "tests" / "grade" / "class"
SCRIPT = CLASS / "dots.scr"
SECRET = "kelto-grade-test-secret-7f3a"
SLEEPER = "kelto-grade-test-sleeper"

# Programs that are the reference with a change or two, made by the test.
VARIANTS = {
    # Dots one pixel too large.
    "small_difference": [("KELTO_circle(RED, x, y, 10)", "KELTO_circle(RED, x, y, 11)")],
    # The reference, with a child left behind that sleeps on.
    "forks_a_sleeper": [
        ("#include <kelto.h>\n", "#include <kelto.h>\n#include <unistd.h>\n"),
        ("    KELTO_open(instance", "    if (fork() == 0) {\n        setsid();\n"
         f'        execl("/bin/sleep", "{SLEEPER}", "120", static_cast<char *>(nullptr));\n'
         "        _exit(1);\n    }\n    KELTO_open(instance"),
    ],
}


class Teacher:
    """A teacher's home in a temporary folder, with KELTO installed under it
    and a secret in it; removed by close()."""

    def __init__(self):
        self.root = Path(tempfile.mkdtemp(prefix="kelto-grade-test-"))
        self.home = self.root / "home"
        self.prefix = self.home / "kelto"
        self.home.mkdir()
        (self.home / "secret.txt").write_text(SECRET + "\n")
        (self.home / ".bashrc").write_text("# the teacher's own\n")
        subprocess.run(["cmake", "--install", str(BUILD), "--prefix", str(self.prefix)],
                       check=True, capture_output=True)
        self.kelto_grade = self.prefix / "bin" / "kelto-grade"

    def make_class(self, names, folder="class"):
        """A class folder in the home with the named programs of CLASS and
        VARIANTS."""
        students = self.home / folder
        students.mkdir()
        for name in names:
            if name in VARIANTS:
                program = (CLASS / "reference.cpp").read_text()
                for old, new in VARIANTS[name]:
                    program = program.replace(old, new)
                (students / f"{name}.cpp").write_text(program)
            else:
                shutil.copy(CLASS / f"{name}.cpp", students / f"{name}.cpp")
        return students

    def grade(self, students, *arguments, out="grading", reference="reference"):
        """Runs kelto-grade on a class against a program of CLASS as the
        reference, and the script."""
        environment = dict(os.environ, HOME=str(self.home),
                           PKG_CONFIG_PATH=str(self.prefix / "lib" / "pkgconfig"))
        return subprocess.run([str(self.kelto_grade), str(CLASS / f"{reference}.cpp"),
                               str(students), str(SCRIPT), "--out", str(self.home / out),
                               *arguments], env=environment, capture_output=True, text=True,
                              check=False)

    def records(self, out="grading"):
        return {record["name"]: record
                for record in json.loads((self.home / out / "results.json").read_text())}

    @staticmethod
    def snapshot(folder, leave_out=()):
        """Every entry under a folder with a digest of its bytes, but for
        those under the top-level folders `leave_out`."""
        folder = Path(folder)
        return {str(path.relative_to(folder)):
                hashlib.sha256(path.read_bytes()).hexdigest() if path.is_file() else "folder"
                for path in sorted(folder.rglob("*"))
                if path.relative_to(folder).parts[0] not in leave_out}

    def close(self):
        shutil.rmtree(self.root, ignore_errors=True)


def processes_named(marker):
    """The pids whose command line holds `marker`."""
    found = []
    for entry in Path("/proc").iterdir():
        if entry.name.isdigit():
            try:
                if marker.encode() in (entry / "cmdline").read_bytes():
                    found.append(int(entry.name))
            except OSError:
                pass
    return found
