"""junit.xml: one test case per student, failed unless it matches the
reference, as CI services and learning-management systems read it."""

import re
import xml.etree.ElementTree as ElementTree

# Characters XML 1.0 cannot hold, which compiler and program output may.
_NOT_XML = re.compile("[^\u0009\u000a\u000d\u0020-\ud7ff\ue000-\ufffd\U00010000-\U0010ffff]")
DETAIL_CHARACTERS = 20000


def _clean(text):
    return _NOT_XML.sub("\ufffd", text)


def summary(record):
    """The part of a record that did not match, in one line."""
    parts = []
    if record["build"] != "built":
        parts.append(f"build: {record['build']}")
    else:
        if record["run"] != record["reference"].get("run"):
            parts.append(f"run: {record['run']}")
        for key in ("picture", "console"):
            if record[key] != "identical":
                parts.append(f"{key}: {record[key]}")
    return "; ".join(parts) or "matches the reference"


def write(path, records, details):
    """Writes the records; `details(record)` gives the text shown with a
    failure (compiler messages, the console diff)."""
    failures = sum(1 for record in records if not record["passed"])
    total = sum(record.get("measured", {}).get("build_seconds", 0) +
                record.get("measured", {}).get("run_seconds", 0) for record in records)
    suites = ElementTree.Element("testsuites", name="kelto-grade", tests=str(len(records)),
                                 failures=str(failures))
    suite = ElementTree.SubElement(suites, "testsuite", name="kelto-grade",
                                   tests=str(len(records)), failures=str(failures),
                                   errors="0", skipped="0", time=f"{total:.3f}")
    for record in sorted(records, key=lambda r: r["name"]):
        measured = record.get("measured", {})
        seconds = measured.get("build_seconds", 0) + measured.get("run_seconds", 0)
        case = ElementTree.SubElement(suite, "testcase", name=_clean(record["name"]),
                                      classname="kelto-grade", time=f"{seconds:.3f}")
        if not record["passed"]:
            failure = ElementTree.SubElement(case, "failure", message=_clean(summary(record)),
                                             type="differs from the reference")
            failure.text = _clean(details(record)[:DETAIL_CHARACTERS])
    ElementTree.ElementTree(suites).write(path, encoding="utf-8", xml_declaration=True)
