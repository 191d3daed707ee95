#!/usr/bin/env python3
"""Checks the reference's pictures by what they show: each must be a whole
picture of the graphics window whose pixels match the checksum stored for it
(not the PNG bytes, which depend on the zlib that wrote them), and the
picture of each _pt form must equal its call's.

  check_pictures.py PICTURES SUMS            check; list what differs
  check_pictures.py --update PICTURES SUMS   write SUMS from the pictures
"""
import argparse
import pathlib
import sys

import png_pixels

# The graphics window's client area in the replay runner.
SIZE = (595, 490)


def read_sums(path):
    sums = {}
    for line in path.read_text(encoding="utf-8").splitlines():
        if line.strip():
            checksum, name = line.split()
            sums[name] = checksum
    return sums


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--update", action="store_true")
    parser.add_argument("pictures", type=pathlib.Path)
    parser.add_argument("sums", type=pathlib.Path)
    args = parser.parse_args()

    pictures = {path.stem: png_pixels.read(path) for path in sorted(args.pictures.glob("*.png"))}
    if args.update:
        args.sums.write_text("".join(f"{picture.checksum()}  {name}\n"
                                     for name, picture in pictures.items()), encoding="utf-8")
        return

    problems = []
    sums = read_sums(args.sums)
    for name in sorted(set(sums) - set(pictures)):
        problems.append(f"{name}: no picture was drawn")
    for name, picture in pictures.items():
        if (picture.width, picture.height) != SIZE:
            problems.append(f"{name}: {picture.width}x{picture.height}, not {SIZE[0]}x{SIZE[1]}")
        elif name not in sums:
            problems.append(f"{name}: no stored checksum")
        elif picture.checksum() != sums[name]:
            problems.append(f"{name}: its pixels differ from the stored checksum")
        base = name.removesuffix("_pt")
        if base != name and base in pictures and pictures[base].rgb != picture.rgb:
            problems.append(f"{name}: differs from the picture of {base}")
    for problem in problems:
        print(problem)
    if problems:
        print(f"Look at the pictures in {args.pictures}; if they are right, store their "
              f"checksums with: {sys.argv[0]} --update {args.pictures} {args.sums}")
        sys.exit(1)
    print(f"{len(pictures)} pictures match their checksums")


if __name__ == "__main__":
    main()
