#!/usr/bin/env python3
"""Build data/m_ngc_ic.txt, the Messier/NGC/IC catalogue, from OpenNGC.

Reads NGC.csv and addendum.csv (semicolon-separated, OpenNGC layout) and writes
one line per object:

    M 1|05|34|31.97|+|22|00|52.1|SNR Tau Crab Nebula (NGC 1952)

then a last line "END", with CR LF line ends and Windows-1252 text.
The same input always gives the same bytes. Anything the tool does not
understand stops it with a message naming the entry; nothing is written then.
"""

import argparse
import csv
import os
import re
import sys
import tempfile
from dataclasses import dataclass
from pathlib import Path

REPO_ROOT = Path(__file__).resolve().parent.parent
DEFAULT_SOURCE = REPO_ROOT.parent / "shared" / "data" / "openngc"
DEFAULT_OUTPUT = REPO_ROOT / "data" / "m_ngc_ic.txt"
SOURCE_FILES = ("NGC.csv", "addendum.csv")

KNOWN_TYPES = {
    "*", "**", "*Ass", "OCl", "GCl", "Cl+N", "G", "GPair", "GTrpl", "GGroup",
    "PN", "HII", "DrkN", "EmN", "Neb", "RfN", "SNR", "Nova", "NonEx", "Dup",
    "Other",
}
REQUIRED_COLUMNS = ("Name", "Type", "RA", "Dec", "Const", "M", "NGC", "IC", "Common names")
HIGHEST_NUMBER = {"M": 110, "NGC": 7840, "IC": 5386}
LINE_LETTER = {"M": "M", "NGC": "N", "IC": "I"}
LETTER_ORDER = "MNI"
MAX_LINES = 20000
ENCODING = "cp1252"

# OpenNGC lists M 102 as Mechain's duplicate observation of M 101. Most modern
# lists (and observers) take M 102 to be the Spindle galaxy NGC 5866, so that
# row, and only that row, stands for M 102 here.
MESSIER_CHOICES = {102: "NGC5866"}

RA_PATTERN = re.compile(r"([0-9]{2}):([0-9]{2}):([0-9]{2}(?:\.[0-9]+)?)")
DEC_PATTERN = re.compile(r"([+-])([0-9]{2}):([0-9]{2}):([0-9]{2}(?:\.[0-9]+)?)")
DESIGNATION_PATTERN = re.compile(r"(NGC|IC|M)([0-9]+)(.*)")
REFERENCE_PATTERN = re.compile(r"([0-9]{1,4})(\S*(?: NED[0-9]+)?)")


class CatalogueError(Exception):
    """Input the generator does not understand."""


@dataclass(frozen=True)
class Designation:
    catalogue: str  # "M", "NGC" or "IC"
    number: int
    suffix: str  # "" for a plain number, "A", "NW", " NED01" ... for a component


@dataclass(frozen=True)
class Row:
    name: str
    designation: Designation  # None for catalogues other than M, NGC and IC
    type: str
    position: tuple  # seven text fields, or None when the source has none
    constellation: str
    common_names: str
    messier_column: str
    references: tuple  # names of the objects a Dup row points to
    where: str  # "file:line", for messages


@dataclass(frozen=True)
class Entry:
    position: tuple
    tail: str
    source: str  # where the position came from, for messages


def parse_designation(name, where):
    """Split "NGC0224", "IC0434NW", "M040" into their parts; None for other catalogues."""
    match = DESIGNATION_PATTERN.fullmatch(name)
    if not match:
        return None
    catalogue, digits, suffix = match.groups()
    number = int(digits)
    if not 1 <= number <= HIGHEST_NUMBER[catalogue]:
        raise CatalogueError(f"{where}: {name}: number outside {catalogue} 1..{HIGHEST_NUMBER[catalogue]}")
    return Designation(catalogue, number, suffix)


def parse_position(ra, dec, where, name):
    """Check RA "HH:MM:SS.ss" and Dec "+DD:MM:SS.s"; return the seven fields as written."""
    if not ra and not dec:
        return None
    ra_match = RA_PATTERN.fullmatch(ra)
    dec_match = DEC_PATTERN.fullmatch(dec)
    if not ra_match or not dec_match:
        raise CatalogueError(f"{where}: {name}: malformed coordinates RA {ra!r} Dec {dec!r}")
    hours, minutes, seconds = ra_match.groups()
    sign, degrees, arcmin, arcsec = dec_match.groups()
    in_range = (int(hours) < 24 and int(minutes) < 60 and float(seconds) < 60
                and int(degrees) <= 90 and int(arcmin) < 60 and float(arcsec) < 60)
    beyond_pole = int(degrees) == 90 and (int(arcmin) or float(arcsec))
    if not in_range or beyond_pole:
        raise CatalogueError(f"{where}: {name}: coordinates out of range RA {ra!r} Dec {dec!r}")
    return (hours, minutes, seconds, sign, degrees, arcmin, arcsec)


