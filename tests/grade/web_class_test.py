"""scripts/web-class.sh puts a class on a web site, each program built in a
sandbox of its own: a page for each program that builds, the compiler's
messages for one that does not (with nothing of the teacher's files in
them), an index, and nothing else in the site folder."""

import os
import shutil
import subprocess
import unittest
from pathlib import Path

from grading_fixture import SECRET, SOURCE, Teacher


class WebClass(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.teacher = Teacher()
        home = cls.teacher.home
        programs = home / "programs"
        programs.mkdir()
        shutil.copy(SOURCE / "examples" / "click_to_draw.cpp", programs / "ada.cpp")
        (programs / "bob.cpp").write_text("int broken(\n")
        (programs / "eve.cpp").write_text(f'#include "{home}/secret.txt"\n')
        (programs / "mallory.cpp").write_text('#include "/etc/passwd"\n')
        cls.site = home / "site"
        cls.made = subprocess.run(
            [str(SOURCE / "scripts" / "web-class.sh"), str(programs), str(cls.site)],
            env=dict(os.environ, HOME=str(home)), capture_output=True, text=True, check=False)

    @classmethod
    def tearDownClass(cls):
        cls.teacher.close()

    def test_a_page_for_what_builds_and_messages_for_what_does_not(self):
        self.assertEqual(self.made.returncode, 0, self.made.stderr)
        self.assertIn("1 of 4 programs are on", self.made.stdout)
        self.assertEqual(sorted(path.name for path in self.site.iterdir()),
                         ["ada.html", "ada.js", "ada.wasm", "bob.log", "eve.log", "index.html",
                          "kelto_web.css", "kelto_web.js", "mallory.log"])
        index = (self.site / "index.html").read_text()
        self.assertIn('<a href="ada.html">ada</a>', index)
        self.assertIn('bob (did not build: <a href="bob.log">messages</a>)', index)
        self.assertIn("error", (self.site / "bob.log").read_text())

    def test_a_build_sees_none_of_the_teachers_files(self):
        self.assertIn("secret.txt", (self.site / "eve.log").read_text())
        self.assertNotIn(SECRET, (self.site / "eve.log").read_text())
        messages = (self.site / "mallory.log").read_text()
        self.assertIn("/etc/passwd", messages)
        for line in Path("/etc/passwd").read_text().splitlines():
            if line.strip():
                self.assertNotIn(line.strip(), messages)


if __name__ == "__main__":
    unittest.main()
