"""Building, running and judging programs: the reference once and first,
the students beside it, several at a time, each in a sandbox of its own."""

import shutil
import threading
from concurrent.futures import ThreadPoolExecutor
from dataclasses import dataclass
from pathlib import Path

from . import outcome, png
from .execution import Job, execute
from .judging import Reference, judge
from .limits import BUILD_LIMITS
from .outputs import BUILD_LOG, CONSOLE, PICTURE, PROGRAM, RUN_LOG, SCRIPT



@dataclass(frozen=True)
class Settings:
    script: Path
    runner_options: tuple
    frames: str | None
    limits: object
    out: Path
    keep: bool
    jobs: int


class ReferenceUnusable(Exception):
    """The reference program cannot serve: it does not build, does not end
    as a program should, or leaves no picture and console."""


@dataclass
class Graded:
    """What building and running one program gave."""

    build: str
    run: str
    ended_build: object
    ended_run: object
    folder: Path


class Grader:
    def __init__(self, settings, toolchain, containment, groups):
        self.settings = settings
        self.toolchain = toolchain
        self.containment = containment
        self.groups = groups

    # ---- One program

    def _memory_by_group(self):
        return self.groups is not None

    def build(self, program, folder):
        session = self.containment.session(BUILD_LIMITS)
        try:
            sources = program.shown_in(session)
            job = Job(command=self.toolchain.command(sources, PROGRAM), log=BUILD_LOG,
                      collect=[PROGRAM, BUILD_LOG])
            ended = execute(session, job, BUILD_LIMITS, self.groups)
        finally:
            session.close()
        log = ended.files.get(BUILD_LOG, b"")
        if not program.sources:
            log = b"no .cpp files were found for this program\n"
        (folder / BUILD_LOG).write_bytes(log)
        words = outcome.build_words(ended, BUILD_LIMITS, self._memory_by_group())
        if not program.sources:
            words = "does not build"
        if words == "built":
            binary = folder / PROGRAM
            binary.write_bytes(ended.files[PROGRAM])
            binary.chmod(0o755)
        return words, ended

    def run(self, folder):
        settings = self.settings
        session = self.containment.session(settings.limits)
        try:
            binary = session.input(folder / PROGRAM, f"/grading/{PROGRAM}")
            # Named as in the work folder, the script's name in the console
            # is the same in every run, sandboxed or not.
            session.input(settings.script, SCRIPT)
            command = [binary, "--script", SCRIPT, "--png", PICTURE, "--console", CONSOLE,
                       *settings.runner_options]
            job = Job(command=command, log=RUN_LOG, collect=[PICTURE, CONSOLE, RUN_LOG],
                      collect_folders=[settings.frames] if settings.frames else [])
            ended = execute(session, job, settings.limits, self.groups)
        finally:
            session.close()
        for name, data in ended.files.items():
            path = folder / name
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_bytes(data)
        words = outcome.run_words(ended, settings.limits, self._memory_by_group(),
                                  ended.files.get(RUN_LOG, b""))
        return words, ended

    def build_and_run(self, program, folder):
        shutil.rmtree(folder, ignore_errors=True)
        folder.mkdir(parents=True)
        build, ended_build = self.build(program, folder)
        if build != "built":
            return Graded(build, "not run", ended_build, None, folder)
        try:
            run, ended_run = self.run(folder)
        finally:
            if not self.settings.keep:
                (folder / PROGRAM).unlink(missing_ok=True)
        return Graded(build, run, ended_build, ended_run, folder)

    # ---- The reference and the class

    def reference(self, program):
        """The reference's outputs, or (None, why it cannot serve)."""
        graded = self.build_and_run(program, self.settings.out / "reference")
        folder = graded.folder
        if graded.build != "built":
            return None, f"the reference program {graded.build}: see {folder / BUILD_LOG}"
        if not (graded.run == "finished" or graded.run.startswith("exit status")):
            return None, f"the reference program's run: {graded.run}; see {folder / RUN_LOG}"
        try:
            picture_bytes = (folder / PICTURE).read_bytes()
            console = (folder / CONSOLE).read_bytes()
            picture = png.read(picture_bytes)
        except (OSError, ValueError) as error:
            return None, f"the reference program left no usable picture and console ({error})"
        return Reference(graded.run, picture, picture_bytes, console), None

    def grade(self, reference_program, programs, told=None):
        """The reference's outputs and every student's record, in the order
        of `programs`; `told` hears of each record as it is done. The
        reference is built and run first; students' programs are built and
        run beside it, but judged only once it is done. Raises
        ReferenceUnusable (and grades nobody) if it cannot serve."""
        settings = self.settings
        refused = threading.Event()

        def reference_outputs():
            reference, problem = self.reference(reference_program)
            if problem:
                refused.set()
            return reference, problem

        def one(program):
            if refused.is_set():
                return None
            graded = self.build_and_run(program, settings.out / "students" / program.name)
            reference, problem = first.result()
            if problem:
                return None
            record = judge(program.name, graded, reference, settings.out)
            if told:
                told(record)
            return record

        with ThreadPoolExecutor(max_workers=max(1, settings.jobs)) as pool:
            first = pool.submit(reference_outputs)
            records = [pool.submit(one, program) for program in programs]
            reference, problem = first.result()
            if problem:
                pool.shutdown(cancel_futures=True)
                raise ReferenceUnusable(problem)
            return reference, [record.result() for record in records]
