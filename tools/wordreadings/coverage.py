#!/usr/bin/env python3
"""How often the reviewed word readings fire on a text: runs quilldex2-readings --context on it and
counts the words of platform/phonetic/data/word-readings.txt that the split chose. With --before
(another build of quilldex2-readings), also counts the characters read otherwise than that build
reads them, inside reviewed words and elsewhere (the rules of grammar).

    tools/wordreadings/coverage.py TEXT [--program BUILD/tools/readings/quilldex2-readings]
                                        [--before OTHER-BUILD/quilldex2-readings] [--top N]
"""

import argparse
import collections
import os
import re
import subprocess

HERE = os.path.dirname(os.path.abspath(__file__))
REVIEWED = os.path.join(HERE, "..", "..", "platform", "phonetic", "data", "word-readings.txt")
WORD = re.compile(r"([\u3400-\u9fff\uf900-\ufaff\U00020000-\U0003ffff]+)（([^）]*)）")


def run(program, arguments, text):
    with open(text, "rb") as source:
        return subprocess.run([program, *arguments], stdin=source, capture_output=True,
                              check=True).stdout.decode("utf-8")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("text")
    parser.add_argument("--program", default=os.path.join(
        HERE, "..", "..", "build", "tools", "readings", "quilldex2-readings"))
    parser.add_argument("--before")
    parser.add_argument("--top", type=int, default=20)
    args = parser.parse_args()
    with open(REVIEWED, encoding="utf-8") as source:
        reviewed = {line.split("\t")[0] for line in source
                    if line.strip() and not line.startswith("#")}

    fired = collections.Counter()
    after = characters(run(args.program, ["--context", "--format=inline"], args.text), reviewed,
                       fired)
    print("%d Han characters; reviewed words chosen %d times, %d of the %d words"
          % (len(after), sum(fired.values()), len(fired), len(reviewed)))
    for word, count in fired.most_common(args.top):
        print("  %6d  %s" % (count, word))

    if args.before:
        before = characters(run(args.before, ["--context", "--format=inline"], args.text),
                            reviewed, collections.Counter())
        if [c for c, _, _ in after] != [c for c, _, _ in before]:
            raise SystemExit("the two builds read different characters")
        where, changed = collections.Counter(), collections.Counter()
        for (c, reading, in_word), (_, earlier, _) in zip(after, before):
            if reading != earlier:
                where[in_word] += 1
                if not in_word:
                    changed["%s %s (was %s)" % (c, reading, earlier)] += 1
        print("characters read otherwise than --before reads them: %d in reviewed words, %d "
              "elsewhere" % (where[True], where[False]))
        for reading, count in changed.most_common(args.top):
            print("  %6d  %s" % (count, reading))


def characters(inline, reviewed, fired):
    """Each Han character of the inline listing: (character, reading, in a reviewed word)."""
    out = []
    for word, readings in WORD.findall(inline):
        if word in reviewed:
            fired[word] += 1
        syllables = readings.split(" ")
        syllables += [""] * (len(word) - len(syllables))
        out.extend(zip(word, syllables, [word in reviewed] * len(word)))
    return out


if __name__ == "__main__":
    main()
