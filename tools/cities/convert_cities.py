#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Builds the shipped atlas (data/cities.txt), run by hand; its output is committed.

Sources:
- the GeoNames places of 15 000 people or more that Debian's libgeonames-dev packages (read
  through the library, libgeonames.so.0), with city, region and country names from the
  package's Russian catalogue (/usr/share/locale/ru/LC_MESSAGES/geonames.mo, keyed by the
  GeoNames id, "CC.admin1" and "CC");
- the earlier list tools/cities/kstars-cities.txt, merged in so that no place it has is lost:
  a place of it within MATCH_KM of a GeoNames place of the same country, or within
  SAME_NAME_KM of one of the same name, is that place; the others are added with their IANA zone looked up from their coordinates.

Zone names that the tz database keeps only as links to a newer name are written under the
newer one. Every place becomes one Windows-1251 line, ended by CR LF:
  city;country;region;latitude;longitude;IANA zone;standard offset in whole hours
The reader takes field 6 after the last ";" and ignores what lies between the fifth and the
last separator, so the zone name rides along without breaking the six-field format.
Lines are ordered by population, the most populous first; a later line with the same city,
region and country as an earlier one is dropped.

The reviewed corrections of data/cities-corrections.txt are applied last; then every place is
checked against the tz database (atlas_check.py), and nothing is written while one fails. The
ISO 3166 codes of the atlas's country names go to data/cities-countries.txt, for that check.

