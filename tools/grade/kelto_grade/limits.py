"""The limits of one build or run: their defaults, and sizes in words."""

import re
from dataclasses import dataclass

MB = 1024 * 1024


@dataclass(frozen=True)
class Limits:
    wall_seconds: int
    cpu_seconds: int
    memory_bytes: int
    processes: int
    file_size_bytes: int
    output_bytes: int


# A student's run: a beginner's program against a script takes a second or two.
RUN_DEFAULTS = Limits(wall_seconds=10, cpu_seconds=10, memory_bytes=512 * MB, processes=32,
                      file_size_bytes=32 * MB, output_bytes=64 * MB)

# A student's build: the compiler and the linker, with the program as output.
BUILD_LIMITS = Limits(wall_seconds=120, cpu_seconds=120, memory_bytes=2048 * MB, processes=64,
                      file_size_bytes=512 * MB, output_bytes=1024 * MB)

_SIZE = re.compile(r"^\s*(\d+)\s*([kmg]?)i?b?\s*$", re.IGNORECASE)


def parse_size(text):
    """Bytes from "512M", "64 MB", "1g" or a plain number of bytes (the
    units are binary: M is 1024 x 1024); None if the text is no size."""
    match = _SIZE.match(text)
    if not match:
        return None
    number, unit = int(match.group(1)), match.group(2).lower()
    return number * {"": 1, "k": 1024, "m": MB, "g": 1024 * MB}[unit]


def size_in_words(size):
    """"512 MB", "1.5 GB", "300 KB" or "12 bytes"."""
    for unit, name in ((1024 * MB, "GB"), (MB, "MB"), (1024, "KB")):
        if size >= unit:
            amount = size / unit
            return f"{amount:.0f} {name}" if amount == int(amount) else f"{amount:.1f} {name}"
    return f"{size} bytes"

