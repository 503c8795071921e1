#!/usr/bin/env python3
"""Writes platform/phonetic/data/verb-readings.txt: the reading a character takes as a verb before
an aspect marker, a direction or a result, from libchewing's words of two characters that are
that character and such a marker (長出 ㄓㄤˇ, 撒下 撒開 ㄙㄚˇ).

For each character libchewing reads more than one way and each kind of marker: the reading that
its words with markers of that kind give it, if at least two words give it and it weighs
(frequency + 1, summed) at least four times as much as any other, so that a verb read both ways
before its markers (背起 背上 ㄅㄟ and ㄅㄟˋ) is left alone. A word the reviewed word readings
name counts with its reviewed reading only (累了 ㄌㄟˋ). 過 is no marker here: it also means
"too" (數過大).

    tools/wordreadings/verb_readings.py [--chewing DIR] [--output FILE]
"""

import argparse
import collections
import os

from peer_words import load_chewing, package_version

REVIEWED = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "platform",
                        "phonetic", "data", "word-readings.txt")

HERE = os.path.dirname(os.path.abspath(__file__))
OUTPUT = os.path.join(HERE, "..", "..", "platform", "phonetic", "data", "verb-readings.txt")
# Markers of one kind: aspects, directions, results.
KINDS = ["了著", "上下進出起回開", "完好住掉到"]
MARGIN = 4
# Their tone in words is the next syllable's business; the program writes their own tones.
SKIPPED = "一不"
# Two verbs before the same markers, which the words cannot tell apart: 倒 pours (ㄉㄠˋ) and falls
# (ㄉㄠˇ), 倒掉 either; 翹 lifts (ㄑㄧㄠˊ) and sticks up (ㄑㄧㄠˋ), 翹著 either.
TWO_VERBS = "倒翹"


def clear(weights):
    """The reading that outweighs every other MARGIN times over, or None."""
    ranked = weights.most_common(2)
    if not ranked or (len(ranked) == 2 and ranked[0][1] < MARGIN * ranked[1][1]):
        return None
    return ranked[0][0]


def reviewed_readings():
    """{word: reading} of the reviewed word readings."""
    with open(REVIEWED, encoding="utf-8") as source:
        return dict(line.split("\t")[:2] for line in source
                    if line.strip() and not line.startswith("#"))


def verb_readings(words, readings_of, reviewed):
    """{(character, markers of a kind): (reading, the words it comes from)}."""
    kind = collections.defaultdict(collections.Counter)
    kind_words = collections.defaultdict(lambda: collections.defaultdict(set))
    for word, readings in words.items():
        if len(word) != 2 or word[0] in SKIPPED or word[0] in TWO_VERBS:
            continue
        for k in KINDS:
            if word[1] not in k:
                continue
            if word in reviewed:
                readings = {reviewed[word]: max(readings.values())}
            for reading, frequency in readings.items():
                syllable = reading.split(" ")[0]
                kind[(word[0], k)][syllable] += frequency + 1
                kind_words[(word[0], k)][syllable].add(word)
    out = {}
    for (c, k), weights in kind.items():
        if len(readings_of.get(c, ())) < 2:
            continue
        reading = clear(weights)
        if reading and len(kind_words[(c, k)][reading]) >= 2:
            out[(c, k)] = (reading, sorted(kind_words[(c, k)][reading]))
    return out


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--chewing", default="/usr/share/libchewing")
    parser.add_argument("--output", default=OUTPUT)
    args = parser.parse_args()
    readings_of = collections.defaultdict(set)
    for word, readings in load_chewing(args.chewing, shortest=1).items():
        for reading in readings:
            for c, syllable in zip(word, reading.split(" ")):
                readings_of[c].add(syllable)
    found = verb_readings(load_chewing(args.chewing), readings_of, reviewed_readings())
    # One line a character and reading, its markers together.
    lines = collections.defaultdict(lambda: ("", set()))
    for (c, m), (reading, sources) in found.items():
        markers, words = lines[(c, reading)]
        lines[(c, reading)] = (markers + m, words | set(sources))
    rows = ["%s\t%s\t%s\t%s" % (c, reading, markers, " ".join(sorted(words)))
            for (c, reading), (markers, words) in sorted(lines.items())]
    with open(args.output, "w", encoding="utf-8") as out:
        out.write(
            "# The reading a character takes as a verb before an aspect marker, a direction or a\n"
            "# result, from libchewing's words of the two (see tools/wordreadings/verb_readings.py).\n"
            "# One line a character and reading, tab-separated: character, reading, the markers\n"
            "# it is read so before, the words that say so.\n"
            "# Made by tools/wordreadings/verb_readings.py from libchewing3-data %s.\n"
            % package_version("libchewing3-data"))
        out.write("\n".join(rows) + "\n")
    print("%d lines written to %s" % (len(rows), args.output))


if __name__ == "__main__":
    main()