Needs: python3, libgeonames-dev (and so libgeonames0, libgeonames-common), tzdata, and for the
earlier list's zones node with @photostructure/tz-lookup (see data/README.md).
"""

import argparse
import ast
import collections
import ctypes
import datetime
import gettext
import math
import os
import sys

from atlas_check import TzTables, distance_km
from kstars_cities import (DEGREE, MINUTE, clean_field, format_angle, lookup_zones,
                           round_hours, standard_offset_hours, to_cp1251_text, write_lines)

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))

# An earlier place this close to a GeoNames place of the same country is the same place.
MATCH_KM = 5.0
# ... and one this close that has the same name (the earlier list's centre was off).
SAME_NAME_KM = 30.0
# How far a GeoNames place may lie to vote for the country of an earlier place.
COUNTRY_VOTE_KM = 100.0

# Where the Russian catalogue's country name is out of date or not the usual one.
COUNTRY_NAME_FIXES = {
    "GB": "Великобритания",
    "CD": "Демократическая Республика Конго",
    "TH": "Таиланд",
}
# The earlier list's country names that GeoNames does not give, with the ISO 3166 codes whose
# zones their places carry.
EARLIER_COUNTRY_CODES = {
    "Антарктида": "AQ",
    "Западная Сахара": "EH",
    "Остров Вознесения": "SH",
    "Питкэрн": "PN",
    "Теркс и Кайкос": "TC",
    # the United States' outlying islands: Midway and Wake (UM), Pagan (MP), and Johnston Atoll,
    # whose Pacific/Johnston is a link to Hawaii's Pacific/Honolulu (US)
    "Территория США": "UM,MP,US",
    "Фолклендские острова": "FK",
}
# GeoNames codes that iso3166.tab lacks, with the code whose zones they keep.
ZONES_OF_CODE = {
    "XK": "RS",  # Kosovo keeps Serbia's Europe/Belgrade
}
# Where the Russian catalogue gives a city the name of another one, by GeoNames id.
CITY_NAME_FIXES = {
    "1265873": "Кожикоде",  # Kozhikode (Calicut), not Kolkata
}


class GeoNamesLibrary:
    """The places packaged in libgeonames, each as a dict."""

    FIELDS = ("id", "name", "admin1", "state", "code", "country", "zone", "population",
              "latitude", "longitude")

    def __init__(self):
        self.lib = ctypes.CDLL("libgeonames.so.0")
        self.glib = ctypes.CDLL("libglib-2.0.so.0")
        self.lib.geonames_get_n_cities.restype = ctypes.c_int
        self.lib.geonames_get_city.restype = ctypes.c_void_p
        self.lib.geonames_get_city.argtypes = [ctypes.c_int]
        self.lib.geonames_city_free.argtypes = [ctypes.c_void_p]
        self.glib.g_variant_get_type_string.restype = ctypes.c_char_p
        self.glib.g_variant_get_type_string.argtypes = [ctypes.c_void_p]
        self.glib.g_variant_print.restype = ctypes.c_void_p
        self.glib.g_variant_print.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.glib.g_free.argtypes = [ctypes.c_void_p]

    def places(self):
        for index in range(self.lib.geonames_get_n_cities()):
            city = self.lib.geonames_get_city(index)
            kind = self.glib.g_variant_get_type_string(city)
            if kind != b"(sssssssudd)":
                raise SystemExit(f"libgeonames: unexpected record type {kind!r}")
            text = self.glib.g_variant_print(city, 0)
            values = ast.literal_eval(ctypes.string_at(text).decode("utf-8"))
            self.glib.g_free(text)
            self.lib.geonames_city_free(city)
            yield dict(zip(self.FIELDS, values))


class Catalogue:
    """Russian names keyed by GeoNames id, "CC.admin1" or "CC"."""

    def __init__(self, path):
        with open(path, "rb") as f:
            self.names = gettext.GNUTranslations(f)._catalog
        self.found = self.missing = 0

    def get(self, key, fallback):
        value = self.names.get(key)
        if value:
            self.found += 1
            return value
        self.missing += 1
        return fallback

    def country(self, code, fallback):
        return COUNTRY_NAME_FIXES.get(code) or self.get(code, fallback)


def cp1251_text(text, strays):
    """The text in Windows-1251: accents dropped where the code page lacks the letter, and any
    character that still has no form in it left out (counted in strays)."""
    try:
        return to_cp1251_text(text)
    except UnicodeEncodeError:
        pass
    out = []
    for ch in text:
        try:
            out.append(to_cp1251_text(ch))
        except UnicodeEncodeError:
            strays[ch] += 1
    return "".join(out)


def zone_links(path="/usr/share/zoneinfo/tzdata.zi"):
    """Old zone names and the names the tz database now gives them (Europe/Kiev -> Europe/Kyiv),
    from its link lines "L target name"."""
    links = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            if line.startswith("L "):
                _, target, name = line.split()
                links[name] = target
    return links


class Grid:
    """GeoNames places in one-degree cells, for near-neighbour search."""

    def __init__(self, places):
        self.cells = collections.defaultdict(list)
        for place in places:
            self.cells[(math.floor(place["latitude"]), math.floor(place["longitude"]))].append(place)

    def near(self, lat, lon, km):
        """(distance, place) of every place within km, nearest first."""
        reach_lat = math.ceil(km / 111.0)
        reach_lon = min(180, math.ceil(km / max(1.0, 111.0 * math.cos(math.radians(lat)))))
        found = []
        for i in range(math.floor(lat) - reach_lat, math.floor(lat) + reach_lat + 1):
            for j in range(math.floor(lon) - reach_lon, math.floor(lon) + reach_lon + 1):
                for place in self.cells.get((i, (j + 180) % 360 - 180), ()):
                    d = distance_km(lat, lon, place["latitude"], place["longitude"])
                    if d <= km:
                        found.append((d, place))
        found.sort(key=lambda item: item[0])
        return found


def parse_minutes_angle(text):
    """Decimal degrees of '55°02’' or '-0°07’'."""
    degrees, minutes = text.rstrip(MINUTE).split(DEGREE)
    value = abs(int(degrees)) + int(minutes) / 60
    return -value if degrees.strip().startswith("-") else value


def read_earlier(path):
    places = []
    with open(path, encoding="cp1251", newline="") as f:
        for line in f.read().splitlines():
            fields = line.split(";")
            if len(fields) != 6:
                raise SystemExit(f"{path}: not six fields: {line!r}")
            city, country, region, lat, lon, zone = fields
            places.append({"city": city, "country": country, "region": region,
                           "latitude": parse_minutes_angle(lat),
                           "longitude": parse_minutes_angle(lon), "zone_hours": zone})
    return places


def country_codes_of(earlier, grid):
    """The GeoNames country code of each earlier place (None where no GeoNames place is near):
    the code most of its country's places have near them, when nine in ten agree (the names
    of countries differ between the two catalogues), otherwise the code of its nearest place."""
    nearest = []
    votes = collections.defaultdict(collections.Counter)
    for place in earlier:
        near = grid.near(place["latitude"], place["longitude"], COUNTRY_VOTE_KM)
        code = near[0][1]["code"] if near else None
        nearest.append(code)
        if code:
            votes[place["country"]][code] += 1
    country_code = {}
    for country, counter in votes.items():
        code, count = counter.most_common(1)[0]
        if count >= 0.9 * sum(counter.values()):
            country_code[country] = code
    return [country_code.get(p["country"], code) for p, code in zip(earlier, nearest)]


class Corrections:
    """The reviewed table of places to drop or mend, keyed by city, country and region."""

    def __init__(self, path):
        self.path = path
        self.changes = {}
        with open(path, encoding="utf-8") as f:
            for number, line in enumerate(f, 1):
                if not line.strip() or line.startswith("#"):
                    continue
                fields = line.rstrip("\n").split(";", 4)
                if len(fields) != 5:
                    raise SystemExit(f"{path}:{number}: not five fields")
                key, change = tuple(fields[:3]), fields[3].strip()
                if key in self.changes:
                    raise SystemExit(f"{path}:{number}: {';'.join(key)} twice")
                self.changes[key] = change if change == "drop" else dict(
                    item.strip().split("=", 1) for item in change.split(","))
        self.used = collections.Counter()

    def apply(self, key, row, geonames_by_id):
        """The row (country, latitude, longitude, zone) corrected, or None to drop the place."""
        change = self.changes.get(key)
        if change is None:
            return row
        self.used[key] += 1
        if change == "drop":
            return None
        country, lat, lon, zone = row
        if "geonames" in change:
            g = geonames_by_id[change["geonames"]]
            country, lat, lon, zone = g["country_ru"], g["latitude"], g["longitude"], g["zone"]
        country = change.get("country", country)
        lat = parse_minutes_angle(change["latitude"]) if "latitude" in change else lat
        lon = parse_minutes_angle(change["longitude"]) if "longitude" in change else lon
        return country, lat, lon, change.get("zone", zone)

    def problems(self):
        """Lines of the table that name no place or more than one."""
        return [f"{self.path}: {self.used[key]} places {';'.join(key)}"
                for key in self.changes if self.used[key] != 1]


def country_codes_by_name(tz, names, country_names):
    """The ISO codes, comma-separated, whose zones the places of each country name carry: every
    ISO country by its catalogue name (for corrections that move a place to a country no GeoNames
    place of the atlas has, such as Curaçao), the names GeoNames places get, the earlier list's."""
    codes = {COUNTRY_NAME_FIXES.get(c) or names.names[c]: c for c in tz.codes if names.names.get(c)}
    codes.update({name: ZONES_OF_CODE.get(code, code) for code, name in country_names.items()})
    codes.update(EARLIER_COUNTRY_CODES)
    return codes


