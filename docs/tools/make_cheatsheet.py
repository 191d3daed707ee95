#!/usr/bin/env python3
"""Writes cheatsheet.html: every call, constant and colour of the public
header on one page that prints on one A4 sheet."""
import argparse
import pathlib
import re

import html_page
import kelto_header
import palette
from html_page import escape


def first_sentence(text):
    text = " ".join(text.split())
    # A full stop after a word, not one of an ellipsis.
    match = re.match(r"(.+?[^.]\.)(?=\s|$)", text)
    return match.group(1) if match else text


def program_skeleton(overview):
    """The overview's example program."""
    match = re.search(r"^ {4}.*\n(?:^ {4}.*\n|^\n)*", overview, re.M)
    lines = [line[4:] for line in match.group(0).rstrip().split("\n")]
    return "\n".join(lines)


def calls_html(section):
    """The section's calls, types and constants as a list of terms; calls
    that share their text (the _pt forms) share one term."""
    groups = []
    for entry in section.entries:
        if entry.kind == "text":
            continue
        term = entry.declaration if entry.kind != "constant" else f"{entry.name} {entry.value}"
        if entry.kind == "type" and "{" in term:
            term = " ".join(term.split())
        if groups and entry.kind == "function" and groups[-1][0] == entry.kind and \
                groups[-1][2] == entry.text and entry.text:
            groups[-1][1].append(term)
        else:
            groups.append((entry.kind, [term], entry.text))
    items = []
    for _, terms, text in groups:
        items.append("".join(f"<dt>{escape(term)}</dt>" for term in terms))
        if text:
            items.append(f"<dd>{escape(first_sentence(text))}</dd>")
    return f"<dl>{''.join(items)}</dl>"


def section_html(section, colours):
    # A short section stays in one column.
    keep = ' class="keep"' if len(section.entries) < 30 else ""
    parts = [f"<section{keep}><h2>{escape(section.title)}</h2>"]
    if section.text:
        parts.append(f"<p>{escape(' '.join(section.text.split()))}</p>")
    if section.title == "Colours":
        cells = "".join(
            f'<div><span class="swatch" style="background:{colours[c.name]}"></span>'
            f"{escape(c.value)} <code>{c.name}</code></div>" for c in section.constants())
        parts.append(f'<div class="colours">{cells}</div>')
    else:
        parts.append(calls_html(section))
    for entry in section.entries:
        if entry.kind == "text":
            parts.append(f"<p>{escape(' '.join(entry.text.split()))}</p>")
    parts.append("</section>")
    return "\n".join(parts)


def cheatsheet(header, colours):
    body = [f"<h1>KELTO {escape(header.version)} cheatsheet</h1>",
            '<div class="columns">',
            '<section class="keep"><h2>A program</h2>',
            f"<pre><code>{escape(program_skeleton(header.overview))}</code></pre>",
            "<p>(0, 0) is the centre of the graphics window; x grows to the right, "
            "y grows upwards; the window shows about x -297..297, y -245..245.</p></section>"]
    body += [section_html(section, colours) for section in header.sections]
    body.append("</div>")
    return html_page.page("KELTO cheatsheet", "\n".join(body), header.version,
                          extra_class="cheatsheet")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--header", type=pathlib.Path, required=True)
    parser.add_argument("--out", type=pathlib.Path, required=True)
    args = parser.parse_args()
    header = kelto_header.read(args.header)
    colours = palette.colours(header, args.out / "pictures" / "palette.png")
    (args.out / "cheatsheet.html").write_text(cheatsheet(header, colours), encoding="utf-8")


if __name__ == "__main__":
    main()
