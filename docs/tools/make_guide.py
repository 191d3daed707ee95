#!/usr/bin/env python3
"""Writes a guide of docs/ (Markdown) as an HTML page into the output folder,
with the pictures it shows beside it; links to other guides point to their
pages."""
import argparse
import html
import pathlib
import re
import shutil
import subprocess

import html_page


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--markdown", required=True, help="the markdown_py program")
    parser.add_argument("--version", required=True)
    parser.add_argument("guide", type=pathlib.Path)
    parser.add_argument("out", type=pathlib.Path)
    args = parser.parse_args()

    body = subprocess.run(
        [args.markdown, "-x", "tables", "-x", "fenced_code", "-o", "html", str(args.guide)],
        check=True, capture_output=True, text=True).stdout
    body = re.sub(r'href="([\w-]+)\.md(#[^"]*)?"', r'href="\1.html\2"', body)
    for picture in re.findall(r'<img [^>]*src="([^":/]+)"', body):
        shutil.copyfile(args.guide.parent / picture, args.out / picture)
    heading = re.search(r"<h1>(.*?)</h1>", body)
    title = html.unescape(re.sub(r"<[^>]+>", "", heading.group(1))) if heading else args.guide.stem
    page = html_page.page(f"KELTO: {title}", body, args.version)
    (args.out / f"{args.guide.stem}.html").write_text(page, encoding="utf-8")


if __name__ == "__main__":
    main()
