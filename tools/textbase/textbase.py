#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Builds the aspect and tarot text bases from their UTF-8 sources.

  textbase.py aspects <data/aspects folder> <aspects.dat>   composes and packs the 810 texts
  textbase.py taro <data/taro.txt> <taro.dat>                packs the 44 tarot texts
  textbase.py show <data/aspects folder> <lo> <hi> <aspect>  prints one composed text

Both bases are an index of little-endian records (tag 1, offset, zero padding) followed by
the texts in Windows-1251, lines ended by CR LF, each text ended by one NUL byte.
"""
import re
import struct
import sys
import textwrap

LINE_WIDTH = 76


def read_sections(path):
    """Reads '[name]' sections of 'key = value' lines; '|' separates variants of a value."""
    sections, current = {}, None
    with open(path, encoding="utf-8") as source:
        for number, raw in enumerate(source, 1):
            line = raw.strip()
            if not line or line.startswith("#"):
                continue
            if line.startswith("[") and line.endswith("]"):
                current = sections.setdefault(line[1:-1].strip(), {})
                continue
            key, sep, value = line.partition("=")
            if current is None or not sep:
                raise SystemExit(f"{path}:{number}: expected [section] or key = value")
            current.setdefault(key.strip(), []).extend(v.strip() for v in value.split("|"))
    return sections


def wrap(prose):
    """Lines of at most LINE_WIDTH characters; a dash never begins a line."""
    glued = prose.replace(" — ", "\u00a0— ")
    lines = textwrap.wrap(glued, LINE_WIDTH, break_on_hyphens=False)
    return [line.replace("\u00a0", " ") for line in lines]


def pair_number(lo, hi):
    return (lo - 1) * (20 - lo) // 2 + (hi - lo)


class Composer:
    """Joins the body, pair and aspect tables of data/aspects into one text per entry."""

    def __init__(self, folder):
        self.bodies = read_sections(f"{folder}/bodies.txt")
        self.pairs = read_sections(f"{folder}/pairs.txt")
        self.aspects = read_sections(f"{folder}/aspects.txt")
        self.intros = read_sections(f"{folder}/intro.txt")["intro"]["text"]
        for b in range(1, 11):
            if str(b) not in self.bodies:
                raise SystemExit(f"bodies.txt: body {b} missing")
        for a in range(1, 19):
            if str(a) not in self.aspects:
                raise SystemExit(f"aspects.txt: aspect {a} missing")

    def text(self, lo, hi, aspect):
        pair = pair_number(lo, hi)
        asp = self.aspects[str(aspect)]
        fields = {}
        for prefix, body in (("A", lo), ("B", hi)):
            table = self.bodies[str(body)]
            for key, variants in table.items():
                fields[f"{prefix}.{key}"] = variants[aspect % len(variants)]
        table = self.pairs.get(f"{lo}-{hi}")
        if table is None:
            raise SystemExit(f"pairs.txt: pair {lo}-{hi} missing")
        for key, variants in table.items():
            fields[f"P.{key}"] = variants[0]

        def pick(variants, seed):
            return variants[seed % len(variants)]

        sentences = [
            pick(self.intros, pair + aspect),
            pick(asp["join"], pair),
            pick(asp["life"], pair * 7 + aspect + pair // 9),
            pick(asp["advice"], pair // 2 + aspect),
        ]

        def fill(template):
            def field(match):
                name = match.group(1)
                if name not in fields:
                    raise SystemExit(f"unknown field {{{name}}} in: {template}")
                return fields[name]

            return re.sub(r"\{([A-Z]\.\w+)\}", field, template)

        prose = " ".join(fill(s) for s in sentences)
        return wrap(prose)

    def all_texts(self):
        texts = []
        for lo in range(1, 11):
            for hi in range(lo + 1, 11):
                for aspect in range(1, 19):
                    texts.append(self.text(lo, hi, aspect))
        return texts


def encode(lines, where):
    text = "\r\n".join(lines)
    try:
        return text.encode("cp1251")
    except UnicodeEncodeError as error:
        raise SystemExit(f"{where}: not representable in Windows-1251: {error}")


def pack(texts, reserved):
    """Index of len(texts) records, then each text's block with its NUL."""
    record = 8 + reserved
    offset = record * len(texts)
    index, blocks = bytearray(), bytearray()
    for text in texts:
        index += struct.pack("<ii", 1, offset + len(blocks)) + bytes(reserved)
        blocks += text + b"\0"
    return bytes(index + blocks)


def read_taro(path):
    """Reads '[n]' headed texts, n = 1..44; lines of a text are joined into one paragraph."""
    texts, current = {}, None
    with open(path, encoding="utf-8") as source:
        for number, raw in enumerate(source, 1):
            line = raw.strip()
            if line.startswith("#"):
                continue
            heading = re.match(r"^\[(\d+)\]", line)
            if heading:
                current = int(heading.group(1))
                if current in texts or not 1 <= current <= 44:
                    raise SystemExit(f"{path}:{number}: bad or repeated entry {current}")
                texts[current] = []
            elif line:
                if current is None:
                    raise SystemExit(f"{path}:{number}: text before the first [n]")
                texts[current].append(line)
    missing = [n for n in range(1, 45) if not texts.get(n)]
    if missing:
        raise SystemExit(f"{path}: entries without text: {missing}")
    return [wrap(" ".join(texts[n])) for n in range(1, 45)]


def write(path, data):
    with open(path, "wb") as out:
        out.write(data)


def main(argv):
    if len(argv) == 4 and argv[1] == "aspects":
        texts = Composer(argv[2]).all_texts()
        if len(set(map(tuple, texts))) != len(texts):
            raise SystemExit("two aspect texts are identical")
        write(argv[3], pack([encode(t, f"aspect entry {n + 1}") for n, t in enumerate(texts)], 256))
    elif len(argv) == 4 and argv[1] == "taro":
        texts = read_taro(argv[2])
        write(argv[3], pack([encode(t, f"tarot entry {n + 1}") for n, t in enumerate(texts)], 512))
    elif len(argv) == 6 and argv[1] == "show":
        print("\n".join(Composer(argv[2]).text(int(argv[3]), int(argv[4]), int(argv[5]))))
    else:
        raise SystemExit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
