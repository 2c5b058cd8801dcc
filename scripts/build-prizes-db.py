#!/usr/bin/env python3
"""Builds data/prizes.sqlite, the bundled full prize tables, from saved getLotteryResult answers.

Usage: python3 scripts/build-prizes-db.py [ANSWERS_DIR] [OUTPUT]

ANSWERS_DIR holds one answer of the lottery office's getLotteryResult per draw, named YYYY-MM-DD.json
(default: ../shared/data/glo-api-history next to the repository); OUTPUT defaults to data/prizes.sqlite.
The schema is the one the program's PrizeStore creates (src/core/data/PrizeStore.cpp); keep the two in step.

The office's answers give today's amounts (`price`) for every draw, old ones too. The amounts stored are those of
each draw's era from data/prize-eras.csv for the draws before today's era (the era of the table's last line), and
the answer's own from then on; where those disagree with the table of eras, the answer's are kept and said on
standard error. Each draw's result sheet (`pdf_url`) is kept. Only the Python standard library is used.
"""

import csv
import datetime
import json
import os
import sqlite3
import sys

SCHEMA_VERSION = 2

# Kind codes as the program stores them, with the JSON section each comes from and the digits of its numbers.
FIRST, NEAR_FIRST, SECOND, THIRD, FOURTH, FIFTH, FRONT_THREE, BACK_THREE, LAST_THREE, LAST_TWO = range(1, 11)
SIX_DIGIT_SECTIONS = [("first", FIRST, 1), ("near1", NEAR_FIRST, 2), ("second", SECOND, 5), ("third", THIRD, 10),
                      ("fourth", FOURTH, 50), ("fifth", FIFTH, 100)]
FRONT_THREE_FROM = datetime.date(2015, 9, 1)
# The columns of data/prize-eras.csv and the kind each gives the amount of.
ERA_COLUMNS = [("first", FIRST), ("near_first", NEAR_FIRST), ("second", SECOND), ("third", THIRD),
               ("fourth", FOURTH), ("fifth", FIFTH), ("front_three", FRONT_THREE), ("back_three", BACK_THREE),
               ("last_three", LAST_THREE), ("last_two", LAST_TWO)]

SCHEMA = """
CREATE TABLE draws (
    id INTEGER PRIMARY KEY,
    draw_key TEXT NOT NULL UNIQUE CHECK (length(draw_key) = 8 AND draw_key NOT GLOB '*[^0-9]*'),
    pdf_url TEXT NOT NULL DEFAULT ''
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


def read_eras(path):
    """[(first_draw, last_draw or None, {kind: amount})], oldest first, from the table of eras."""
    eras = []
    with open(path, encoding="utf-8", newline="") as table:
        for row in csv.DictReader(table):
            amounts = {kind: int(row[column]) for column, kind in ERA_COLUMNS if row[column] != ""}
            eras.append((row["first_draw"], row["last_draw"] or None, amounts))
    if not eras:
        fail("no eras in " + path)
    for before, after in zip(eras, eras[1:]):
        if before[1] is None or after[0] <= before[1]:
            fail("%s: the eras overlap at %s" % (path, after[0]))
    return eras


def era_amounts(eras, key):
    for first, last, amounts in eras:
        if first <= key and (last is None or key <= last):
            return amounts
    return {}


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
    """The draw key, the result sheet, [(kind, answered amount, [numbers])] of one saved answer."""
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
    return draw_key(day), result.get("pdf_url") or "", kinds


def amounts_to_store(eras, key, kinds, name):
    """{kind: amount} of a draw: its era's before today's era, the answer's from then on."""
    era = era_amounts(eras, key)
    if key < eras[-1][0]:
        return {kind: era[kind] for kind, _, _ in kinds if kind in era}
    for kind, answered, _ in kinds:
        if kind in era and era[kind] != answered:
            print("%s: kind %d: the office gives %d baht, the table of eras %d; the office's kept"
                  % (name, kind, answered, era[kind]), file=sys.stderr)
    return {kind: answered for kind, answered, _ in kinds}


def main():
    repository = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    answers = sys.argv[1] if len(sys.argv) > 1 else os.path.join(repository, "..", "shared", "data", "glo-api-history")
    output = sys.argv[2] if len(sys.argv) > 2 else os.path.join(repository, "data", "prizes.sqlite")
    eras = read_eras(os.path.join(repository, "data", "prize-eras.csv"))
    files = sorted(f for f in os.listdir(answers) if f.endswith(".json"))
    if not files:
        fail("no answers in " + answers)
    tables = [(f,) + read_table(os.path.join(answers, f)) for f in files]

    partial = output + ".part"
    if os.path.exists(partial):
        os.remove(partial)
    db = sqlite3.connect(partial)
    db.executescript(SCHEMA)
    with db:
        for name, key, pdf_url, kinds in tables:
            draw_id = db.execute("INSERT INTO draws (draw_key, pdf_url) VALUES (?, ?)", (key, pdf_url)).lastrowid
            for kind, amount in sorted(amounts_to_store(eras, key, kinds, name).items()):
                db.execute("INSERT INTO amounts (draw_id, kind, amount) VALUES (?, ?, ?)", (draw_id, kind, amount))
            for kind, _, numbers in kinds:
                db.executemany("INSERT INTO numbers (number, kind, draw_id, round) VALUES (?, ?, ?, ?)",
                               [(number, kind, draw_id, round) for number, round in numbers])
    db.execute("PRAGMA user_version = %d" % SCHEMA_VERSION)
    db.execute("VACUUM")
    db.close()
    os.replace(partial, output)
    print("%s: %d draws, %d bytes" % (output, len(tables), os.path.getsize(output)))


if __name__ == "__main__":
    main()
