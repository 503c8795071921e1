#!/usr/bin/env python3
"""Writes what the segmenter knows of characters standing alone, from libzhuyin's phrase table,
whose frequencies were counted on a split corpus:

- platform/phonetic/data/standing-alone.txt: for each character of libchewing's words, how often
  it was a piece of its own there, as ln(1 + count) in tenths;
- platform/phonetic/data/run-together.txt: libchewing's words of two characters that the corpus
  never counted as a word although both their characters stand alone at least a third of the time
  or so (-ln of the share at most 1.0): mostly two words run together (你的, 很好, 多為).

    tools/wordreadings/standing_alone.py [--chewing DIR] [--libzhuyin TSI.BIN] [--output FILE]
                                         [--run-together FILE]
"""

import argparse
import collections
import math
import os

from peer_words import load_chewing, package_version  # also puts tools/readingorder on the path
from peer_readings import libzhuyin_phrases  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "..", "platform", "phonetic", "data")
# The table files every word it has, and gives 1 to those its corpus never counted.
UNCOUNTED = 1


def libzhuyin_frequencies(path):
    """Each phrase of libzhuyin's table, one or more characters: its frequency, summed over the
    items it is filed under."""
    frequencies = collections.Counter()
    for phrase, frequency, _ in libzhuyin_phrases(path):
        frequencies[phrase] += frequency
    return frequencies


def write(path, rows, header):
    with open(path, "w", encoding="utf-8") as out:
        out.write(header + "\n".join(rows) + "\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--chewing", default="/usr/share/libchewing")
    parser.add_argument("--libzhuyin",
                        default="/usr/lib/x86_64-linux-gnu/ibus-libzhuyin/data/tsi.bin")
    parser.add_argument("--output", default=os.path.join(DATA, "standing-alone.txt"))
    parser.add_argument("--run-together", default=os.path.join(DATA, "run-together.txt"))
    args = parser.parse_args()
    chewing = load_chewing(args.chewing)
    in_chewing_words = {c for word in chewing for c in word}
    frequencies = libzhuyin_frequencies(args.libzhuyin)
    inside = collections.Counter()
    for phrase, frequency in frequencies.items():
        if len(phrase) > 1:
            for c in set(phrase):
                inside[c] += frequency
    alone_rows, often_alone = [], set()
    for c in sorted(in_chewing_words):
        alone = frequencies.get(c)
        if alone is None:
            continue
        alone_rows.append("%s\t%d" % (c, round(10 * math.log1p(alone))))
        if round(-10 * math.log((alone + 1) / (alone + inside[c] + 2))) <= 10:
            often_alone.add(c)
    run_together = sorted(
        word for word in chewing
        if len(word) == 2 and frequencies.get(word, UNCOUNTED) <= UNCOUNTED
        and all(c in often_alone for c in word))
    made_by = ("# Made by tools/wordreadings/standing_alone.py from ibus-libzhuyin %s and\n"
               "# libchewing3-data %s.\n"
               % (package_version("ibus-libzhuyin"), package_version("libchewing3-data")))
    write(args.output, alone_rows,
          "# How often a character stood alone, a piece of its own, in the corpus libzhuyin's\n"
          "# phrase frequencies were counted on: ln(1 + count), in tenths. One line a character\n"
          "# of libchewing's words that libzhuyin counts, tab-separated.\n" + made_by)
    write(args.run_together, run_together,
          "# Words of libchewing's list that are mostly two words run together: two characters\n"
          "# that each stand alone at least a third of the time or so, never counted as a word\n"
          "# in the corpus libzhuyin's phrase frequencies were counted on. One a line.\n" + made_by)
    print("%d characters written to %s, %d words to %s"
          % (len(alone_rows), args.output, len(run_together), args.run_together))


if __name__ == "__main__":
    main()
