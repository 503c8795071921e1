#!/usr/bin/env python3
"""Lists the words a reviewer judges for platform/phonetic/data/word-readings.txt, most used first.

By default, the words whose most used reading in libchewing's phrase list differs from the one
Rime's terra_pinyin gives them. Differences only in a neutral tone on the same syllable, or in
the tone of 一 and 不 before the next syllable, are left out (both dictionaries file those
unevenly), except on 得.
Words already judged, accepted in word-readings.txt or left as they were in judged.txt, are
marked. Prints: frequency, word, libchewing's reading, terra_pinyin's, whether libchewing also
lists terra_pinyin's reading, the judgement so far; tab-separated.

With --single, the words not yet judged that libchewing reads only one way and that hold a
polyphone: a character libchewing reads in ways that differ in more than a neutral tone (一 and
不, whose tones follow the next syllable, are not polyphones for that alone). Each word is read
alone by quilldex2-readings --context, as the program reads it today. Prints: frequency, word,
the reading today, the polyphones' other readings (載:ㄗㄞˇ,ㄗㄞ), terra_pinyin's readings of the
word when it has it ("=" before them when one is today's, "≠" when none is); tab-separated.
Words judged right are recorded nowhere: --below N leaves out those used N times or more.
With --group, one block for each polyphone and the reading it takes today (all words that read
載 ㄗㄞˋ together, on one line, "≠" after those terra_pinyin reads otherwise), the block of the
most used word first.

With --multi, every word libchewing reads more than one way that nobody has judged yet, most used
first, whatever terra_pinyin says: readings that differ only in the tone of 一 or 不 count as one,
since quilldex2-readings writes both in their own tones anyway. Prints: the highest frequency, the
word, the reading --context gives it today, every reading with its frequency, terra_pinyin's
reading ("-" where it lacks the word); tab-separated.

    tools/wordreadings/propose.py [--chewing DIR] [--terra FILE] [--limit N]
    tools/wordreadings/propose.py --single [--group] [--min-frequency N] [--below N]
                                  [--program BUILD/...]
    tools/wordreadings/propose.py --multi [--limit N] [--program BUILD/...]
"""

import argparse
import collections
import os
import re
import subprocess

from peer_words import load_chewing, load_terra

HERE = os.path.dirname(os.path.abspath(__file__))
ACCEPTED = os.path.join(HERE, "..", "..", "platform", "phonetic", "data", "word-readings.txt")
JUDGED = os.path.join(HERE, "judged.txt")
PROGRAM = os.path.join(HERE, "..", "..", "build", "tools", "readings", "quilldex2-readings")
INLINE_WORD = re.compile(r"([\u3400-\u9fff\uf900-\ufaff\U00020000-\U0003ffff]+)（([^）]*)）")
TONES = "ˊˇˋ˙"


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
        full_tone = [k for k in differing if word[k] not in "一不"
                     and not alike(word[k], a[k], b[k])]
        if full_tone or any(word[k] == "得" for k in differing):
            yield max(readings.values()), word, ours, theirs, theirs in readings


def alike(character, a, b):
    """Whether two readings of a character are one for a reviewer: equal, or the same syllable
    once one is in the neutral tone, or any tone of 一 and 不."""
    if a == b:
        return True
    if a.rstrip(TONES) != b.rstrip(TONES):
        return False
    return character in "一不" or a.endswith("˙") or b.endswith("˙")


def polyphones(characters):
    """{character: its readings} for the characters read in ways that are not alike."""
    return {c: list(readings) for c, readings in characters.items()
            if any(not alike(c, a, b) for a in readings for b in readings)}


def read_in_context(program, words):
    """Each word's reading when quilldex2-readings --context reads it alone on a line."""
    out = subprocess.run([program, "--context", "--format=inline"], input="\n".join(words) + "\n",
                         capture_output=True, check=True, text=True).stdout.splitlines()
    if len(out) != len(words):
        raise SystemExit("%s answered %d lines for %d words" % (program, len(out), len(words)))
    readings = []
    for word, line in zip(words, out):
        syllables = [s for _, reading in INLINE_WORD.findall(line) for s in reading.split(" ")]
        readings.append(" ".join(syllables) if len(syllables) == len(word) else None)
    return readings


