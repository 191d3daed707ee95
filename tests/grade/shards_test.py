"""A class graded in one run and in three shards merged afterwards gives the
same records, timings aside; a merge refuses parts that do not make one
class; and the merged report.html shows, in headless Chromium, a row and
the pictures of every student."""

import json
import os
import shutil
import subprocess
import unittest
from pathlib import Path

from grading_fixture import SOURCE, Teacher

CLASS = ("correct", "small_difference", "no_build", "crashes", "forks_a_sleeper")
PAGE_CHECK = Path(__file__).resolve().with_name("report_page.cjs")
PLAYWRIGHT = SOURCE / "tests" / "web" / "node_modules" / "playwright-core"
CHROMIUM = os.environ.get("CHROMIUM") or shutil.which("chromium")


def timings_aside(records):
    return {name: {key: value for key, value in record.items() if key != "measured"}
            for name, record in records.items()}


class Shards(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.teacher = Teacher()
        students = cls.teacher.make_class(CLASS)
        cls.whole = cls.teacher.grade(students, "--jobs", "2", out="whole")
        cls.shards = [cls.teacher.grade(students, "--jobs", "2", "--shard", f"{part}/3",
                                        out=f"shard-{part}") for part in (1, 2, 3)]
        cls.merged = cls.merge(*(f"shard-{part}" for part in (1, 2, 3)), out="merged")

    @classmethod
    def tearDownClass(cls):
        cls.teacher.close()

    @classmethod
    def merge(cls, *folders, out):
        home = cls.teacher.home
        return subprocess.run([str(cls.teacher.kelto_grade), "merge",
                               *(str(home / folder / "results.json") for folder in folders),
                               "--out", str(home / out)], capture_output=True, text=True,
                              check=False)

    def test_the_shards_split_the_class_evenly_by_name(self):
        parts = [sorted(self.teacher.records(f"shard-{part}")) for part in (1, 2, 3)]
        self.assertEqual(parts, [["correct", "no_build"], ["crashes", "small_difference"],
                                 ["forks_a_sleeper"]])
        # Status 1 where some program does not match; the third shard's does.
        self.assertEqual([graded.returncode for graded in (self.whole, *self.shards)],
                         [1, 1, 1, 0])

    def test_merged_shards_equal_one_run_record_for_record(self):
        self.assertEqual(self.merged.returncode, 1, self.merged.stderr)
        self.assertEqual(timings_aside(self.teacher.records("merged")),
                         timings_aside(self.teacher.records("whole")))
        for name in ("correct", "small_difference"):
            merged = self.teacher.home / "merged" / "students" / name
            whole = self.teacher.home / "whole" / "students" / name
            self.assertEqual((merged / "picture.png").read_bytes(),
                             (whole / "picture.png").read_bytes())

    def test_a_merge_refuses_parts_that_are_not_one_class(self):
        missing = self.merge("shard-1", "shard-3", out="refused-1")
        self.assertEqual(missing.returncode, 2)
        self.assertIn("is a shard missing?", missing.stderr)
        twice = self.merge("shard-1", "shard-1", "shard-2", "shard-3", out="refused-2")
        self.assertEqual(twice.returncode, 2)
        self.assertIn("more than one", twice.stderr)
        # A shard graded against other reference outputs.
        other = self.teacher.home / "other"
        shutil.copytree(self.teacher.home / "shard-2", other)
        records = json.loads((other / "results.json").read_text())
        for record in records:
            record["reference"]["console"] = "0" * 64
        (other / "results.json").write_text(json.dumps(records))
        mixed = self.merge("shard-1", "other", "shard-3", out="refused-3")
        self.assertEqual(mixed.returncode, 2)
        self.assertIn("other reference outputs", mixed.stderr)
        for out in ("refused-1", "refused-2", "refused-3"):
            self.assertFalse((self.teacher.home / out / "results.json").exists())

    def test_without_the_sandbox_the_records_are_the_same(self):
        students = self.teacher.make_class(("correct", "crashes"), folder="unsandboxed-class")
        plain = self.teacher.grade(students, "--no-sandbox", out="unsandboxed")
        self.assertEqual(plain.returncode, 1, plain.stderr)
        self.assertIn("no sandbox", plain.stderr)
        whole = timings_aside(self.teacher.records("whole"))
        for name, record in timings_aside(self.teacher.records("unsandboxed")).items():
            self.assertEqual({key: record[key] for key in ("build", "run", "picture", "console")},
                             {key: whole[name][key] for key in ("build", "run", "picture",
                                                                "console")}, name)

    def test_a_reference_that_does_not_build_grades_nobody(self):
        refused = self.teacher.grade(self.teacher.home / "class", out="refused-reference",
                                     reference="no_build")
        self.assertEqual(refused.returncode, 2)
        self.assertIn("the reference program does not build", refused.stderr)
        self.assertFalse((self.teacher.home / "refused-reference" / "results.json").exists())

    @unittest.skipUnless(CHROMIUM and shutil.which("node") and PLAYWRIGHT.is_dir(),
                         "needs Chromium, Node.js and tests/web's playwright-core")
    def test_the_report_shows_a_row_and_the_pictures_of_each_student(self):
        page = self.teacher.home / "merged" / "report.html"
        shown = subprocess.run(["node", str(PAGE_CHECK), str(page)], capture_output=True,
                               text=True, check=False,
                               env=dict(os.environ, CHROMIUM=CHROMIUM))
        self.assertEqual(shown.returncode, 0, shown.stderr)
        report = json.loads(shown.stdout)
        self.assertEqual(report["rows"], sorted(CLASS))
        pictures = report["pictures"]
        self.assertEqual(pictures["correct"], {"loaded": 2, "broken": 0})
        self.assertEqual(pictures["small_difference"], {"loaded": 3, "broken": 0})
        self.assertEqual(pictures["crashes"], {"loaded": 3, "broken": 0})
        self.assertEqual(pictures["no_build"], {"loaded": 0, "broken": 0})


if __name__ == "__main__":
    unittest.main()