def write_country_codes(path, codes_of_name):
    lines = ["# ISO 3166 codes of the atlas's country names, written by tools/cities/convert_cities.py:",
             "# the zones of these codes in the tz database's zone1970.tab and zone.tab are the zones",
             "# the country's places may carry. Kosovo (XK, not in iso3166.tab) keeps Serbia's."]
    lines += [f"{name};{codes}" for name, codes in sorted(codes_of_name.items())]
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--catalog", default="/usr/share/locale/ru/LC_MESSAGES/geonames.mo")
    parser.add_argument("--earlier", default=os.path.join(HERE, "kstars-cities.txt"))
    parser.add_argument("--tz-modules", default=HERE,
                        help="folder whose node_modules holds @photostructure/tz-lookup")
    parser.add_argument("--year", type=int, default=datetime.date.today().year,
                        help="year whose standard offsets are taken (default: this year)")
    parser.add_argument("--output", default=os.path.join(REPO, "data", "cities.txt"))
    parser.add_argument("--corrections",
                        default=os.path.join(REPO, "data", "cities-corrections.txt"))
    parser.add_argument("--countries", default=os.path.join(REPO, "data", "cities-countries.txt"),
                        help="where the country names' ISO codes are written")
    args = parser.parse_args()

    names = Catalogue(args.catalog)
    geonames = sorted(GeoNamesLibrary().places(), key=lambda p: -p["population"])
    grid = Grid(geonames)
    country_names = {}
    rows = []  # (city, country, region, latitude, longitude, zone name)
    for p in geonames:
        country = names.country(p["code"], p["country"])
        country_names[p["code"]] = country
        p["country_ru"] = country
        region = names.get(f"{p['code']}.{p['admin1']}", p["state"]) if p["state"] else ""
        city = CITY_NAME_FIXES.get(p["id"]) or names.get(p["id"], p["name"])
        p["ru"] = city
        rows.append((city, country, region,
                     p["latitude"], p["longitude"], p["zone"]))

    earlier = read_earlier(args.earlier)
    codes = country_codes_of(earlier, grid)
    kept = []
    for place, code in zip(earlier, codes):
        name = place["city"].casefold()
        same = [d for d, g in grid.near(place["latitude"], place["longitude"], SAME_NAME_KM)
                if g["code"] == code and (d <= MATCH_KM or name in (g["ru"].casefold(),
                                                                    g["name"].casefold()))]
        if not same:
            kept.append((place, code))
    zones = lookup_zones([[p["latitude"], p["longitude"]] for p, _ in kept], args.tz_modules)
    without_zone = 0
    for (place, code), zone in zip(kept, zones):
        if zone is None or standard_offset_hours(zone, args.year) is None:
            without_zone += 1
            zone = ""
        rows.append((place["city"], country_names.get(code, place["country"]), place["region"],
                     place["latitude"], place["longitude"], zone))

    tz = TzTables()
    codes_of_name = country_codes_by_name(tz, names, country_names)
    corrections = Corrections(args.corrections)
    geonames_by_id = {p["id"]: p for p in geonames}
    links = zone_links()
    lines, seen, duplicates, strays = [], set(), 0, collections.Counter()
    dropped, failures = 0, []
    for city, country, region, lat, lon, zone in rows:
        fields = [cp1251_text(clean_field(f), strays) for f in (city, country, region)]
        corrected = corrections.apply(tuple(fields), (country, lat, lon, zone), geonames_by_id)
        if corrected is None:
            dropped += 1
            continue
        country, lat, lon, zone = corrected
        fields[1] = cp1251_text(clean_field(country), strays)
        key = tuple(fields)
        if key in seen:
            duplicates += 1
            continue
        seen.add(key)
        zone = links.get(zone, zone)
        codes = codes_of_name.get(fields[1])
        problem = (tz.problem(codes.split(","), lat, lon, zone) if codes
                   else f"no ISO code for the country {fields[1]}")
        if problem:
            failures.append(f"{';'.join(fields)}: {problem}")
        offset = standard_offset_hours(zone, args.year) if zone else None
        hours = "" if offset is None else str(round_hours(offset))
        lines.append(";".join(fields + [format_angle(lat), format_angle(lon), zone, hours]))

    failures += corrections.problems()
    if failures:
        raise SystemExit("\n".join(failures) + f"\n{len(failures)} places fail; nothing written")
    used_names = {line.split(";")[1] for line in lines}
    write_country_codes(args.countries,
                        {n: c for n, c in codes_of_name.items() if n in used_names})
    data = write_lines(args.output, lines)
    print(f"{len(lines)} places, {len(data)} bytes -> {args.output}: {len(geonames)} GeoNames "
          f"places, {len(kept)} of {len(earlier)} earlier places added ({without_zone} without "
          f"zone), {duplicates} duplicates dropped, {dropped} dropped and "
          f"{len(corrections.changes) - dropped} mended by the corrections; names: {names.found} "
          f"from the Russian "
          f"catalogue, {names.missing} kept as the source gives them; characters left out: "
          f"{dict(strays)}", file=sys.stderr)


if __name__ == "__main__":
    main()
