#!/usr/bin/env python3
"""Builds data/prizes.sqlite, the bundled full prize tables, from saved getLotteryResult answers.

Usage: python3 scripts/build-prizes-db.py [ANSWERS_DIR] [OUTPUT]

ANSWERS_DIR holds one answer of the lottery office's getLotteryResult per draw, named YYYY-MM-DD.json
(default: ../shared/data/glo-api-history next to the repository); OUTPUT defaults to data/prizes.sqlite.
The schema is the one the program's PrizeStore creates (src/core/data/PrizeStore.cpp); keep the two in step.
Only the Python standard library is used.
"""

import datetime
import json
import os
import sqlite3
import sys

SCHEMA_VERSION = 1

# Kind codes as the program stores them, with the JSON section each comes from and the digits of its numbers.
FIRST, NEAR_FIRST, SECOND, THIRD, FOURTH, FIFTH, FRONT_THREE, BACK_THREE, LAST_THREE, LAST_TWO = range(1, 11)
SIX_DIGIT_SECTIONS = [("first", FIRST, 1), ("near1", NEAR_FIRST, 2), ("second", SECOND, 5), ("third", THIRD, 10),
                      ("fourth", FOURTH, 50), ("fifth", FIFTH, 100)]
FRONT_THREE_FROM = datetime.date(2015, 9, 1)

SCHEMA = """
CREATE TABLE draws (
    id INTEGER PRIMARY KEY,
    draw_key TEXT NOT NULL UNIQUE CHECK (length(draw_key) = 8 AND draw_key NOT GLOB '*[^0-9]*')
);
CREATE TABLE amounts (
    draw_id INTEGER NOT NULL REFERENCES draws (id),
    kind INTEGER NOT NULL CHECK (kind BETWEEN 1 AND 10),
    amount INTEGER NOT NULL CHECK (amount >= 0),
    PRIMARY KEY (draw_id, kind)
) WITHOUT ROWID;
CREATE TABLE numbers (
    number TEXT NOT NULL CHECK (length(number) IN (2, 3, 6) AND number NOT GLOB '*[^0-9]*'),
    kind INTEGER NOT NULL CHECK (kind BETWEEN 1 AND 10),
    draw_id INTEGER NOT NULL REFERENCES draws (id),
    round INTEGER NOT NULL,
    PRIMARY KEY (number, kind, draw_id, round)
) WITHOUT ROWID;
"""


def fail(message):
    sys.exit("build-prizes-db: " + message)


def draw_key(day):
    return "%04d%02d%02d" % (day.year + 543, day.month, day.day)


def amount_of(section, where):
    try:
        baht = float(section["price"])
    except (KeyError, TypeError, ValueError):
        fail("%s: no readable amount" % where)
    if baht < 0 or baht != int(baht):
        fail("%s: amount %r is no whole number of baht" % (where, section["price"]))
    return int(baht)


def numbers_of(section, digits, count, where):
    """[(number, round)] of a section; a number drawn twice for one prize is there twice, with its two rounds."""
    items = [(item["value"], item["round"]) for item in section.get("number", [])]
    values = [value for value, _ in items]
    if len(values) != count:
        fail("%s: %d numbers, expected %d" % (where, len(values), count))
    for value in values:
        if len(value) != digits or not value.isascii() or not value.isdigit():
            fail("%s: %r is no %d-digit number" % (where, value, digits))
    if len(set(round for _, round in items)) != len(items):
        fail("%s: rounds repeat" % where)
    return items


def read_table(path):
    """The draw key, [(kind, amount, [numbers])] of one saved answer."""
    with open(path, encoding="utf-8") as answer:
        result = json.load(answer)["response"]["result"]
    day = datetime.date.fromisoformat(result["date"])
    data = result["data"]
    name = os.path.basename(path)
    kinds = []
    for section, kind, count in SIX_DIGIT_SECTIONS:
        where = "%s %s" % (name, section)
        kinds.append((kind, amount_of(data[section], where), numbers_of(data[section], 6, count, where)))
    if day >= FRONT_THREE_FROM:
        kinds.append((FRONT_THREE, amount_of(data["last3f"], name + " last3f"),
                      numbers_of(data["last3f"], 3, 2, name + " last3f")))
        kinds.append((BACK_THREE, amount_of(data["last3b"], name + " last3b"),
                      numbers_of(data["last3b"], 3, 2, name + " last3b")))
    else:
        numbers_of(data["last3f"], 3, 0, name + " last3f")
        kinds.append((LAST_THREE, amount_of(data["last3b"], name + " last3b"),
                      numbers_of(data["last3b"], 3, 4, name + " last3b")))
    kinds.append((LAST_TWO, amount_of(data["last2"], name + " last2"), numbers_of(data["last2"], 2, 1, name + " last2")))
    return draw_key(day), kinds


def main():
    repository = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    answers = sys.argv[1] if len(sys.argv) > 1 else os.path.join(repository, "..", "shared", "data", "glo-api-history")
    output = sys.argv[2] if len(sys.argv) > 2 else os.path.join(repository, "data", "prizes.sqlite")
    files = sorted(f for f in os.listdir(answers) if f.endswith(".json"))
    if not files:
        fail("no answers in " + answers)
    tables = [read_table(os.path.join(answers, f)) for f in files]

    partial = output + ".part"
    if os.path.exists(partial):
        os.remove(partial)
    db = sqlite3.connect(partial)
    db.executescript(SCHEMA)
    with db:
        for key, kinds in tables:
            draw_id = db.execute("INSERT INTO draws (draw_key) VALUES (?)", (key,)).lastrowid
            for kind, amount, numbers in kinds:
                db.execute("INSERT INTO amounts (draw_id, kind, amount) VALUES (?, ?, ?)", (draw_id, kind, amount))
                db.executemany("INSERT INTO numbers (number, kind, draw_id, round) VALUES (?, ?, ?, ?)",
                               [(number, kind, draw_id, round) for number, round in numbers])
    db.execute("PRAGMA user_version = %d" % SCHEMA_VERSION)
    db.execute("VACUUM")
    db.close()
    os.replace(partial, output)
    print("%s: %d draws, %d bytes" % (output, len(tables), os.path.getsize(output)))


if __name__ == "__main__":
    main()
