"""results.json: one record per student, in order of name.

Each record says in words how the student's program built and ran and how
its picture and console compare with the reference's, with the figures
behind the words, what was measured (times and memory, which vary from run
to run), where its files are (relative to the results' folder), and what a
merge of shards checks: which shard graded it, how large the class is, and
digests of the reference's outputs.
"""

import json

WORDS = ("name", "build", "run", "picture", "console")


def class_fields(records, shard, class_size, reference_digests):
    """The records with the class's part filled in."""
    return [dict(record, shard=f"{shard[0]}/{shard[1]}" if shard else None,
                 class_size=class_size, reference=reference_digests) for record in records]


def write(path, records):
    text = json.dumps(sorted(records, key=lambda record: record["name"]), indent=2,
                      ensure_ascii=False)
    path.write_text(text + "\n", encoding="utf-8")


def _valid(record):
    return (isinstance(record, dict) and all(isinstance(record.get(key), str) for key in WORDS)
            and isinstance(record.get("passed"), bool)
            and isinstance(record.get("files"), dict)
            and all(isinstance(value, str) for value in record["files"].values())
            and isinstance(record.get("class_size"), int)
            and isinstance(record.get("reference"), dict))


def read(path):
    """The records of a results file; ValueError saying why it is not one."""
    try:
        records = json.loads(path.read_text(encoding="utf-8"))
    except (OSError, UnicodeDecodeError, json.JSONDecodeError) as error:
        raise ValueError(f"{path} cannot be read as results ({error})") from error
    if not isinstance(records, list) or not all(_valid(record) for record in records):
        raise ValueError(f"{path} is not a results.json that kelto-grade wrote")
    return records