def parse_references(row_fields, where):
    """The NGC, IC and M cross-reference columns as lookup keys ("NGC0085B", "IC4088", "Messier 101")."""
    references = []
    for column, catalogue in (("NGC", "NGC"), ("IC", "IC")):
        for value in filter(None, row_fields[column].split(",")):
            match = REFERENCE_PATTERN.fullmatch(value.strip())
            if not match:
                raise CatalogueError(f"{where}: {row_fields['Name']}: cannot read {column} reference {value!r}")
            references.append(f"{catalogue}{int(match.group(1)):04d}{match.group(2)}")
    if row_fields["M"]:
        references.append(messier_key(parse_messier_column(row_fields["M"], where, row_fields["Name"])))
    return tuple(references)


def parse_messier_column(value, where, name):
    if not (value.isascii() and value.isdigit()) or not 1 <= int(value) <= HIGHEST_NUMBER["M"]:
        raise CatalogueError(f"{where}: {name}: cannot read Messier number {value!r}")
    return int(value)


def messier_key(number):
    # Kept apart from row names: the addendum has a row named "M102" that is not M 102 here.
    return f"Messier {number}"


def read_rows(path):
    """All rows of one OpenNGC file, checked."""
    try:
        with open(path, encoding="utf-8", newline="") as source:
            return list(rows_of(csv.reader(source, delimiter=";"), path.name))
    except OSError as error:
        raise CatalogueError(f"cannot read {path}: {error.strerror}") from error
    except UnicodeDecodeError as error:
        raise CatalogueError(f"{path}: not UTF-8 text ({error.reason} at byte {error.start})") from error


def rows_of(reader, file_name):
    header = next(reader, None)
    missing = [column for column in REQUIRED_COLUMNS if header is None or column not in header]
    if missing:
        raise CatalogueError(f"{file_name}: header lacks column(s) {', '.join(missing)}")
    for values in reader:
        where = f"{file_name}:{reader.line_num}"
        if len(values) != len(header):
            raise CatalogueError(f"{where}: expected {len(header)} fields, found {len(values)}")
        yield make_row(dict(zip(header, values)), where)


def make_row(fields, where):
    name, kind = fields["Name"], fields["Type"]
    if kind not in KNOWN_TYPES:
        raise CatalogueError(f"{where}: {name}: unknown type {kind!r}")
    return Row(
        name=name,
        designation=parse_designation(name, where),
        type=kind,
        position=parse_position(fields["RA"], fields["Dec"], where, name),
        constellation=fields["Const"],
        common_names=", ".join(filter(None, fields["Common names"].split(","))),
        messier_column=fields["M"],
        references=parse_references(fields, where) if kind == "Dup" else (),
        where=where,
    )


def messier_number(row):
    """The Messier number a row stands for, or None.

    A Dup row's M column points to the object it duplicates, so only the
    row's own name counts there.
    """
    designation = row.designation
    if designation and designation.catalogue == "M" and not designation.suffix:
        number = designation.number
        claimed = row.messier_column and parse_messier_column(row.messier_column, row.where, row.name)
        if row.type != "Dup" and claimed and claimed != number:
            raise CatalogueError(f"{row.where}: {row.name}: M column says {row.messier_column}")
    elif row.type != "Dup" and row.messier_column:
        number = parse_messier_column(row.messier_column, row.where, row.name)
    else:
        number = None
    for chosen_number, chosen_name in MESSIER_CHOICES.items():
        if row.name == chosen_name:
            return chosen_number
        if number == chosen_number:
            return None
    return number


def build_index(rows):
    """Rows by name, and by "Messier <n>" for the row standing for each Messier object."""
    index = {}
    for row in rows:
        index.setdefault(row.name, row)
        number = messier_number(row)
        if number is not None:
            index.setdefault(messier_key(number), row)
    return index


def resolve_master(row, index):
    """Follow a Dup row's cross-references to the real object(s); they must share one position."""
    masters, seen, pending = [], {row.name}, list(row.references)
    while pending:
        name = pending.pop(0)
        target = index.get(name)
        if target is None:
            raise CatalogueError(f"{row.where}: {row.name} is a duplicate of {name}, which the source does not have")
        if target.name in seen:
            continue
        seen.add(target.name)
        if target.type == "Dup":
            pending.extend(target.references)
        else:
            masters.append(target)
    if not masters:
        raise CatalogueError(f"{row.where}: {row.name} is a duplicate with no object to take its position from")
    for master in masters:
        if master.type == "NonEx" or master.position is None:
            raise CatalogueError(f"{row.where}: {row.name} is a duplicate of {master.name}, which has no position")
    if len({master.position for master in masters}) > 1:
        names = ", ".join(master.name for master in masters)
        raise CatalogueError(f"{row.where}: {row.name} is a duplicate of {names}, which lie at different positions")
    return masters[0]


def readable_name(name):
    """"NGC0085B" -> "NGC 85B", "Mel022" -> "Mel 22"."""
    match = re.fullmatch(r"([A-Za-z]+)0*(\d+)(.*)", name)
    return f"{match.group(1)} {match.group(2)}{match.group(3)}" if match else name


