"""The replay runner's options a teacher passes on after "--": checked, so
that the grader's own (the script, the picture and the console) stay its own
and frames stay inside each program's output folder."""

from pathlib import PurePosixPath

GRADER_SETS = ("--script", "--png", "--console")
TAKES_VALUE = ("--script", "--png", "--console", "--frames", "--line", "--ticks", "--time",
               "--client")


def check(options):
    """(the frames folder or None, None) if the options may be passed on;
    (None, one line saying why not) otherwise."""
    frames = None
    index = 0
    while index < len(options):
        argument = options[index]
        name, has_value, value = argument.partition("=")
        if name in TAKES_VALUE and not has_value:
            value = options[index + 1] if index + 1 < len(options) else ""
            index += 1
        index += 1
        if name in GRADER_SETS:
            return None, (f"{name} is set by kelto-grade itself; leave it out of the runner "
                          "options")
        if name == "--frames":
            path = PurePosixPath(value)
            if not value or path.is_absolute() or ".." in path.parts or len(path.parts) != 1:
                return None, ("--frames takes the name of a folder, which is made inside each "
                              "program's output folder")
            frames = value
    return frames, None
