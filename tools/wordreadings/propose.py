#!/usr/bin/env python3
"""Lists the words whose most used reading in libchewing's phrase list differs from the one Rime's
terra_pinyin gives them, most used first: the proposals a reviewer judges for
platform/phonetic/data/word-readings.txt. Differences only in a neutral tone, or in the tone of
一 and 不 before the next syllable, are left out (both dictionaries file those unevenly), except on
得. Words already judged, accepted in word-readings.txt or left as they were in judged.txt, are
marked. Prints: frequency, word, libchewing's reading, terra_pinyin's, whether libchewing also lists
terra_pinyin's reading, the judgement so far; tab-separated.

    tools/wordreadings/propose.py [--chewing DIR] [--terra FILE] [--limit N]
"""

import argparse
import os

from peer_words import load_chewing, load_terra

HERE = os.path.dirname(os.path.abspath(__file__))
ACCEPTED = os.path.join(HERE, "..", "..", "platform", "phonetic", "data", "word-readings.txt")
JUDGED = os.path.join(HERE, "judged.txt")


def words_of(path, column=0):
    if not os.path.exists(path):
        return set()
    with open(path, encoding="utf-8") as source:
        return {line.split("\t")[column].strip() for line in source
                if line.strip() and not line.startswith("#")}


def proposals(chewing, terra):
    for word, readings in chewing.items():
        if word not in terra:
            continue
        ours = max(readings.items(), key=lambda kv: kv[1])[0]
        theirs = max(terra[word].items(), key=lambda kv: kv[1])[0]
        if ours == theirs:
            continue
        a, b = ours.split(), theirs.split()
        differing = [k for k in range(len(a)) if a[k] != b[k]]
        full_tone = [k for k in differing if not (a[k].endswith("˙") or b[k].endswith("˙"))
                     and word[k] not in "一不"]
        if full_tone or any(word[k] == "得" for k in differing):
            yield max(readings.values()), word, ours, theirs, theirs in readings


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--chewing", default="/usr/share/libchewing")
    parser.add_argument("--terra", default="/usr/share/rime-data/terra_pinyin.dict.yaml")
    parser.add_argument("--limit", type=int, default=0)
    args = parser.parse_args()
    accepted, judged = words_of(ACCEPTED), words_of(JUDGED)
    rows = sorted(proposals(load_chewing(args.chewing), load_terra(args.terra)), reverse=True)
    for n, (frequency, word, ours, theirs, listed) in enumerate(rows):
        if args.limit and n >= args.limit:
            break
        verdict = "accepted" if word in accepted else "left" if word in judged else "to judge"
        print("\t".join([str(frequency), word, ours, theirs, "listed" if listed else "new",
                         verdict]))


if __name__ == "__main__":
    main()
