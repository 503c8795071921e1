"""Words (of two characters or more unless asked) with their readings, from libchewing's phrase list and from
Rime's terra_pinyin.

Each loader returns {word: {reading: weight}}, a reading being the word's syllables separated by
spaces, written as the input method writes them (symbols, then the tone mark).
"""

import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "readingorder"))
from peer_readings import pinyin_to_zhuyin, rime_entries  # noqa: E402

_INITIALS = "\0ㄅㄆㄇㄈㄉㄊㄋㄌㄍㄎㄏㄐㄑㄒㄓㄔㄕㄖㄗㄘㄙ"
_MEDIALS = "\0ㄧㄨㄩ"
_FINALS = "\0ㄚㄛㄜㄝㄞㄟㄠㄡㄢㄣㄤㄥㄦ"
_TONES = ["", "˙", "ˊ", "ˇ", "ˋ"]


def _phone_text(phone):
    initial, medial, final, tone = phone >> 9, (phone >> 7) & 3, (phone >> 3) & 15, phone & 7
    if initial >= len(_INITIALS) or final >= len(_FINALS) or tone >= len(_TONES):
        return None
    text = "".join(s[i] for s, i in ((_INITIALS, initial), (_MEDIALS, medial), (_FINALS, final)) if i)
    return text + _TONES[tone] if text else None


def package_version(package):
    """The installed Debian package's version, for the header of a file made from its data."""
    return subprocess.run(["dpkg-query", "-W", "-f=${Version}", package], capture_output=True,
                          text=True).stdout or "unknown"


def load_chewing(folder, shortest=2):
    """libchewing's phrase list: index_tree.dat, a tree of 8-byte nodes (phone u16, then two
    u24), and dictionary.dat, the phrases' text. A leaf (phone 0) holds its phrase's offset and
    frequency; any other node the range of its children. shortest=1 keeps single characters."""
    tree = open(os.path.join(folder, "index_tree.dat"), "rb").read()
    text = open(os.path.join(folder, "dictionary.dat"), "rb").read()

    def node(i):
        p = tree[i * 8:i * 8 + 8]
        return p[0] | p[1] << 8, p[2] | p[3] << 8 | p[4] << 16, p[5] | p[6] << 8 | p[7] << 16

    words = {}
    _, first, end = node(0)
    stack = [(first, end, [])]
    while stack:
        begin, end, path = stack.pop()
        for i in range(begin, end):
            phone, a, b = node(i)
            if phone == 0:
                if len(path) < shortest:
                    continue
                word = text[a:text.index(b"\0", a)].decode("utf-8")
                reading = " ".join(path)
                entry = words.setdefault(word, {})
                entry[reading] = max(entry.get(reading, 0), b)
                continue
            syllable = _phone_text(phone)
            if syllable is not None:
                stack.append((a, b, path + [syllable]))
    return words


def load_terra(path):
    """Words of a Rime dictionary: 'word<TAB>pinyin syllables[<TAB>weight]'."""
    words = {}
    for fields in rime_entries(path):
        if len(fields[0]) < 2:
            continue
        syllables = [pinyin_to_zhuyin(s) for s in fields[1].split(" ")]
        if None in syllables or len(syllables) != len(fields[0]):
            continue
        weight = 1.0
        if len(fields) > 2:
            try:
                weight = float(fields[2].rstrip("%")) or 1.0
            except ValueError:
                pass
        entry = words.setdefault(fields[0], {})
        reading = " ".join(syllables)
        entry[reading] = entry.get(reading, 0) + weight
    return words
