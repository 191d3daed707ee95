"""Reading and writing PNG pictures with the standard library alone.

Reads the 8-bit pictures the replay runner writes (and any other 8-bit
grey, RGB or RGBA PNG, without interlacing) as rows of RGB bytes; a
picture from a student's run is untrusted, so its size is bounded before
anything is unpacked and every fault is a ValueError. Writes RGB pictures.
"""

import struct
import zlib

SIGNATURE = b"\x89PNG\r\n\x1a\n"
MAX_PIXELS = 4096 * 4096
# Channels per pixel by colour type: grey, RGB, grey + alpha, RGBA.
CHANNELS = {0: 1, 2: 3, 4: 2, 6: 4}


class Picture:
    """A picture as width, height and RGB bytes, row by row."""

    def __init__(self, width, height, rgb):
        self.width = width
        self.height = height
        self.rgb = rgb

    def __eq__(self, other):
        return (self.width, self.height, self.rgb) == (other.width, other.height, other.rgb)


def _chunks(data):
    offset = len(SIGNATURE)
    while offset + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[offset:offset + 8])
        body = data[offset + 8:offset + 8 + length]
        if len(body) != length:
            raise ValueError("the picture is cut short")
        yield kind, body
        offset += 12 + length
        if kind == b"IEND":
            return
    raise ValueError("the picture has no end")


def _paeth(left, up, up_left):
    estimate = left + up - up_left
    to_left, to_up, to_up_left = abs(estimate - left), abs(estimate - up), abs(estimate - up_left)
    if to_left <= to_up and to_left <= to_up_left:
        return left
    return up if to_up <= to_up_left else up_left


def _add_bytes(first, second):
    """The bytewise sum, modulo 256, of two byte strings of one length: as
    two big numbers, every other byte apart, so that no carry reaches a
    byte that counts (the commonest row filter, Up, is just this)."""
    count = len(first)
    low = int.from_bytes((b"\x00\xff" * (count // 2 + 1))[-count:], "big")
    high = low ^ ((1 << (8 * count)) - 1)
    a, b = int.from_bytes(first, "big"), int.from_bytes(second, "big")
    total = (((a & low) + (b & low)) & low) | (((a & high) + (b & high)) & high)
    return total.to_bytes(count, "big")


def _unfilter(kind, line, previous, step):
    """One row's bytes from its filtered form."""
    if kind == 0:
        return line
    if kind == 2:
        return _add_bytes(line, previous)
    row = bytearray(line)
    count = len(row)
    if kind == 1:
        for i in range(step, count):
            row[i] = (row[i] + row[i - step]) & 0xFF
    elif kind == 3:
        for i in range(count):
            left = row[i - step] if i >= step else 0
            row[i] = (row[i] + ((left + previous[i]) >> 1)) & 0xFF
    elif kind == 4:
        for i in range(count):
            left = row[i - step] if i >= step else 0
            up_left = previous[i - step] if i >= step else 0
            row[i] = (row[i] + _paeth(left, previous[i], up_left)) & 0xFF
    else:
        raise ValueError("the picture has an unknown row filter")
    return bytes(row)


def _to_rgb(row, channels):
    if channels == 3:
        return row
    if channels == 4:
        return b"".join(row[i:i + 3] for i in range(0, len(row), 4))
    grey = row[::channels]
    return bytes(value for value in grey for _ in range(3))


def read(data):
    """The Picture in PNG bytes; ValueError if they are not one we read."""
    if not data.startswith(SIGNATURE):
        raise ValueError("this is not a PNG picture")
    header, compressed = None, []
    for kind, body in _chunks(data):
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body) if len(body) == 13 else None
        elif kind == b"IDAT":
            compressed.append(body)
    if header is None:
        raise ValueError("the picture has no header")
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in CHANNELS or interlace != 0:
        raise ValueError("the picture is not an 8-bit picture this program reads")
    if width == 0 or height == 0 or width * height > MAX_PIXELS:
        raise ValueError("the picture's size is out of bounds")
    channels = CHANNELS[colour]
    stride = width * channels
    expected = (stride + 1) * height
    unpacker = zlib.decompressobj()
    try:
        raw = unpacker.decompress(b"".join(compressed), expected)
    except zlib.error as error:
        raise ValueError("the picture's data is damaged") from error
    if len(raw) != expected:
        raise ValueError("the picture's data is cut short")
    rows, previous = [], bytes(stride)
    for y in range(height):
        start = y * (stride + 1)
        previous = _unfilter(raw[start], raw[start + 1:start + 1 + stride], previous, channels)
        rows.append(_to_rgb(previous, channels))
    return Picture(width, height, b"".join(rows))


def _chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + \
        struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)


def write(picture):
    """PNG bytes of an RGB Picture, every row unfiltered."""
    stride = picture.width * 3
    raw = b"".join(b"\x00" + picture.rgb[y * stride:(y + 1) * stride]
                   for y in range(picture.height))
    header = struct.pack(">IIBBBBB", picture.width, picture.height, 8, 2, 0, 0, 0)
    return SIGNATURE + _chunk(b"IHDR", header) + _chunk(b"IDAT", zlib.compress(raw, 6)) + \
        _chunk(b"IEND", b"")
