#!/usr/bin/env python3
"""Checks the HTML documentation a build made, against the public header:

- the reader of the header finds every call declared in it;
- the reference has an entry for every call and type, and a picture for
  every drawing call (all but KELTO_undo, which draws nothing) that is there
  and shows more than the axes every picture starts with;
- the cheatsheet names every call and every colour, and with --chromium,
  prints on one A4 page;
- every page of the contents is there, and every link between the pages
  leads to a file and an anchor that exist.

Usage: check_pages.py HEADER HTML_DIR [--chromium PROGRAM]
"""
import argparse
import pathlib
import re
import subprocess
import sys
import tempfile

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "docs" / "tools"))
import kelto_header  # noqa: E402
import png_pixels  # noqa: E402

PAGES = ["index.html", "reference.html", "cheatsheet.html", "tutorial.html", "grading.html"]
DRAWS_NOTHING = {"KELTO_undo"}


def check_reader(header_path, header, problems):
    """The reader of the header found every call that a plain search finds."""
    declared = set(re.findall(r"^\s*int\s+(KELTO_\w+)\s*\(",
                              header_path.read_text(encoding="utf-8"), re.M))
    read = {entry.name for entry in header.functions()}
    for name in sorted(declared - read):
        problems.append(f"the reference's reader of the header missed {name}")


def check_reference(header, html, problems):
    page = (html / "reference.html").read_text(encoding="utf-8")
    start = png_pixels.read(html / "pictures" / "start.png").rgb
    for entry in header.functions() + [e for s in header.sections for e in s.entries
                                       if e.kind == "type"]:
        if f'id="{entry.name}"' not in page:
            problems.append(f"reference.html has no entry for {entry.name}")
    for call in header.section("Drawing").functions():
        if call.name in DRAWS_NOTHING:
            continue
        entry = re.search(rf'id="{call.name}".*?</article>', page, re.S)
        picture = f"pictures/{call.name}.png"
        if not entry or f'src="{picture}"' not in entry.group(0):
            problems.append(f"reference.html shows no picture for {call.name}")
        elif png_pixels.read(html / picture).rgb == start:
            problems.append(f"{picture} shows nothing but the axes")


def check_cheatsheet(header, html, chromium, problems):
    page = (html / "cheatsheet.html").read_text(encoding="utf-8")
    names = [entry.name for entry in header.functions()]
    names += [constant.name for constant in header.section("Colours").constants()]
    for name in names:
        if not re.search(rf"\b{name}\b", page):
            problems.append(f"cheatsheet.html does not name {name}")
    if chromium:
        with tempfile.TemporaryDirectory() as scratch:
            pdf = pathlib.Path(scratch) / "cheatsheet.pdf"
            subprocess.run([chromium, "--headless", "--no-sandbox", "--disable-gpu",
                            f"--user-data-dir={scratch}/profile", "--no-pdf-header-footer",
                            f"--print-to-pdf={pdf}", (html / "cheatsheet.html").as_uri()],
                           check=True, capture_output=True, timeout=120)
            pages = len(re.findall(rb"/Type\s*/Page\b", pdf.read_bytes()))
            if pages != 1:
                problems.append(f"cheatsheet.html prints on {pages} pages, not one")


def check_links(html, problems):
    anchors = {}
    for name in PAGES:
        if not (html / name).exists():
            problems.append(f"{name} is missing")
            continue
        anchors[name] = set(re.findall(r'id="([^"]+)"', (html / name).read_text(encoding="utf-8")))
    for name in anchors:
        text = (html / name).read_text(encoding="utf-8")
        for link in re.findall(r'(?:href|src)="([^"]+)"', text):
            if re.match(r"[a-z]+:", link):
                continue
            target, _, anchor = link.partition("#")
            target = target or name
            if not (html / target).exists():
                problems.append(f"{name} links to {target}, which is missing")
            elif anchor and anchor not in anchors.get(target, set()):
                problems.append(f"{name} links to {target}#{anchor}, which is missing")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("header", type=pathlib.Path)
    parser.add_argument("html", type=pathlib.Path)
    parser.add_argument("--chromium")
    args = parser.parse_args()

    header = kelto_header.read(args.header)
    problems = []
    check_reader(args.header, header, problems)
    check_links(args.html, problems)
    if not problems:
        check_reference(header, args.html, problems)
        check_cheatsheet(header, args.html, args.chromium, problems)
    for problem in problems:
        print(problem)
    if problems:
        sys.exit(1)
    print("the reference, the cheatsheet and the guides are complete")


if __name__ == "__main__":
    main()
