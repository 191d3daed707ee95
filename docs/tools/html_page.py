"""The frame every generated page shares: the head with its style sheet, a
bar of links to the other pages, and FreeType's credit at the foot."""
import html
import re

PAGES = [
    ("index.html", "Contents"),
    ("tutorial.html", "Tutorial"),
    ("reference.html", "Reference"),
    ("cheatsheet.html", "Cheatsheet"),
    ("grading.html", "Grading"),
]

FREETYPE_CREDIT = ("Portions of this software are copyright &copy; 2022 The FreeType Project "
                   "(www.freetype.org). All rights reserved.")


def escape(text):
    return html.escape(text, quote=True)


def paragraphs(text):
    """Plain comment text as HTML: blank lines part paragraphs, indented lines
    are code."""
    blocks, out = re.split(r"\n\s*\n", text.strip()), []
    for block in blocks:
        lines = block.split("\n")
        if all(line.startswith("    ") for line in lines if line.strip()):
            code = "\n".join(line[4:] for line in lines)
            out.append(f"<pre><code>{escape(code)}</code></pre>")
        else:
            out.append(f"<p>{escape(' '.join(line.strip() for line in lines))}</p>")
    return "\n".join(out)


def page(title, body, version, stylesheet="kelto-docs.css", extra_class="", navigation=True):
    """A whole page; with navigation, a bar of links to the documentation's
    pages heads it."""
    links = " ".join(f'<a href="{href}">{label}</a>' for href, label in PAGES)
    bar = f'<nav class="pages">KELTO {escape(version)}: {links}</nav>' if navigation else ""
    body_class = f' class="{extra_class}"' if extra_class else ""
    return f"""<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>{escape(title)}</title>
<link rel="stylesheet" href="{stylesheet}">
</head>
<body{body_class}>
{bar}
<main>
{body}
</main>
<footer>{FREETYPE_CREDIT}</footer>
</body>
</html>
"""
