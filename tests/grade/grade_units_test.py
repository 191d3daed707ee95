"""kelto-grade's parts that need no build: pictures, comparisons, the class
and its shards, the runner options, outcomes in words, the supervisor's
report, the output folder and sizes."""

import shutil
import signal
import struct
import subprocess
import tempfile
import unittest
import zlib
from pathlib import Path

from kelto_grade import cgroups, classlist, compare, outcome, outputs, png, runner_options, toolchain
from kelto_grade.execution import Ended, _parse
from kelto_grade.limits import RUN_DEFAULTS, parse_size, size_in_words


def picture(width, height, seed=0):
    return png.Picture(width, height, bytes((x * 7 + y * 13 + seed) % 256
                                            for y in range(height) for x in range(width * 3)))


class Folder(unittest.TestCase):
    def setUp(self):
        self.folder = Path(tempfile.mkdtemp(prefix="kelto-grade-unit-"))

    def tearDown(self):
        shutil.rmtree(self.folder, ignore_errors=True)


def filtered_png(source):
    """PNG bytes of an RGB Picture whose row y has PNG filter y % 5, so
    every filter is in one file."""
    stride = source.width * 3
    raw, previous = bytearray(), bytes(stride)
    for y in range(source.height):
        row = source.rgb[y * stride:(y + 1) * stride]
        kind = y % 5
        out = bytearray([kind])
        for i, value in enumerate(row):
            left = row[i - 3] if i >= 3 else 0
            up, up_left = previous[i], previous[i - 3] if i >= 3 else 0
            guess = (0, left, up, (left + up) // 2, png._paeth(left, up, up_left))[kind]
            out.append((value - guess) & 0xFF)
        raw += out
        previous = row
    header = struct.pack(">IIBBBBB", source.width, source.height, 8, 2, 0, 0, 0)
    return png.SIGNATURE + png._chunk(b"IHDR", header) + \
        png._chunk(b"IDAT", zlib.compress(bytes(raw))) + png._chunk(b"IEND", b"")


class Pictures(Folder):
    def test_every_row_filter_is_undone(self):
        source = picture(37, 23)
        data = filtered_png(source)
        self.assertEqual(png.read(data), source)
        if shutil.which("convert"):
            # The test's own filtering, checked by another reader.
            path = self.folder / "filtered.png"
            path.write_bytes(data)
            rgb = subprocess.run(["convert", str(path), "-depth", "8", "rgb:-"],
                                 capture_output=True, check=True).stdout
            self.assertEqual(rgb, source.rgb)

    def test_what_is_written_reads_back(self):
        original = picture(5, 4, seed=3)
        self.assertEqual(png.read(png.write(original)), original)

    def test_damaged_or_hostile_bytes_are_refused(self):
        good = png.write(picture(8, 8))
        huge = bytearray(good)
        huge[16:24] = (100000).to_bytes(4, "big") * 2  # a header claiming 100000 x 100000
        for data in (b"", b"not a picture", good[:40], good[:-20], bytes(huge),
                     good.replace(b"IDAT", b"IDAX")):
            with self.assertRaises(ValueError):
                png.read(data)


class Comparisons(unittest.TestCase):
    def test_identical_pictures_differ_nowhere(self):
        count, _ = compare.compare_pictures(picture(6, 5), picture(6, 5))
        self.assertEqual(count, 0)

    def test_one_changed_pixel_is_counted_and_red(self):
        changed = bytearray(picture(6, 5).rgb)
        changed[(2 * 6 + 3) * 3] ^= 0xFF
        count, diff = compare.compare_pictures(picture(6, 5), png.Picture(6, 5, bytes(changed)))
        self.assertEqual(count, 1)
        self.assertEqual(diff.rgb[(2 * 6 + 3) * 3:(2 * 6 + 3) * 3 + 3], b"\xff\x00\x00")

    def test_pixels_only_one_picture_has_count(self):
        count, diff = compare.compare_pictures(picture(6, 5), picture(4, 5))
        self.assertEqual(count, 2 * 5)
        self.assertEqual((diff.width, diff.height), (6, 5))

    def test_lines_missing_from_a_console_count_as_differing(self):
        diff = compare.console_diff(b"a\nb\nc\n", b"a\n", "ada")
        self.assertEqual(compare.differing_lines(diff), 2)
        self.assertIn("+++ ada/console.txt", diff)
        self.assertEqual(compare.console_diff(b"a\n", b"a\n", "ada"), "")


class TheClass(Folder):
    def test_entries_are_programs_named_after_them(self):
        (self.folder / "bob.cpp").write_text("")
        (self.folder / "ada").mkdir()
        (self.folder / "ada" / "main.cpp").write_text("")
        (self.folder / "ada" / "parts").mkdir()
        (self.folder / "ada" / "parts" / "draw.cpp").write_text("")
        (self.folder / "ada" / "notes.txt").write_text("")
        (self.folder / ".hidden.cpp").write_text("")
        (self.folder / "readme.md").write_text("")
        (self.folder / "linked.cpp").symlink_to("/etc/passwd")
        programs = classlist.read_class(self.folder)
        self.assertEqual([program.name for program in programs], ["ada", "bob"])
        self.assertEqual(programs[0].sources, ("main.cpp", "parts/draw.cpp"))

    def test_two_entries_of_one_name_are_refused(self):
        (self.folder / "ada.cpp").write_text("")
        (self.folder / "ada").mkdir()
        with self.assertRaisesRegex(ValueError, "called ada"):
            classlist.read_class(self.folder)

    def test_shards_deal_the_class_out_once_and_evenly(self):
        everyone = [classlist.Program(f"s{i:02}", Path("."), ()) for i in range(11)]
        parts = [classlist.shard_of(everyone, part, 3) for part in (1, 2, 3)]
        self.assertEqual(sorted(p.name for part in parts for p in part),
                         [p.name for p in everyone])
        self.assertEqual([len(part) for part in parts], [4, 4, 3])
        for text in ("0/3", "4/3", "1/0", "a/b", "1", "1/3/4"):
            self.assertIsNone(classlist.parse_shard(text), text)
        self.assertEqual(classlist.parse_shard("3/3"), (3, 3))


class RunnerOptions(unittest.TestCase):
    def test_the_graders_own_options_are_refused(self):
        for options in (["--script", "x"], ["--png=p.png"], ["--ticks", "2", "--console", "c"]):
            frames, problem = runner_options.check(options)
            self.assertIn("set by kelto-grade", problem, options)

    def test_values_and_frames(self):
        self.assertEqual(runner_options.check(["--line", "--script", "--ticks", "3"]),
                         (None, None))
        self.assertEqual(runner_options.check(["--frames", "frames"]), ("frames", None))
        for bad in ("/tmp/frames", "../frames", "a/b", ""):
            self.assertIsNotNone(runner_options.check(["--frames", bad])[1], bad)


class Words(unittest.TestCase):
    def words(self, by_group=True, **fields):
        return outcome.run_words(Ended(**fields), RUN_DEFAULTS, by_group)

    def test_each_ending_in_words(self):
        self.assertEqual(self.words(exit=0), "finished")
        self.assertEqual(self.words(exit=3), "exit status 3")
        self.assertEqual(outcome.run_words(Ended(exit=3), RUN_DEFAULTS, True,
                                           b"... it was stopped.\n"),
                         "exit status 3 (it kept waiting after it was told to quit)")
        self.assertEqual(self.words(signal=signal.SIGSEGV), "crashed: segmentation fault")
        self.assertEqual(self.words(signal=signal.SIGTERM, timed_out=True), "stopped after 10 s")
        self.assertEqual(self.words(signal=signal.SIGKILL, facts={"memory_exceeded": True}),
                         "over the memory limit (512 MB)")
        self.assertEqual(self.words(signal=signal.SIGKILL, facts={"memory_exceeded": False}),
                         "crashed: killed")
        self.assertEqual(self.words(signal=signal.SIGXCPU), "over the CPU time limit (10 s)")
        self.assertEqual(self.words(signal=signal.SIGXFSZ), "over the file-size limit (32 MB)")
        self.assertEqual(self.words(exit=2, work_full=True), "over the output limit (64 MB)")
        self.assertEqual(self.words(exit=1, facts={"processes_exceeded": True}),
                         "over the process limit (32)")
        self.assertEqual(self.words(exit=0, facts={"processes_exceeded": True}), "finished")

    def test_a_limit_is_named_even_when_the_sandbox_gave_no_report(self):
        self.assertEqual(self.words(problem="no report", facts={"memory_exceeded": True}),
                         "over the memory limit (512 MB)")
        self.assertEqual(self.words(problem="no report", collect_over=True),
                         "over the output limit (64 MB)")
        self.assertEqual(self.words(problem="no report", timed_out=True), "stopped after 10 s")
        self.assertEqual(self.words(problem="no report"), "not run: no report")

    def test_a_kill_under_a_scope_is_the_memory_limit_where_nothing_else_counts(self):
        self.assertEqual(self.words(signal=signal.SIGKILL), "over the memory limit (512 MB)")
        self.assertEqual(self.words(by_group=False, signal=signal.SIGKILL), "crashed: killed")


class SupervisorReport(unittest.TestCase):
    def test_a_report_reads_into_its_files(self):
        report = b'{"exit": 0, "files": [{"name": "run.log", "size": 2}, ' \
                 b'{"name": "frames/frame-00001.png", "size": 1}]}\nhiX'
        ended = _parse(report, {"run.log"}, ["frames"])
        self.assertEqual(ended.exit, 0)
        self.assertEqual(ended.files, {"run.log": b"hi", "frames/frame-00001.png": b"X"})

    def test_what_was_not_asked_for_is_refused(self):
        for report in (b"", b"no json\n", b"[]\n",
                       b'{"files": [{"name": "../x", "size": 0}]}\n',
                       b'{"files": [{"name": "frames/../x", "size": 0}]}\n',
                       b'{"files": [{"name": "run.log", "size": 5}]}\nhi',
                       b'{"files": [{"name": "run.log", "size": -1}]}\n'):
            with self.assertRaises(ValueError, msg=report):
                _parse(report, {"run.log"}, ["frames"])


class OutputFolder(Folder):
    def test_a_folder_of_other_files_is_never_taken(self):
        (self.folder / "thesis.tex").write_text("mine")
        self.assertIn("choose another folder", outputs.prepare(self.folder))
        self.assertEqual((self.folder / "thesis.tex").read_text(), "mine")

    def test_an_earlier_grading_is_cleared(self):
        (self.folder / "students" / "old").mkdir(parents=True)
        (self.folder / "results.json").write_text("[]")
        (self.folder / "notes.txt").write_text("mine")
        self.assertIsNone(outputs.prepare(self.folder))
        self.assertFalse((self.folder / "students").exists())
        self.assertTrue((self.folder / "notes.txt").exists())

    def test_the_class_folder_is_kept_apart(self):
        self.assertIn("outside", outputs.prepare(self.folder / "out", [self.folder]))


class ControlGroups(Folder):
    """Run groups on folders that stand in for the kernel's."""

    def test_a_run_joins_each_group_once_then_becomes_the_command(self):
        run = cgroups.V2Groups(self.folder).open_run(64 << 20, 8)
        folder = run.folders["memory"]
        self.assertEqual((folder / "memory.max").read_text(), str(64 << 20))
        self.assertEqual((folder / "pids.max").read_text(), "8")
        shown = subprocess.run(run.wrap(["/bin/sh", "-c", "echo $$"]), capture_output=True,
                               text=True, check=True).stdout
        self.assertEqual((folder / "cgroup.procs").read_text(), shown)

    def test_what_the_kernel_counted_is_read_back(self):
        run = cgroups.V2Groups(self.folder).open_run(64 << 20, 8)
        folder = run.folders["memory"]
        (folder / "memory.events").write_text("low 0\nhigh 0\nmax 3\noom 1\noom_kill 1\n")
        (folder / "pids.events").write_text("max 0\n")
        self.assertEqual(run.facts(), {"memory_exceeded": True, "processes_exceeded": False})


class Sizes(unittest.TestCase):
    def test_sizes_read_and_said(self):
        self.assertEqual(parse_size("512M"), 512 << 20)
        self.assertEqual(parse_size("2 GB"), 2 << 30)
        self.assertEqual(parse_size("100"), 100)
        self.assertIsNone(parse_size("lots"))
        self.assertEqual(size_in_words(1536 << 20), "1.5 GB")
        self.assertEqual(size_in_words(300), "300 bytes")

    def test_only_folders_outside_usr_are_bound(self):
        flags = ["-I/usr/include/freetype2", f"-I{Path.home()}", "-L/usr/lib", "-lkelto"]
        self.assertEqual(toolchain.folders_named(flags), [Path.home().resolve()])


if __name__ == "__main__":
    unittest.main()
