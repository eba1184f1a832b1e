#!/usr/bin/env python3
"""Builds the character database 汉字库.db from go-pinyin's pinyin_dict.go.

The dictionary maps code points to comma-separated readings, most common first:

    0x5B66: "xué",
    0x957F: "zhǎng,cháng",

The database holds one table `records` (character, pinyin), both UTF-8 text, one
record per reading. Records follow the dictionary's order of characters, then of
readings, so a character's first record carries its most common reading.

Only characters that GBK writes as one double-byte character are kept. Readings are
rewritten in the lesson text's form: the letter ɡ (U+0261) for every g, tone marks
from GBK's pinyin letters. A reading with a letter GBK cannot write (ḿ, ǹ, ế,
combining marks) is dropped.

Usage: make_chardb.py DICT.go OUTPUT.db
"""

import os
import re
import sqlite3
import sys

ENTRY = re.compile(r'^\s*0x([0-9A-Fa-f]+):\s*"([^"]*)",\s*$')

# GBK's pinyin letters: ā á ǎ à ē é ě è ī í ǐ ì ō ó ǒ ò ū ú ǔ ù ǖ ǘ ǚ ǜ ü ê (A8A1-A8BA),
# then ń ň (A8BD, A8BE), the syllabic n of 嗯, and ɡ (A8C0). ḿ and ǹ sit in the same
# block in private-use slots and cannot be written.
PINYIN_LETTERS = (
    set("abcdefhijklmnopqrstuvwxyz")
    | {bytes([0xA8, low]).decode("gbk") for low in range(0xA1, 0xBB)}
    | {"\u0144", "\u0148", "\u0261"}
)


def lesson_form(reading):
    """The reading as a lesson text writes it, or None when GBK cannot write it."""
    reading = reading.strip().replace("g", "\u0261")
    if not reading or any(ch not in PINYIN_LETTERS for ch in reading):
        return None
    return reading


def is_double_byte_gbk(ch):
    try:
        return len(ch.encode("gbk")) == 2
    except UnicodeEncodeError:
        return False


def read_records(path):
    records = []
    entries = 0
    with open(path, encoding="utf-8") as source:
        for number, line in enumerate(source, 1):
            if not line.lstrip().startswith("0x"):
                continue
            match = ENTRY.match(line)
            if not match:
                raise ValueError(f"{path}:{number}: unexpected entry: {line.strip()}")
            entries += 1
            code = int(match.group(1), 16)
            if code > sys.maxunicode:
                continue
            character = chr(code)
            if not is_double_byte_gbk(character):
                continue
            seen = set()
            for reading in match.group(2).split(","):
                pinyin = lesson_form(reading)
                if pinyin is not None and pinyin not in seen:
                    seen.add(pinyin)
                    records.append((character, pinyin))
    if entries == 0:
        raise ValueError(f"{path}: no dictionary entries found")
    return records


def write_database(records, output):
    temporary = output + ".tmp"
    if os.path.exists(temporary):
        os.remove(temporary)
    connection = sqlite3.connect(temporary)
    try:
        connection.execute("CREATE TABLE records (character TEXT NOT NULL, pinyin TEXT NOT NULL)")
        connection.executemany("INSERT INTO records (character, pinyin) VALUES (?, ?)", records)
        # Lookups take the first record of a character in file order; the index keeps
        # (character, rowid) sorted, so that is one probe.
        connection.execute("CREATE INDEX records_character ON records (character)")
        connection.commit()
    finally:
        connection.close()
    # Replace the old file only when the new one is complete.
    os.replace(temporary, output)


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    try:
        records = read_records(argv[1])
        write_database(records, argv[2])
    except (OSError, ValueError, sqlite3.Error) as error:
        print(f"make_chardb: {error}", file=sys.stderr)
        return 1
    characters = len({character for character, _ in records})
    print(f"make_chardb: {characters} characters, {len(records)} records -> {argv[2]}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
