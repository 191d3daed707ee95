"""A student's picture and console set against the reference's."""

import difflib

from . import png

# In the diff image, pixels that agree are the reference's, faded towards
# white so that the differing ones (in red) stand out.
_FADE = bytes(191 + value // 4 for value in range(256))
_DIFFERS = b"\xff\x00\x00"


def _row(picture, y, width):
    """Row y as RGB bytes `width` pixels wide; pixels outside the picture
    are None."""
    if y >= picture.height:
        return None
    stride = picture.width * 3
    row = picture.rgb[y * stride:(y + 1) * stride]
    return row if picture.width == width else row[:width * 3]


def compare_pictures(reference, student):
    """The number of pixels that differ (pixels that only one picture has
    count too) and the diff image, as big as the larger of the two."""
    width = max(reference.width, student.width)
    height = max(reference.height, student.height)
    rows, differing = [], 0
    for y in range(height):
        ours, theirs = _row(reference, y, width), _row(student, y, width)
        if ours is not None and ours == theirs and len(ours) == width * 3:
            rows.append(ours.translate(_FADE))
            continue
        row = bytearray()
        for x in range(0, width * 3, 3):
            mine = ours[x:x + 3] if ours is not None and x < len(ours) else None
            other = theirs[x:x + 3] if theirs is not None and x < len(theirs) else None
            if mine is not None and mine == other:
                row += mine.translate(_FADE)
            else:
                row += _DIFFERS
                differing += 1
        rows.append(bytes(row))
    return differing, png.Picture(width, height, b"".join(rows))


def console_diff(reference, student, student_name):
    """A unified diff of two consoles (bytes), as text; empty if they agree."""
    ours = reference.decode("utf-8", errors="replace").splitlines(keepends=True)
    theirs = student.decode("utf-8", errors="replace").splitlines(keepends=True)
    lines = difflib.unified_diff(ours, theirs, "reference/console.txt",
                                 f"{student_name}/console.txt")
    return "".join(line if line.endswith("\n") else line + "\n\\ No newline at end of file\n"
                   for line in lines)


def differing_lines(diff):
    """How many lines differ by a unified diff: the more of the lines taken
    out of the reference's console and put into the student's."""
    lines = diff.splitlines()
    added = sum(1 for line in lines if line.startswith("+") and not line.startswith("+++"))
    removed = sum(1 for line in lines if line.startswith("-") and not line.startswith("---"))
    return max(added, removed)
