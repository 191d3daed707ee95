#!/usr/bin/env python3
"""Writes reference.html, one entry per call, type and constant of the public
header, and index.html, the contents of the documentation.

An entry whose call has picture lines (<lines>/<call>.inc) shows them, what
they made the text window say (<console>/<call>.txt) and, when they changed
it, the picture they drew (<out>/pictures/<call>.png); the picture "start"
is what every picture program draws before its lines.
"""
import argparse
import pathlib

import html_page
import kelto_header
import palette
import png_pixels
from html_page import escape

# The replay runner's last console line: the script of no events has ended.
SCRIPT_END = "EOF encountered in script file"
# At most this many console lines are shown; the rest are counted.
CONSOLE_LINES = 8


def slug(title):
    return "".join(c if c.isalnum() else "-" for c in title.lower()).strip("-")


class Examples:
    """The picture lines, console text and pictures of the calls."""

    def __init__(self, lines, console, pictures):
        self.lines, self.console, self.pictures = lines, console, pictures
        self.start = png_pixels.read(pictures / "start.png").rgb

    def of(self, name):
        lines = self.lines / f"{name}.inc"
        if not lines.exists():
            return None
        said = (self.console / f"{name}.txt").read_text(encoding="utf-8").splitlines()
        if said and said[-1].startswith(SCRIPT_END):
            said.pop()
        picture = self.pictures / f"{name}.png"
        drew = png_pixels.read(picture).rgb != self.start
        return lines.read_text(encoding="utf-8").strip("\n"), said, drew

    def html(self, name):
        example = self.of(name)
        if example is None:
            return ""
        code, said, drew = example
        parts = ['<div class="lines">', "<p>These lines</p>",
                 f"<pre><code>{escape(code)}</code></pre>"]
        if said:
            shown = said[:CONSOLE_LINES]
            if len(said) > CONSOLE_LINES:
                shown.append(f"... and {len(said) - CONSOLE_LINES} more lines")
            parts += ["<p>make the text window say</p>",
                      f'<pre class="console">{escape(chr(10).join(shown))}</pre>']
        parts.append("</div>")
        if drew:
            parts.append(
                f'<figure><img src="pictures/{name}.png" width="595" height="490" '
                f'alt="The picture that {name} draws">'
                "<figcaption>and draw this in the graphics window (the grey axes "
                "and numbers are drawn before them, to show the coordinates)"
                "</figcaption></figure>")
        return f'<div class="example">{"".join(parts)}</div>'


def constants_table(constants, colours):
    rows = []
    for constant in constants:
        swatch = ""
        if constant.name in colours:
            swatch = f'<span class="swatch" style="background:{colours[constant.name]}"></span>'
        rows.append(f'<tr id="{constant.name}"><td>{swatch}<code>{constant.name}</code></td>'
                    f"<td>{escape(constant.value)}</td><td>{escape(constant.text)}</td></tr>")
    return ("<table><tr><th>Name</th><th>Value</th><th>Meaning</th></tr>"
            + "".join(rows) + "</table>")


def entry_html(entry, header_names, examples):
    parts = [f'<article class="entry" id="{entry.name}">',
             f"<h3><code>{entry.name}</code></h3>",
             f'<pre class="declaration"><code>{escape(entry.declaration)}</code></pre>',
             html_page.paragraphs(entry.text)]
    base = entry.name.removesuffix("_pt")
    if base != entry.name and base in header_names:
        parts.append(f'<p>The same as <a href="#{base}"><code>{base}</code></a>, '
                     "with a <code>Point</code> for each x, y pair.</p>")
    parts.append(examples.html(entry.name))
    parts.append("</article>")
    return "\n".join(parts)


def section_html(section, header_names, examples, colours):
    parts = [f'<h2 id="{slug(section.title)}">{escape(section.title)}</h2>',
             html_page.paragraphs(section.text)]
    run = []
    for entry in section.entries + [None]:
        if entry is not None and entry.kind == "constant":
            run.append(entry)
            continue
        if run:
            parts.append(constants_table(run, colours))
            run = []
        if entry is None:
            break
        if entry.kind == "text":
            parts.append(html_page.paragraphs(entry.text))
        else:
            parts.append(entry_html(entry, header_names, examples))
    return "\n".join(parts)


def contents_html(header):
    parts = ['<div class="contents">']
    for section in header.sections:
        names = [entry.name for entry in section.entries if entry.kind in ("function", "type")]
        parts.append(f'<div><h3><a href="#{slug(section.title)}">{escape(section.title)}</a></h3>')
        if names:
            parts.append("<ul>" + "".join(
                f'<li><a href="#{name}"><code>{name}</code></a></li>' for name in names) + "</ul>")
        parts.append("</div>")
    parts.append("</div>")
    return "\n".join(parts)


def reference(header, examples, colours):
    overview = header.overview.split("\n", 1)[1]
    names = {entry.name for entry in header.functions()}
    body = ["<h1>KELTO reference</h1>",
            f"<p>Everything a program can call in KELTO {header.version}, as declared in "
            "<code>kelto.h</code>. Each drawing call shows a few lines that use it, what "
            "they say in the text window with logging on, and the picture they draw.</p>",
            html_page.paragraphs(overview), contents_html(header)]
    body += [section_html(section, names, examples, colours) for section in header.sections]
    return html_page.page("KELTO reference", "\n".join(body), header.version)


def index(version):
    items = [
        ("tutorial.html", "Tutorial", "your first KELTO programs, from nothing to a small game"),
        ("reference.html", "Reference", "every call, with a picture of what each drawing call draws"),
        ("cheatsheet.html", "Cheatsheet", "every call and colour on one page to print"),
        ("grading.html", "Grading", "running programs without a desktop against a recorded "
         "script, for grading and for pictures"),
    ]
    rows = "".join(f'<li><a href="{href}">{label}</a>: {text}</li>' for href, label, text in items)
    body = (f"<h1>KELTO {escape(version)}</h1><p>KELTO is a small graphics and event "
            "library for first programs.</p>"
            f"<ul>{rows}</ul>")
    return html_page.page(f"KELTO {version}", body, version)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--header", type=pathlib.Path, required=True)
    parser.add_argument("--lines", type=pathlib.Path, required=True)
    parser.add_argument("--console", type=pathlib.Path, required=True)
    parser.add_argument("--out", type=pathlib.Path, required=True)
    args = parser.parse_args()

    header = kelto_header.read(args.header)
    examples = Examples(args.lines, args.console, args.out / "pictures")
    drawing = header.section("Drawing")
    missing = [entry.name for entry in drawing.functions() if examples.of(entry.name) is None]
    if missing:
        raise SystemExit(f"no picture lines for {', '.join(missing)}: write "
                         f"{args.lines}/<call>.inc for every drawing call")
    colours = palette.colours(header, args.out / "pictures" / "palette.png")
    (args.out / "reference.html").write_text(reference(header, examples, colours), encoding="utf-8")
    (args.out / "index.html").write_text(index(header.version), encoding="utf-8")


if __name__ == "__main__":
    main()
