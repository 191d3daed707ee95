"""Decodes the PNG files the replay runner writes (8-bit RGB or RGBA, not
interlaced) into their pixels, so that pictures can be compared by what they
show rather than by their bytes, which depend on the zlib that wrote them."""
import hashlib
import struct
import zlib

SIGNATURE = b"\x89PNG\r\n\x1a\n"


class Picture:
    def __init__(self, width, height, rgb):
        self.width = width
        self.height = height
        self.rgb = rgb  # 3 bytes a pixel, rows top to bottom

    def pixel(self, x, y):
        """The pixel at column x, row y as 0xRRGGBB."""
        offset = 3 * (y * self.width + x)
        red, green, blue = self.rgb[offset:offset + 3]
        return red << 16 | green << 8 | blue

    def checksum(self):
        """SHA-256 of the size and the pixels."""
        return hashlib.sha256(struct.pack(">II", self.width, self.height) + self.rgb).hexdigest()


def paeth(left, up, up_left):
    estimate = left + up - up_left
    distances = (abs(estimate - left), abs(estimate - up), abs(estimate - up_left))
    return (left, up, up_left)[distances.index(min(distances))]


def add_bytes(row, previous):
    """Each byte of row plus the byte above it, modulo 256, computed on whole
    rows at once: the even and the odd bytes are added apart, so that no
    carry reaches a neighbour."""
    length = len(row)
    even = int.from_bytes(b"\x00\xff" * (length // 2 + 1), "big") & ((1 << 8 * length) - 1)
    odd = even << 8
    a, b = int.from_bytes(row, "big"), int.from_bytes(previous, "big")
    total = (((a & even) + (b & even)) & even) | (((a & odd) + (b & odd)) & odd)
    return bytearray((total & ((1 << 8 * length) - 1)).to_bytes(length, "big"))


def unfilter(data, width, height, channels):
    stride = width * channels
    rows, previous, at = [], bytearray(stride), 0
    for _ in range(height):
        kind, row = data[at], bytearray(data[at + 1:at + 1 + stride])
        at += 1 + stride
        if kind == 2:
            row = add_bytes(row, previous)
        elif kind != 0:
            for i in range(stride):
                left = row[i - channels] if i >= channels else 0
                up = previous[i]
                up_left = previous[i - channels] if i >= channels else 0
                if kind == 1:
                    row[i] = (row[i] + left) & 0xFF
                elif kind == 3:
                    row[i] = (row[i] + (left + up) // 2) & 0xFF
                elif kind == 4:
                    row[i] = (row[i] + paeth(left, up, up_left)) & 0xFF
                else:
                    raise ValueError(f"unknown PNG row filter {kind}")
        rows.append(row)
        previous = row
    return rows


def read(path):
    with open(path, "rb") as file:
        data = file.read()
    if not data.startswith(SIGNATURE):
        raise ValueError(f"{path} is not a PNG file")
    at, header, compressed = len(SIGNATURE), None, b""
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        at += 12 + length
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            compressed += body
        elif kind == b"IEND":
            break
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        raise ValueError(f"{path}: only 8-bit RGB or RGBA PNG files without interlacing are read")
    channels = 3 if colour == 2 else 4
    rows = unfilter(zlib.decompress(compressed), width, height, channels)
    rgb = bytearray()
    for row in rows:
        rgb += row if channels == 3 else bytes(b for i, b in enumerate(row) if i % 4 != 3)
    return Picture(width, height, bytes(rgb))
