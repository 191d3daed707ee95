"""A class with one program of every kind a teacher meets, two of them
hostile, graded with the sandbox on: every hostile action is contained,
every other grade is what it would be alone, and each outcome is in words.

The hostile program runs first and last in name order (aaa_hostile,
zzz_hostile), so the others are graded both after and beside it.
"""

import hashlib
import os
import re
import socket
import subprocess
import unittest
import xml.etree.ElementTree as ElementTree
from pathlib import Path

from grading_fixture import CLASS, SECRET, SLEEPER, Teacher, processes_named

ORDINARY = ("correct", "small_difference", "no_build", "never_waits", "crashes", "memory_hog",
            "forks_a_sleeper", "prints_100_mb")
HOSTILE = ("aaa_hostile", "zzz_hostile")
INCLUDERS = ("includes_a_secret", "includes_passwd")


class HostileClass(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.teacher = Teacher()
        cls.students = cls.teacher.make_class(ORDINARY)
        cls.outside = cls.teacher.root / "outside"
        cls.outside.mkdir()
        (cls.outside / "victim.txt").write_text("still here\n")
        cls.listener = socket.socket()
        cls.listener.bind(("127.0.0.1", 0))
        cls.listener.listen(8)
        cls.listener.setblocking(False)
        out = cls.teacher.home / "grading"
        hostile = (CLASS.parent / "hostile.cpp.in").read_text()
        for placeholder, value in (("@HOME@", cls.teacher.home), ("@OUT@", out),
                                   ("@OUTSIDE@", cls.outside), ("@STUDENTS@", cls.students),
                                   ("@PORT@", cls.listener.getsockname()[1])):
            hostile = hostile.replace(placeholder, str(value))
        for name in HOSTILE:
            (cls.students / f"{name}.cpp").write_text(hostile)
        # The compiler's messages quote what a program includes.
        (cls.students / "includes_a_secret.cpp").write_text(
            f'#include "{cls.teacher.home}/secret.txt"\n')
        (cls.students / "includes_passwd.cpp").write_text('#include "/etc/passwd"\n')
        cls.home_before = Teacher.snapshot(cls.teacher.home, leave_out=("grading",))
        cls.graded = cls.teacher.grade(cls.students, "--timeout", "3", "--jobs", "2")
        cls.records = cls.teacher.records()
        cls.out = out

    @classmethod
    def tearDownClass(cls):
        cls.listener.close()
        cls.teacher.close()

    def test_grading_ends_with_a_table_and_a_status_of_one(self):
        self.assertEqual(self.graded.returncode, 1, self.graded.stderr)
        self.assertIn("programs match the reference", self.graded.stdout)
        self.assertEqual(sorted(self.records), sorted(ORDINARY + HOSTILE + INCLUDERS))

    def test_each_outcome_is_in_words(self):
        expected = {
            "correct": ("built", "finished", "identical", "identical"),
            "forks_a_sleeper": ("built", "finished", "identical", "identical"),
            "no_build": ("does not build", "not run", "none", "none"),
            "never_waits": ("built", "stopped after 3 s", None, None),
            "crashes": ("built", "crashed: segmentation fault", None, None),
            "memory_hog": ("built", self.memory_hog_run(), None, None),
            "prints_100_mb": ("built", "over the file-size limit (32 MB)", None, None),
        }
        for name, words in expected.items():
            record = self.records[name]
            got = (record["build"], record["run"], record["picture"], record["console"])
            for want, have in zip(words, got):
                if want is not None:
                    self.assertEqual(have, want, f"{name}: {got}")
        self.assertTrue(self.records["correct"]["passed"])
        self.assertTrue(self.records["forks_a_sleeper"]["passed"])
        small = self.records["small_difference"]
        self.assertRegex(small["picture"], r"^\d+ pixels differ$")
        self.assertEqual(small["console"], "identical")
        self.assertTrue((self.out / small["files"]["diff"]).exists())
        self.assertIn("error", (self.out / "students/no_build/build.log").read_text())

    def memory_hog_run(self):
        """What touching 2 GB ends in: the memory limit where a control group
        holds it; where an rlimit stands in, malloc fails and the program
        writes through the null pointer it got."""
        check = subprocess.run([str(self.teacher.kelto_grade), "--check"], capture_output=True,
                               text=True, check=False).stdout
        held = re.search(r"^memory .*holds: a (control group|systemd scope)", check, re.MULTILINE)
        return "over the memory limit (512 MB)" if held else "crashed: segmentation fault"

    def test_a_crashed_program_shows_what_it_drew_before_the_crash(self):
        crashes = self.records["crashes"]
        self.assertIn("picture", crashes["files"])
        self.assertRegex(crashes["picture"], r"^\d+ pixels differ$")

    def test_nothing_outside_the_student_folders_changed(self):
        self.assertEqual((self.outside / "victim.txt").read_text(), "still here\n")
        self.assertEqual(Teacher.snapshot(self.teacher.home, leave_out=("grading",)),
                         self.home_before)

    def test_no_secret_reached_any_output(self):
        passwd = [line.strip() for line in Path("/etc/passwd").read_text().splitlines()
                  if line.strip()]
        for path in self.out.rglob("*"):
            if path.is_file():
                data = path.read_bytes()
                self.assertNotIn(SECRET.encode(), data, path)
                for line in passwd:
                    self.assertNotIn(line.encode(), data, f"{path}: {line}")
        for name in HOSTILE:
            console = (self.out / "students" / name / "console.txt").read_text()
            self.assertIn("/etc/passwd: (cannot read)", console)
        for name in INCLUDERS:
            self.assertEqual(self.records[name]["build"], "does not build")
            self.assertIn("No such file", (self.out / "students" / name / "build.log").read_text())

    def test_no_process_is_left_and_no_connection_was_made(self):
        self.assertEqual(processes_named(SLEEPER), [])
        # Nor any control group of a run.
        for root, folders, _ in os.walk("/sys/fs/cgroup"):
            self.assertEqual([name for name in folders if name.startswith("kelto-grade-")], [],
                             root)
        with self.assertRaises(BlockingIOError):
            self.listener.accept()

    def test_the_reference_outputs_are_intact(self):
        picture = (self.out / "reference" / "picture.png").read_bytes()
        self.assertGreater(len(picture), 0)
        digest = hashlib.sha256(picture).hexdigest()
        for record in self.records.values():
            self.assertEqual(record["reference"]["picture"], digest)
        correct = (self.out / "students" / "correct" / "picture.png").read_bytes()
        self.assertEqual(correct, picture)

    def test_no_binary_or_partial_file_is_left(self):
        for path in self.out.rglob("*"):
            self.assertNotEqual(path.name, "program", path)
            self.assertNotIn(".partial-", path.name)

    def test_junit_has_a_case_per_student(self):
        suite = ElementTree.parse(self.out / "junit.xml").getroot().find("testsuite")
        cases = {case.get("name"): case for case in suite.findall("testcase")}
        self.assertEqual(sorted(cases), sorted(self.records))
        for name, record in self.records.items():
            self.assertEqual(cases[name].find("failure") is None, record["passed"], name)
        failure = cases["no_build"].find("failure")
        self.assertIn("does not build", failure.get("message"))
        self.assertIn("error", failure.text)


if __name__ == "__main__":
    unittest.main()