def make_tail(described, note):
    parts = [described.type, described.constellation, described.common_names, note]
    return " ".join(part for part in parts if part)


def entry_for(row, index, letter):
    """The position and tail of the line this row gives, or None when it gives none."""
    if row.type == "NonEx" or (row.type != "Dup" and row.position is None):
        return None
    if row.type == "Dup":
        master = resolve_master(row, index)
        return Entry(master.position, make_tail(master, f"(dup of {readable_name(master.name)})"), master.where)
    named_messier = row.designation is not None and row.designation.catalogue == "M"
    note = f"({readable_name(row.name)})" if letter == "M" and not named_messier else ""
    return Entry(row.position, make_tail(row, note), row.where)


def line_keys(row):
    """The (letter, number) lines a row gives: its own NGC/IC number and its Messier number."""
    keys = []
    designation = row.designation
    if designation and designation.catalogue != "M" and not designation.suffix:
        keys.append((LINE_LETTER[designation.catalogue], designation.number))
    number = messier_number(row)
    if number is not None:
        keys.append(("M", number))
    return keys


def add_entry(entries, key, entry, name):
    earlier = entries.get(key)
    if earlier is None:
        entries[key] = entry
    elif earlier.position != entry.position:
        raise CatalogueError(
            f"{entry.source}: {name} gives {key[0]} {key[1]} a position other than the one from {earlier.source}")


def build_entries(rows):
    """All catalogue lines as {(letter, number): Entry}."""
    index = build_index(rows)
    entries = {}
    for row in rows:
        for key in line_keys(row):
            entry = entry_for(row, index, key[0])
            if entry is not None:
                add_entry(entries, key, entry, row.name)
    return entries


def check_messier_complete(entries):
    missing = [n for n in range(1, HIGHEST_NUMBER["M"] + 1) if ("M", n) not in entries]
    if missing:
        raise CatalogueError("no usable entry for Messier " + ", ".join(map(str, missing)))


def format_line(key, entry):
    letter, number = key
    fields = "".join(f"{field}|" for field in entry.position)
    return f"{letter} {number}|{fields}{entry.tail}"


def encode_line(line, key):
    if "|" in line.split("|", 8)[8] or any(ord(char) < 32 for char in line):
        raise CatalogueError(f"{key[0]} {key[1]}: name contains '|' or a control character: {line!r}")
    try:
        return line.encode(ENCODING) + b"\r\n"
    except UnicodeEncodeError as error:
        raise CatalogueError(f"{key[0]} {key[1]}: {line[error.start]!r} has no Windows-1252 form: {line!r}") from error


def render(entries):
    """The whole file as bytes: M, then N, then I lines, each by number; then END."""
    keys = sorted(entries, key=lambda key: (LETTER_ORDER.index(key[0]), key[1]))
    if len(keys) + 1 > MAX_LINES:
        raise CatalogueError(f"{len(keys) + 1} lines, more than the {MAX_LINES} the program reads")
    lines = [encode_line(format_line(key, entries[key]), key) for key in keys]
    return b"".join(lines) + b"END\r\n"


def write_atomically(path, data):
    path.parent.mkdir(parents=True, exist_ok=True)
    handle, temporary = tempfile.mkstemp(dir=path.parent, prefix=f".{path.name}.")
    try:
        with os.fdopen(handle, "wb") as output:
            output.write(data)
        os.chmod(temporary, 0o644)
        os.replace(temporary, path)
    except BaseException:
        os.unlink(temporary)
        raise


def count_by_letter(entries):
    return {letter: sum(1 for key in entries if key[0] == letter) for letter in LETTER_ORDER}


def parse_arguments(argv):
    parser = argparse.ArgumentParser(description="Build the Messier/NGC/IC catalogue from OpenNGC.")
    parser.add_argument("--source", type=Path, default=DEFAULT_SOURCE,
                        help="folder holding NGC.csv and addendum.csv (default: %(default)s)")
    parser.add_argument("--output", type=Path, default=DEFAULT_OUTPUT,
                        help="catalogue to write (default: %(default)s)")
    parser.add_argument("--partial", action="store_true",
                        help="accept a source that lacks some Messier objects (trial or cut-down input)")
    return parser.parse_args(argv)


def main(argv=None):
    arguments = parse_arguments(argv)
    try:
        rows = [row for file_name in SOURCE_FILES for row in read_rows(arguments.source / file_name)]
        entries = build_entries(rows)
        if not arguments.partial:
            check_messier_complete(entries)
        data = render(entries)
        write_atomically(arguments.output, data)
    except CatalogueError as error:
        print(f"make_catalogue: error: {error}", file=sys.stderr)
        return 1
    counts = count_by_letter(entries)
    print(f"wrote {arguments.output}: {counts['M']} M, {counts['N']} NGC, {counts['I']} IC, "
          f"{len(entries) + 1} lines, {len(data)} bytes")
    return 0


if __name__ == "__main__":
    sys.exit(main())
