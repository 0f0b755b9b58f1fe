#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Builds the earlier city list (tools/cities/kstars-cities.txt) from the city database of
Debian's kstars-data package, run by hand; its output is committed. convert_cities.py merges
it into the shipped atlas so that no place it has is lost.

Every place becomes one Windows-1251 line of six ";"-separated fields, ended by CR LF:
  city;country;region;latitude;longitude;zone
Names are Russian where the package's Russian catalogue has them, English otherwise.
Coordinates are integer degrees and minutes, rounded to the nearest minute, written as
  55°02’  (degree sign byte 0xB0, minute sign byte 0x92), south and west with "-" on the degrees.
The zone is whole hours east of UT: the current standard (non-summer) offset of the IANA zone
at the place, rounded half away from zero; the database's own value when no zone is found
or the found one lies across the date line from it.

Needs: python3, node, and @photostructure/tz-lookup installed with npm in some folder
(default: this folder; node_modules/ is ignored by git). See data/README.md.
"""

import argparse
import datetime
import gettext
import json
import math
import os
import re
import sqlite3
import subprocess
import sys
import unicodedata
import zoneinfo

HERE = os.path.dirname(os.path.abspath(__file__))

DEGREE = "\u00b0"  # 0xB0 in Windows-1251
MINUTE = "\u2019"  # 0x92 in Windows-1251

# Letters Windows-1251 lacks that Unicode decomposition does not reduce to a base letter.
LATIN_FALLBACK = {
    "ß": "ss", "ø": "o", "Ø": "O", "æ": "ae", "Æ": "AE", "œ": "oe", "Œ": "OE",
    "ð": "d", "Ð": "D", "þ": "th", "Þ": "Th", "ł": "l", "Ł": "L", "ı": "i", "đ": "d", "Đ": "D",
    "ʻ": "'", "ʼ": "'", "‘": "'",
}


def parse_angle(text):
    """Decimal degrees from ' 55° 02\\' 00"', '-0° 30\\' 00"', '129° 8\\' 55" ' or '47.8339'."""
    text = text.strip()
    match = re.fullmatch(r"(-?)\s*(\d+)\s*°\s*(\d+)\s*'\s*(?:(\d+(?:\.\d*)?)\s*\")?", text)
    if match:
        sign, deg, minutes, seconds = match.groups()
        value = int(deg) + int(minutes) / 60 + float(seconds or 0) / 3600
        return -value if sign else value
    return float(text)  # plain decimal degrees; raises on anything else


def format_angle(value):
    """Integer degrees and minutes, rounded to the nearest minute: 55°02’, -33°52’, -0°07’."""
    total = math.floor(abs(value) * 60 + 0.5)
    degrees, minutes = divmod(total, 60)
    sign = "-" if value < 0 and total > 0 else ""
    return f"{sign}{degrees}{DEGREE}{minutes:02d}{MINUTE}"


def round_hours(hours):
    """Whole hours, half away from zero (5.5 -> 6, -3.5 -> -4)."""
    return int(math.copysign(math.floor(abs(hours) + 0.5), hours))


def standard_offset_hours(zone_name, year):
    """The zone's standard offset in hours: the smaller of its offsets in January and July of
    the year (summer time is the larger one in either hemisphere); None for an unknown zone."""
    try:
        zone = zoneinfo.ZoneInfo(zone_name)
    except (zoneinfo.ZoneInfoNotFoundError, ValueError):
        return None
    offsets = []
    for month in (1, 7):
        moment = datetime.datetime(year, month, 1, 12, tzinfo=datetime.timezone.utc)
        offsets.append(moment.astimezone(zone).utcoffset().total_seconds() / 3600)
    return min(offsets)


def to_cp1251_text(text):
    """The text in Windows-1251's repertoire: accents dropped where the code page lacks the letter."""
    if not text:
        return text
    try:
        text.encode("cp1251")
        return text
    except UnicodeEncodeError:
        pass
    out = []
    for ch in text:
        try:
            ch.encode("cp1251")
            out.append(ch)
            continue
        except UnicodeEncodeError:
            pass
        if ch in LATIN_FALLBACK:
            out.append(LATIN_FALLBACK[ch])
            continue
        base = "".join(c for c in unicodedata.normalize("NFKD", ch) if not unicodedata.combining(c))
        base.encode("cp1251")  # raises when a letter is left that we cannot write
        out.append(base)
    return "".join(out)


