"""Reads the public header, include/kelto.h, into what the reference shows.

The header is written for beginners and follows a few habits that this
reader relies on:

- its opening comment is the overview;
- a banner comment (a line of dashes, the section's title, its text, a line
  of dashes) opens each section;
- a call, type or constant is documented by the comment right above it, or
  by a comment after it on its last line, or both; a declaration with no
  comment of its own that follows another without a blank line between
  shares that one's comment (the _pt forms);
- a comment with a blank line after it is text of the section.
"""
import dataclasses
import re

BANNER = re.compile(r"^/\*-{10,}")
NAME = re.compile(r"\b(KELTO_\w+|[A-Z]\w*)\s*\(")


@dataclasses.dataclass
class Entry:
    kind: str  # "function", "constant", "type" or "text"
    name: str = ""
    declaration: str = ""
    text: str = ""
    value: str = ""


@dataclasses.dataclass
class Section:
    title: str
    text: str
    entries: list

    def functions(self):
        return [entry for entry in self.entries if entry.kind == "function"]

    def constants(self):
        return [entry for entry in self.entries if entry.kind == "constant"]


@dataclasses.dataclass
class Header:
    overview: str
    version: str
    sections: list

    def functions(self):
        return [entry for section in self.sections for entry in section.functions()]

    def section(self, title):
        return next(section for section in self.sections if section.title == title)


def comment_text(lines):
    """The text of a block comment's lines, without its markers, its lines'
    common indentation kept apart from any deeper (code) indentation."""
    body = "\n".join(lines).strip()
    body = re.sub(r"^/\*-*", "", body)
    body = re.sub(r"-*\*/$", "", body)
    # A banner's and the overview's lines open with " * ".
    cleaned = [re.sub(r"^\s*\*(?: |$)", "", line).rstrip() for line in body.split("\n")]
    # Continuation lines of a comment opened on a line of code are indented to
    # the text after "/*": only their indentation beyond that is meaningful.
    indents = [len(line) - len(line.lstrip()) for line in cleaned[1:] if line.strip()]
    common = min(indents) if indents else 0
    first, rest = cleaned[0].strip(), [line[common:] for line in cleaned[1:]]
    return "\n".join([first] + rest).strip("\n")


def declaration_text(lines):
    """One declaration on one line, without its trailing comment and the
    printf-format attribute."""
    code = " ".join(line.split("/*")[0].strip() for line in lines)
    code = re.sub(r"\s*KELTO_PRINTF_FORMAT\([^)]*\)", "", code)
    code = re.sub(r"\(\s+", "(", re.sub(r"\s+", " ", code))
    return code.strip()


def trailing_comment(lines):
    joined = "\n".join(lines)
    match = re.search(r";\s*/\*(.*?)\*/", joined, re.S)
    return comment_text(["/*" + match.group(1) + "*/"]) if match else ""


def read_comment(lines, i):
    """The lines of the comment that opens on lines[i]."""
    block = [lines[i]]
    while "*/" not in block[-1] and i + len(block) < len(lines):
        block.append(lines[i + len(block)])
    return block


def read_declaration(lines, i):
    """The lines of the declaration that starts on lines[i], through its
    semicolon and any comment after it."""
    block, depth = [], 0
    while i + len(block) < len(lines):
        block.append(lines[i + len(block)])
        code = block[-1].split("/*")[0]
        depth += code.count("{") - code.count("}")
        if depth == 0 and ";" in code:
            break
    if "/*" in block[-1] and "*/" not in block[-1]:
        while "*/" not in block[-1] and i + len(block) < len(lines):
            block.append(lines[i + len(block)])
    return block


def parse(text):
    lines = text.split("\n")
    overview = comment_text(read_comment(lines, 0))
    version = ".".join(
        re.search(rf"#define KELTO_VERSION_{part} (\d+)", text).group(1)
        for part in ("MAJOR", "MINOR", "PATCH"))

    sections, pending, previous = [], None, None
    i = 0
    while i < len(lines):
        line = lines[i].strip()
        if BANNER.match(line):
            block = read_comment(lines, i)
            title, _, text_of_section = comment_text(block).partition("\n")
            title, _, aside = title.partition(" (")
            if aside:
                aside = aside.rstrip(")")
                text_of_section = aside[0].upper() + aside[1:] + ".\n\n" + text_of_section.strip()
            sections.append(Section(title.strip(), text_of_section.strip(), []))
            pending = previous = None
            i += len(block)
            continue
        if not sections or line.startswith(("#if", "#endif", "}", "extern")):
            pending = previous = None
            i += 1
            continue
        if not line:
            if pending is not None:
                sections[-1].entries.append(Entry("text", text=pending))
            pending = previous = None
            i += 1
            continue
        if line.startswith("/*"):
            block = read_comment(lines, i)
            pending = comment_text(block)
            i += len(block)
            continue
        if line.startswith("#define"):
            match = re.match(r"#define (\w+) (\S+)\s*(?:/\*(.*?)\*/)?", line)
            sections[-1].entries.append(Entry(
                "constant", match.group(1), f"#define {match.group(1)} {match.group(2)}",
                (match.group(3) or "").strip(), match.group(2)))
            pending = previous = None
            i += 1
            continue
        block = read_declaration(lines, i)
        declaration = declaration_text(block)
        doc = "\n\n".join(part for part in (pending or "", trailing_comment(block)) if part)
        if not doc and previous is not None:
            doc = previous.text
        if declaration.startswith("typedef"):
            name = re.search(r"(\w+)\s*;$", declaration).group(1)
            entry = Entry("type", name, declaration, doc)
            if "{" in declaration:
                entry.declaration = "\n".join(line.rstrip() for line in block)
        else:
            entry = Entry("function", NAME.search(declaration).group(1), declaration, doc)
        sections[-1].entries.append(entry)
        pending, previous = None, entry
        i += len(block)
    return Header(overview, version, sections)


def read(path):
    with open(path, encoding="utf-8") as header:
        return parse(header.read())
