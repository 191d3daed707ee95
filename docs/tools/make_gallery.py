#!/usr/bin/env python3
"""Writes the gallery of the programs' web pages: index.html with, for each
program, its thumbnail (thumbnails/<name>.png), what it does and links to its
page (<name>.html) and to its source (sources/<name>.html), which this also
writes. What a program does is the opening comment of its first source file,
unless --describe gives it."""
import argparse
import pathlib

import html_page
from html_page import escape


def opening_comment(source):
    lines = []
    for line in source.read_text(encoding="utf-8").splitlines():
        if not line.startswith("//"):
            break
        lines.append(line[2:].strip())
    return " ".join(lines)


def source_page(name, sources, version):
    parts = [f"<h1>The source of {escape(name)}</h1>",
             f'<p><a href="../{name}.html">Run {escape(name)}</a> &middot; '
             '<a href="../index.html">All the programs</a></p>']
    for source in sources:
        parts += [f"<h2>{escape(source.name)}</h2>",
                  f"<pre><code>{escape(source.read_text(encoding='utf-8'))}</code></pre>"]
    return html_page.page(f"{name}: source", "\n".join(parts), version,
                          stylesheet="../kelto-docs.css", navigation=False)


def card(name, description):
    title = name.replace("_", " ")
    return f"""<article id="{name}">
<h2><a href="{name}.html">{escape(title)}</a></h2>
<a href="{name}.html"><img src="thumbnails/{name}.png" width="595" height="490"
 alt="What {escape(title)} shows after a short run"></a>
<p>{escape(description)}</p>
<p><a href="{name}.html">Run it</a> &middot; <a href="sources/{name}.html">Its source</a></p>
</article>"""


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--version", required=True)
    parser.add_argument("--out", type=pathlib.Path, required=True)
    parser.add_argument("--program", nargs="+", action="append", required=True,
                        metavar=("NAME", "SOURCE"), help="a program and its source files")
    parser.add_argument("--describe", nargs=2, action="append", default=[],
                        metavar=("NAME", "TEXT"), help="what a program does")
    args = parser.parse_args()
    descriptions = dict(args.describe)

    (args.out / "sources").mkdir(parents=True, exist_ok=True)
    cards = []
    for name, *files in args.program:
        sources = [pathlib.Path(file) for file in files]
        (args.out / "sources" / f"{name}.html").write_text(
            source_page(name, sources, args.version), encoding="utf-8")
        cards.append(card(name, descriptions.get(name) or opening_comment(sources[0])))
    body = ("<h1>KELTO programs</h1>"
            "<p>Each program runs here in the browser: click its picture. The pictures "
            "show each one after a short run.</p>"
            f'<div class="gallery">{"".join(cards)}</div>')
    (args.out / "index.html").write_text(
        html_page.page("KELTO programs", body, args.version, navigation=False), encoding="utf-8")


if __name__ == "__main__":
    main()
