#!/usr/bin/env python3
"""Distils the order of each Big5 character's readings from the dictionary's own figures and the
evidence of Debian's other Taiwan phonetic dictionaries, into the reading-order file that the
input method applies when it builds its reading index.

The file names, for each character whose first reading should change, the reading that comes
first. Only readings the dictionary itself lists are ever named, so nothing is invented.

Votes for a character's first reading, among the readings our dictionary lists:
  - each peer dictionary gives 1 to its single heaviest reading, or shares 1 among tied ones;
  - our own ranking gives 1 to its first reading when that is at least twice as heavy as any
    other, 0.5 when merely heavier or first by a ranking rule, nothing without figures.
The reading with most votes comes first; a tie keeps our order. A reviewed exception wins over
the votes.
"""

import argparse
import collections
import sys

import peer_readings


def big5_characters():
    """(code, character) of Big5 level 1 (0xA440-0xC67E) and level 2 (0xC940-0xF9D5)."""
    for lead in range(0xA4, 0xFA):
        for trail in list(range(0x40, 0x7F)) + list(range(0xA1, 0xFF)):
            code = lead << 8 | trail
            if not (0xA440 <= code <= 0xC67E or 0xC940 <= code <= 0xF9D5):
                continue
            try:
                yield code, bytes([lead, trail]).decode("cp950")
            except UnicodeDecodeError:
                pass


def load_evidence(path):
    """reading-evidence output: {character: [(reading, weight, word-initial weight)]}, ranked."""
    evidence = collections.OrderedDict()
    with open(path, encoding="utf-8") as source:
        for line in source:
            character, reading, weight, initial = line.rstrip("\n").split("\t")
            evidence.setdefault(character, []).append((reading, int(weight), int(initial)))
    return evidence


