"""report.html: the class on one page that opens from the file system.

A table with a row per student, then per student the reference's picture,
the student's and the difference side by side, the console's differences,
and the compiler's and the run's messages. Pictures are linked by relative
paths, so the page works wherever the folder is copied; it has no script.
"""

from html import escape
from pathlib import Path
from urllib.parse import quote

from .junit import summary

SHOWN_CHARACTERS = 20000

STYLE = """
body { font: 15px/1.4 sans-serif; margin: 1.5em; color: #222; }
table.class { border-collapse: collapse; margin-bottom: 2em; }
table.class th, table.class td { border: 1px solid #bbb; padding: 0.25em 0.7em; text-align: left; }
tr.passed td:first-child { border-left: 6px solid #2a2; }
tr.failed td:first-child { border-left: 6px solid #c22; }
td.differs { color: #b00; }
section.student { border-top: 2px solid #ccc; padding-top: 0.5em; margin-top: 1.5em; }
.pictures { display: flex; flex-wrap: wrap; gap: 1em; }
figure { margin: 0; }
figure img { width: 300px; image-rendering: pixelated; border: 1px solid #999; }
figcaption { font-size: 13px; color: #555; }
pre { background: #f5f5f5; padding: 0.5em; overflow-x: auto; max-height: 30em; }
"""


def read_shown(out, relative):
    """A file's text for the page, cut to a readable length."""
    try:
        text = (out / relative).read_bytes()[:SHOWN_CHARACTERS * 4].decode(
            "utf-8", errors="replace")
    except OSError:
        return None
    if len(text) > SHOWN_CHARACTERS:
        text = text[:SHOWN_CHARACTERS] + "\n[... cut: see the file itself]\n"
    return text


def _href(relative):
    return escape(quote(relative))


def _figure(out, relative, caption):
    if relative is None or not (out / relative).exists():
        return f'<figure><figcaption>{escape(caption)}: no picture</figcaption></figure>'
    return (f'<figure><a href="{_href(relative)}"><img src="{_href(relative)}" '
            f'alt="{escape(caption)}"></a><figcaption>{escape(caption)}</figcaption></figure>')


def _cell(record, key):
    good = record[key] in ("built", "identical") or (
        key == "run" and record["run"] == record["reference"].get("run"))
    return f'<td class="{"same" if good else "differs"}">{escape(record[key])}</td>'


def _section(out, index, record):
    files = record["files"]
    parts = [f'<section class="student" id="student-{index}">',
             f'<h2>{escape(record["name"])}</h2>',
             f'<p>{escape(summary(record))}</p>']
    if "picture" in files or "run_log" in files:
        diff_caption = f'difference: {record["picture"]}'
        parts.append('<div class="pictures">' +
                     _figure(out, "reference/picture.png", "reference") +
                     _figure(out, files.get("picture"), record["name"]) +
                     (_figure(out, files["diff"], diff_caption) if "diff" in files else "") +
                     "</div>")
    for key, title in (("console_diff", "Console: the differences from the reference"),
                       ("build_log", "Compiler messages"), ("run_log", "Run messages")):
        text = read_shown(out, files[key]) if key in files else None
        if text:
            parts.append(f'<h3>{title}</h3><pre>{escape(text)}</pre>')
    parts.append("</section>")
    return "\n".join(parts)


def write(path, records):
    out = Path(path).parent
    records = sorted(records, key=lambda record: record["name"])
    passed = sum(1 for record in records if record["passed"])
    reference_run = records[0]["reference"].get("run", "") if records else ""
    rows = []
    for index, record in enumerate(records, 1):
        rows.append(f'<tr class="{"passed" if record["passed"] else "failed"}">'
                    f'<td><a href="#student-{index}">{escape(record["name"])}</a></td>' +
                    "".join(_cell(record, key) for key in ("build", "run", "picture", "console"))
                    + "</tr>")
    page = f"""<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8"><title>KELTO grading</title>
<style>{STYLE}</style></head>
<body>
<h1>KELTO grading</h1>
<p>{passed} of {len(records)} programs match the reference (its run: {escape(reference_run)}).</p>
<table class="class">
<thead><tr><th>Program</th><th>Build</th><th>Run</th><th>Picture</th><th>Console</th></tr></thead>
<tbody>
{chr(10).join(rows)}
</tbody></table>
{chr(10).join(_section(out, index, record) for index, record in enumerate(records, 1))}
</body></html>
"""
    Path(path).write_text(page, encoding="utf-8")