def as_written(word, reading):
    """The reading as quilldex2-readings writes it: 一 and 不 in their own tones, unless neutral."""
    syllables = reading.split(" ")
    for k, c in enumerate(word):
        if c in "一不" and not syllables[k].endswith("˙"):
            syllables[k] = "ㄧ" if c == "一" else "ㄅㄨˋ"
    return " ".join(syllables)


def multi_rows(args):
    skip = words_of(ACCEPTED) | words_of(JUDGED)
    rows = sorted(((max(readings.values()), word, readings)
                   for word, readings in load_chewing(args.chewing).items()
                   if word not in skip and len({as_written(word, r) for r in readings}) > 1),
                  key=lambda row: (-row[0], row[1]))
    if args.limit:
        rows = rows[:args.limit]
    terra = load_terra(args.terra)
    today = read_in_context(args.program, [word for _, word, _ in rows])
    for (frequency, word, readings), reading in zip(rows, today):
        listed = " / ".join("%s %d" % kv for kv in sorted(readings.items(), key=lambda kv: -kv[1]))
        theirs = max(terra[word].items(), key=lambda kv: kv[1])[0] if word in terra else "-"
        yield frequency, word, reading or "?", listed, theirs


def single_readings(chewing, characters, skip, least, below):
    """(frequency, word, libchewing's reading) of the unjudged words read one way that hold a
    polyphone, used at least `least` times and fewer than `below` (0: any), most used first."""
    rows = [(max(readings.values()), word, next(iter(readings)))
            for word, readings in chewing.items()
            if len(readings) == 1 and word not in skip and any(c in characters for c in word)]
    return sorted((r for r in rows if r[0] >= least and (not below or r[0] < below)),
                  key=lambda r: (-r[0], r[1]))


def single_rows(args):
    characters = polyphones(load_chewing(args.chewing, shortest=1))
    chewing, terra = load_chewing(args.chewing), load_terra(args.terra)
    rows = single_readings(chewing, characters, words_of(ACCEPTED) | words_of(JUDGED),
                           args.min_frequency, args.below)
    if args.limit:
        rows = rows[:args.limit]
    today = read_in_context(args.program, [word for _, word, _ in rows])
    for (frequency, word, listed), reading in zip(rows, today):
        reading = reading or listed
        others = []
        for c, syllable in zip(word, reading.split(" ")):
            if c in characters:
                rest = [r for r in characters[c] if not alike(c, r, syllable)]
                others.append((c, syllable, "%s:%s" % (c, ",".join(rest))))
        theirs = ""
        if word in terra:
            theirs = ("=" if reading in terra[word] else "≠") + " / ".join(terra[word])
        yield frequency, word, reading, others, theirs


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--chewing", default="/usr/share/libchewing")
    parser.add_argument("--terra", default="/usr/share/rime-data/terra_pinyin.dict.yaml")
    parser.add_argument("--limit", type=int, default=0)
    parser.add_argument("--single", action="store_true")
    parser.add_argument("--multi", action="store_true")
    parser.add_argument("--group", action="store_true")
    parser.add_argument("--min-frequency", type=int, default=0)
    parser.add_argument("--below", type=int, default=0)
    parser.add_argument("--program", default=PROGRAM)
    args = parser.parse_args()
    if args.multi:
        for row in multi_rows(args):
            print("\t".join(str(field) for field in row))
        return
    if args.single:
        rows = list(single_rows(args))
        if not args.group:
            for frequency, word, reading, others, theirs in rows:
                print("\t".join([str(frequency), word, reading, " ".join(o for _, _, o in others),
                                 theirs]))
            return
        blocks = collections.OrderedDict()
        for row in rows:
            for c, syllable, other in row[3]:
                blocks.setdefault((c, syllable, other), []).append(row)
        for (c, syllable, other), members in blocks.items():
            print("# %s %s (else %s): %d words" % (c, syllable, other.split(":")[1], len(members)))
            print("  " + " ".join(word + theirs[:1].replace("=", "")
                                  for _, word, _, _, theirs in members))
        return
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