def load_exceptions(path):
    """{character: (reading, reason)} from 'character<TAB>reading<TAB>reason' lines."""
    exceptions = {}
    with open(path, encoding="utf-8") as source:
        for number, line in enumerate(source, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            fields = line.split("\t")
            if len(fields) != 3 or not fields[2].strip():
                sys.exit("%s:%d: want character, reading and reason, tab-separated" % (path, number))
            exceptions[fields[0]] = (fields[1], fields[2])
    return exceptions


def top_reading(weights):
    """The single heaviest reading, or None when there is none or several tie."""
    if not weights:
        return None
    heaviest = max(weights.values())
    tops = [r for r, w in weights.items() if w == heaviest]
    return tops[0] if len(tops) == 1 else None


def peer_votes(weights, readings):
    """1 for the heaviest of `readings` in a peer's `weights`, shared among ties."""
    known = {r: weights[r] for r in readings if r in weights}
    if not known or max(known.values()) <= 0:
        return {}
    heaviest = max(known.values())
    tops = [r for r, w in known.items() if w == heaviest]
    return {r: 1.0 / len(tops) for r in tops}


def own_vote(ranked):
    first, weight = ranked[0][0], ranked[0][1]
    others = max((w for _, w, _ in ranked[1:]), default=0)
    if weight > 0 and weight >= 2 * others:
        return {first: 1.0}
    if weight > 0 or others > 0:
        return {first: 0.5}
    return {}


def choose_first(ranked, terra, zhuyin):
    readings = [r for r, _, _ in ranked]
    votes = collections.Counter()
    for part in (peer_votes(terra, readings), peer_votes(zhuyin, readings), own_vote(ranked)):
        votes.update(part)
    best = readings[0]
    for reading in readings[1:]:
        if votes[reading] > votes[best]:
            best = reading
    return best


def distil(evidence, terra, zhuyin, exceptions, characters):
    """{character: first reading} for the characters whose first reading changes."""
    changes = {}
    for character in characters:
        ranked = evidence.get(character)
        if not ranked or len(ranked) < 2:
            continue
        readings = [r for r, _, _ in ranked]
        if character in exceptions:
            first = exceptions[character][0]
            if first not in readings:
                sys.exit("exception %s %s: the dictionary has no such reading" % (character, first))
        else:
            first = choose_first(ranked, terra.get(character, {}), zhuyin.get(character, {}))
        if first != readings[0]:
            changes[character] = first
    return changes


def disagreements(first_of, terra, zhuyin, characters):
    """Characters whose peers agree on one top reading that is not `first_of` them."""
    found = []
    for character in characters:
        agreed = top_reading(terra.get(character))
        if agreed and agreed == top_reading(zhuyin.get(character)):
            if first_of(character) != agreed:
                found.append(character)
    return found


def agreements(terra, zhuyin, characters):
    return sum(1 for c in characters
               if top_reading(terra.get(c)) and
               top_reading(terra.get(c)) == top_reading(zhuyin.get(c)))


def write_order_file(path, changes, characters, sources):
    with open(path, "w", encoding="utf-8") as out:
        out.write("# The reading that comes first, for each Big5 character whose first reading\n")
        out.write("# differs from the dictionary's own ranking. Made by\n")
        out.write("# tools/readingorder/regenerate.sh; edit reading-order-exceptions.txt, not this.\n")
        for source in sources:
            out.write("# read: %s\n" % source)
        for _, character in characters:
            if character in changes:
                out.write("%s %s\n" % (character, changes[character]))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--evidence", required=True, help="reading-evidence output")
    parser.add_argument("--terra", required=True, help="terra_pinyin.dict.yaml")
    parser.add_argument("--libzhuyin", required=True, help="libzhuyin's tsi.bin")
    parser.add_argument("--exceptions", required=True)
    parser.add_argument("--output", help="the reading-order file to write")
    parser.add_argument("--source", action="append", default=[],
                        help="a line naming what was read, for the file's header")
    parser.add_argument("--review", type=int, default=0,
                        help="list the changes among this many most used characters")
    args = parser.parse_args()

    evidence = load_evidence(args.evidence)
    terra = peer_readings.load_terra_pinyin(args.terra)
    zhuyin = peer_readings.load_libzhuyin_table(args.libzhuyin)
    exceptions = load_exceptions(args.exceptions)
    characters = list(big5_characters())
    changes = distil(evidence, terra, zhuyin, exceptions, [c for _, c in characters])

    def before(c):
        return evidence[c][0][0] if c in evidence else None

    def after(c):
        return changes.get(c, before(c))

    for name, low, high in (("level 1", 0xA440, 0xC67E), ("level 2", 0xC940, 0xF9D5)):
        level = [c for code, c in characters if low <= code <= high]
        agreed = agreements(terra, zhuyin, level)
        old = disagreements(before, terra, zhuyin, level)
        new = disagreements(after, terra, zhuyin, level)
        print("%s: %d characters, peers agree on %d; we differ on %d (%.1f %%) before, %d (%.1f %%)"
              " after: %s" % (name, len(level), agreed, len(old), 100.0 * len(old) / agreed,
                              len(new), 100.0 * len(new) / agreed, "".join(new[:40])))
    print("changes: %d" % len(changes))

    if args.review:
        usage = {c: sum(w for _, w, _ in ranked) for c, ranked in evidence.items()}
        frequent = sorted((c for _, c in characters if c in usage), key=lambda c: -usage[c])
        for rank, c in enumerate(frequent[:args.review], 1):
            if c in changes:
                print("%4d %s %s -> %s | ours %s | terra %s | libzhuyin %s" % (
                    rank, c, before(c), changes[c],
                    " ".join("%s:%d" % (r, w) for r, w, _ in evidence[c]),
                    " ".join("%s:%g" % kv for kv in sorted(terra.get(c, {}).items(),
                                                          key=lambda kv: -kv[1])),
                    " ".join("%s:%g" % kv for kv in sorted(zhuyin.get(c, {}).items(),
                                                          key=lambda kv: -kv[1]))))
    if args.output:
        write_order_file(args.output, changes, characters, args.source)


if __name__ == "__main__":
    main()