def clean_field(text):
    """A field may hold neither the separator nor line breaks."""
    return re.sub(r"[;\r\n]", " ", text or "").strip()


class RussianNames:
    """Russian names of cities, regions and countries from the kstars Russian catalogue."""

    def __init__(self, catalog_path):
        with open(catalog_path, "rb") as f:
            self.catalog = gettext.GNUTranslations(f)._catalog
        self.found = 0
        self.missing = 0

    def _lookup(self, context, english):
        value = self.catalog.get(f"{context}\x04{english}")
        if value:
            self.found += 1
            return value
        self.missing += 1
        return english

    def city(self, name, province, country):
        context = f"City in {province} {country}" if province else f"City in {country}"
        return self._lookup(context, name)

    def region(self, province, country):
        return self._lookup(f"Region/state in {country}", province) if province else ""

    def country(self, country):
        return self._lookup("Country name", country)


def write_lines(path, lines):
    """Writes the lines in Windows-1251, each ended by CR LF; returns the bytes written."""
    data = "".join(line + "\r\n" for line in lines).encode("cp1251")
    with open(path, "wb") as f:
        f.write(data)
    return data


def lookup_zones(points, modules_dir):
    script = os.path.join(HERE, "zone_lookup.js")
    result = subprocess.run(["node", script, modules_dir], input=json.dumps(points),
                            capture_output=True, text=True, check=True)
    return json.loads(result.stdout)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--citydb", default="/usr/share/kstars/citydb.sqlite")
    parser.add_argument("--catalog", default="/usr/share/locale/ru/LC_MESSAGES/kstars.mo")
    parser.add_argument("--tz-modules", default=HERE,
                        help="folder whose node_modules holds @photostructure/tz-lookup")
    parser.add_argument("--year", type=int, default=datetime.date.today().year,
                        help="year whose standard offsets are taken (default: this year)")
    parser.add_argument("--output", default=os.path.join(HERE, "kstars-cities.txt"))
    args = parser.parse_args()

    db = sqlite3.connect(f"file:{args.citydb}?mode=ro", uri=True)
    rows = db.execute(
        "SELECT Name, Province, Country, Latitude, Longitude, TZ FROM city ORDER BY id").fetchall()
    places = []
    for name, province, country, lat_text, lon_text, tz in rows:
        places.append((name or "", province or "", country or "",
                       parse_angle(lat_text), parse_angle(lon_text), tz))

    zones = lookup_zones([[p[3], p[4]] for p in places], args.tz_modules)
    names = RussianNames(args.catalog)

    lines = []
    kept_database_zone = changed_zone = 0
    for (name, province, country, lat, lon, tz), zone_name in zip(places, zones):
        offset = standard_offset_hours(zone_name, args.year) if zone_name else None
        # A lookup across the date line (more than 12 hours from the database) is the coarse
        # zone grid picking the neighbour island (Pago Pago as Apia): keep the database's value.
        if offset is None or (tz is not None and abs(offset - tz) > 12):
            kept_database_zone += 1
            offset = tz
        hours = "" if offset is None else str(round_hours(offset))
        if tz is not None and offset is not None and round_hours(offset) != round_hours(tz):
            changed_zone += 1
        fields = [
            names.city(name, province, country),
            names.country(country),
            names.region(province, country),
        ]
        fields = [to_cp1251_text(clean_field(f)) for f in fields]
        fields += [format_angle(lat), format_angle(lon), hours]
        lines.append(";".join(fields))

    data = write_lines(args.output, lines)
    print(f"{len(lines)} places, {len(data)} bytes -> {args.output}; "
          f"{names.found} names from the Russian catalogue, {names.missing} kept in English; "
          f"zone from tzdata except {kept_database_zone} (database value); "
          f"{changed_zone} differ from the database", file=sys.stderr)


if __name__ == "__main__":
    main()
