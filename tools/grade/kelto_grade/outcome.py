"""How a build or a run ended, in words a teacher reads."""

import signal

from .limits import size_in_words

SIGNAL_WORDS = {
    signal.SIGSEGV: "segmentation fault",
    signal.SIGABRT: "aborted",
    signal.SIGFPE: "arithmetic error (such as a division by zero)",
    signal.SIGBUS: "bus error",
    signal.SIGILL: "illegal instruction",
    signal.SIGTRAP: "trap",
    signal.SIGKILL: "killed",
    signal.SIGTERM: "terminated",
    signal.SIGPIPE: "broken pipe",
}

# The runner's exit status when the program went on waiting after its
# quit, and the line it says that with.
RUNNER_STOPPED = 3
RUNNER_STOPPED_LINE = "it was stopped"


def signal_words(number):
    if number in SIGNAL_WORDS:
        return SIGNAL_WORDS[number]
    try:
        return signal.strsignal(number).lower()
    except (ValueError, AttributeError):
        return f"signal {number}"


def limit_words(ended, limits, memory_by_group):
    """The limit that ended it, in words, or None.

    `memory_by_group`: whether a control group holds the memory limit, so
    that a kill nobody else sent was the kernel's for memory."""
    if ended.timed_out:
        return f"stopped after {limits.wall_seconds} s"
    memory = ended.facts.get("memory_exceeded")
    if memory or (memory is None and memory_by_group and ended.signal == signal.SIGKILL):
        return f"over the memory limit ({size_in_words(limits.memory_bytes)})"
    if ended.signal == signal.SIGXCPU or (
            ended.signal == signal.SIGKILL and ended.cpu_seconds >= limits.cpu_seconds):
        return f"over the CPU time limit ({limits.cpu_seconds} s)"
    if ended.signal == signal.SIGXFSZ:
        return f"over the file-size limit ({size_in_words(limits.file_size_bytes)})"
    if ended.work_full or ended.collect_over:
        return f"over the output limit ({size_in_words(limits.output_bytes)})"
    if ended.facts.get("processes_exceeded") and (ended.signal or ended.exit):
        return f"over the process limit ({limits.processes})"
    return None


def run_words(ended, limits, memory_by_group, run_log=b""):
    """"finished", "exit status 3", "crashed: segmentation fault", "stopped
    after 10 s", "over the memory limit (512 MB)", ..."""
    limit = limit_words(ended, limits, memory_by_group)
    if limit:
        return limit
    if ended.problem:
        return f"not run: {ended.problem}"
    if ended.signal is not None:
        return f"crashed: {signal_words(ended.signal)}"
    if ended.exit == 0:
        return "finished"
    if ended.exit == RUNNER_STOPPED and RUNNER_STOPPED_LINE.encode() in run_log:
        return f"exit status {RUNNER_STOPPED} (it kept waiting after it was told to quit)"
    return f"exit status {ended.exit}"


def build_words(ended, limits, memory_by_group):
    """"built", "does not build", or the limit that stopped the build."""
    limit = limit_words(ended, limits, memory_by_group)
    if limit:
        return f"build {limit}"
    if ended.problem:
        return f"not built: {ended.problem}"
    if ended.exit == 0 and "program" in ended.files:
        return "built"
    return "does not build"
