#!/usr/bin/env python3
"""Writes platform/phonetic/data/standing-alone.txt: for each character of libchewing's words, how
much more the segmenter makes it cost to leave it on its own, the less often it stands alone in
text. The share comes from libzhuyin's phrase table, whose frequencies were counted on a split
corpus: how often the character was a piece of its own, against how often it was inside a word.
The cost is -ln(share), in tenths; characters that stand alone nineteen times in twenty or more
cost nothing more and are left out.

    tools/wordreadings/standing_alone.py [--chewing DIR] [--libzhuyin TSI.BIN] [--output FILE]
"""

import argparse
import collections
import math
import os
import subprocess

from peer_words import load_chewing  # also puts tools/readingorder on the path
from peer_readings import libzhuyin_phrases  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
OUTPUT = os.path.join(HERE, "..", "..", "platform", "phonetic", "data", "standing-alone.txt")


def libzhuyin_frequencies(path):
    """Each phrase of libzhuyin's table, one or more characters: its frequency, summed over the
    items it is filed under."""
    frequencies = collections.Counter()
    for phrase, frequency, _ in libzhuyin_phrases(path):
        frequencies[phrase] += frequency
    return frequencies


def version(package):
    return subprocess.run(["dpkg-query", "-W", "-f=${Version}", package], capture_output=True,
                          text=True).stdout or "unknown"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--chewing", default="/usr/share/libchewing")
    parser.add_argument("--libzhuyin",
                        default="/usr/lib/x86_64-linux-gnu/ibus-libzhuyin/data/tsi.bin")
    parser.add_argument("--output", default=OUTPUT)
    args = parser.parse_args()
    in_chewing_words = {c for word in load_chewing(args.chewing) for c in word}
    frequencies = libzhuyin_frequencies(args.libzhuyin)
    inside = collections.Counter()
    for phrase, frequency in frequencies.items():
        if len(phrase) > 1:
            for c in set(phrase):
                inside[c] += frequency
    rows = []
    for c in sorted(in_chewing_words):
        alone = frequencies.get(c)
        if alone is None:
            continue
        tenths = round(-10 * math.log((alone + 1) / (alone + inside[c] + 2)))
        if tenths >= 1:
            rows.append("%s\t%d" % (c, tenths))
    with open(args.output, "w", encoding="utf-8") as out:
        out.write(
            "# How much more a character costs the segmenter standing alone, the less often it\n"
            "# does: -ln of the share of its occurrences that were a piece of their own in the\n"
            "# corpus libzhuyin's phrase frequencies were counted on, in tenths. One line a\n"
            "# character of libchewing's words, tab-separated; characters that stand alone\n"
            "# nineteen times in twenty or more are left out (they cost nothing more).\n"
            "# Made by tools/wordreadings/standing_alone.py from ibus-libzhuyin %s and\n"
            "# libchewing3-data %s.\n" % (version("ibus-libzhuyin"), version("libchewing3-data")))
        out.write("\n".join(rows) + "\n")
    print("%d characters written to %s" % (len(rows), args.output))


if __name__ == "__main__":
    main()
