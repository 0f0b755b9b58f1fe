# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks a place of the atlas against the tz database: its IANA zone must be one of its
country's zones (zone1970.tab, zone.tab, with the link names of tzdata.zi), and it must lie
within PLAUSIBLE_KM of the reference point of one of that country's zones.

PLAUSIBLE_KM is the largest distance a true place of the atlas has from its country's nearest
zone reference (2393 km: western Yunnan from Shanghai, China keeping one zone), with a margin;
it catches coordinates with swapped or lost signs that land far from the country. The sharp
test is the zone's country: a place moved by a wrong sign gets the zone of where it landed.
"""

import math
import re

ZONEINFO = "/usr/share/zoneinfo"
PLAUSIBLE_KM = 2500.0


def distance_km(lat1, lon1, lat2, lon2):
    p1, p2 = math.radians(lat1), math.radians(lat2)
    dp, dl = p2 - p1, math.radians(lon2 - lon1)
    a = math.sin(dp / 2) ** 2 + math.cos(p1) * math.cos(p2) * math.sin(dl / 2) ** 2
    return 2 * 6371.0 * math.asin(math.sqrt(min(1.0, a)))


def parse_iso6709(text):
    """Decimal degrees of the tz tables' "+DDMM+DDDMM" or "+DDMMSS+DDDMMSS"."""
    match = re.fullmatch(r"([+-])(\d\d)(\d\d)(\d\d)?([+-])(\d{3})(\d\d)(\d\d)?", text)
    if not match:
        raise ValueError(f"bad coordinates {text!r}")
    s1, d1, m1, x1, s2, d2, m2, x2 = match.groups()
    lat = int(d1) + int(m1) / 60 + int(x1 or 0) / 3600
    lon = int(d2) + int(m2) / 60 + int(x2 or 0) / 3600
    return (-lat if s1 == "-" else lat, -lon if s2 == "-" else lon)


class TzTables:
    """Each country's zones with their reference points, and the zone links."""

    def __init__(self, folder=ZONEINFO):
        self.links = {}
        with open(f"{folder}/tzdata.zi", encoding="utf-8") as f:
            for line in f:
                if line.startswith("L "):
                    _, target, name = line.split()
                    self.links[name] = target
        self.codes = set()
        with open(f"{folder}/iso3166.tab", encoding="utf-8") as f:
            for line in f:
                if line.strip() and not line.startswith("#"):
                    self.codes.add(line.split("\t")[0])
        self.zones = {}  # code -> {zone name, link-resolved too: reference point}
        for table in ("zone1970.tab", "zone.tab"):
            with open(f"{folder}/{table}", encoding="utf-8") as f:
                for line in f:
                    if not line.strip() or line.startswith("#"):
                        continue
                    codes, where, zone = line.rstrip("\n").split("\t")[:3]
                    point = parse_iso6709(where)
                    for code in codes.split(","):
                        zones = self.zones.setdefault(code, {})
                        zones.setdefault(zone, point)
                        zones.setdefault(self.links.get(zone, zone), point)

    def problem(self, codes, latitude, longitude, zone):
        """Why a place of the countries `codes` at the point with `zone` is wrong; None if it
        is not."""
        zones = {}
        for code in codes:
            zones.update(self.zones.get(code, {}))
        if zone not in zones and self.links.get(zone, zone) not in zones:
            return f"zone {zone} is not one of {','.join(codes)}"
        nearest = min(distance_km(latitude, longitude, *p) for p in zones.values())
        if nearest > PLAUSIBLE_KM:
            return f"{nearest:.0f} km from the zones of {','.join(codes)}"
        return None
