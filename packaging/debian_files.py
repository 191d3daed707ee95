#!/usr/bin/env python3
"""Writes the Debian package's copyright and changelog.Debian.gz.

copyright is in Debian's machine-readable format and holds every licence in
full: KELTO's, the embedded fonts' and FreeType's. changelog.Debian.gz holds
one entry per released version of CHANGELOG.md (its "## <version> — <date>"
sections, newest first); the package's version must have one.
"""
import argparse
import datetime
import email.utils
import gzip
import pathlib
import re
import sys
import textwrap

FORMAT = "https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"


def licence_paragraph(name, text, comment=None):
    """A stand-alone License paragraph: the text indented, blank lines as '.'."""
    lines = [f"License: {name}"]
    if comment:
        lines += ["Comment: " + "\n ".join(textwrap.wrap(comment, 72))]
    for line in text.rstrip().splitlines():
        lines.append(" " + line.rstrip() if line.strip() else " .")
    return "\n".join(lines)


def copyright_file(ours, fonts, freetype, maintainer):
    header = "\n".join([
        f"Format: {FORMAT}",
        "Upstream-Name: KELTO",
        f"Upstream-Contact: {maintainer}",
    ])
    files = "\n".join([
        "Files: *",
        "Copyright: 2026 The KELTO developers",
        "           2003 Bitstream, Inc. (the embedded DejaVu fonts)",
        "License: Expat and Bitstream-Vera",
        "Comment: The library embeds the DejaVu Sans and DejaVu Sans Mono fonts.",
    ])
    return "\n\n".join([
        header,
        files,
        licence_paragraph("Expat", ours),
        licence_paragraph("Bitstream-Vera", fonts),
        licence_paragraph(
            "FTL", freetype,
            "KELTO draws text with FreeType (libfreetype6), so every program "
            "built with it uses FreeType, whose licence asks for credit in the "
            "program's documentation."),
    ]) + "\n"


def released_sections(changelog):
    """(version, date, body) of each '## <version> — <date>' section, in order."""
    for section in re.split(r"^## ", changelog, flags=re.M)[1:]:
        heading, _, body = section.partition("\n")
        match = re.fullmatch(r"(\d+\.\d+\.\d+) \S+ (\d{4}-\d{2}-\d{2})\s*", heading)
        if match:
            yield match.group(1), match.group(2), body


def items(body):
    """The section's paragraphs and '- ' items as plain text, one string each."""
    found, current = [], []
    for line in body.splitlines() + [""]:
        stripped = line.strip()
        if not stripped or line.startswith("- "):
            if current:
                found.append(" ".join(current))
            current = [stripped[2:]] if line.startswith("- ") else []
        else:
            current.append(stripped)
    return [text.replace("`", "") for text in found if text]


def changelog_entry(version, revision, date, body, maintainer):
    day = datetime.datetime.strptime(date, "%Y-%m-%d").replace(tzinfo=datetime.timezone.utc)
    lines = [f"kelto ({version}-{revision}) unstable; urgency=medium", ""]
    for text in items(body):
        lines += textwrap.wrap(text, 78, initial_indent="  * ", subsequent_indent="    ")
    lines += ["", f" -- {maintainer}  {email.utils.format_datetime(day)}"]
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--out", type=pathlib.Path, required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--revision", required=True, help="the Debian revision of each version")
    parser.add_argument("--maintainer", required=True)
    parser.add_argument("--changelog", type=pathlib.Path, required=True)
    for licence in ("ours", "fonts", "freetype"):
        parser.add_argument(f"--{licence}", type=pathlib.Path, required=True)
    args = parser.parse_args()

    sections = list(released_sections(args.changelog.read_text(encoding="utf-8")))
    if args.version not in [version for version, _, _ in sections]:
        sys.exit(f"{args.changelog} has no section '## {args.version} — <date>': "
                 "write one for the version the package is made of")
    entries = [changelog_entry(version, args.revision, date, body, args.maintainer)
               for version, date, body in sections]

    args.out.mkdir(parents=True, exist_ok=True)
    (args.out / "copyright").write_text(
        copyright_file(args.ours.read_text(encoding="utf-8"),
                       args.fonts.read_text(encoding="utf-8"),
                       args.freetype.read_text(encoding="utf-8"), args.maintainer),
        encoding="utf-8")
    # No name or time in the gzip header, so the same input gives the same bytes.
    text = ("\n\n".join(entries) + "\n").encode("utf-8")
    (args.out / "changelog.Debian.gz").write_bytes(gzip.compress(text, 9, mtime=0))


if __name__ == "__main__":
    main()
