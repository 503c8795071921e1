"""Per-reading weights of single characters from Debian's other Taiwan phonetic dictionaries.

Each loader returns {character: {zhuyin_reading: weight}}, readings written as the input method
writes them: symbols, then the tone mark (none for the first tone, ˙ for the neutral tone).
"""

import re
import struct

TONE_MARKS = {1: "", 2: "ˊ", 3: "ˇ", 4: "ˋ", 5: "˙"}

# Pinyin initials, longest first so that zh/ch/sh win over z/c/s.
_PINYIN_INITIALS = [
    ("zh", "ㄓ"), ("ch", "ㄔ"), ("sh", "ㄕ"), ("b", "ㄅ"), ("p", "ㄆ"), ("m", "ㄇ"), ("f", "ㄈ"),
    ("d", "ㄉ"), ("t", "ㄊ"), ("n", "ㄋ"), ("l", "ㄌ"), ("g", "ㄍ"), ("k", "ㄎ"), ("h", "ㄏ"),
    ("j", "ㄐ"), ("q", "ㄑ"), ("x", "ㄒ"), ("r", "ㄖ"), ("z", "ㄗ"), ("c", "ㄘ"), ("s", "ㄙ"),
]

_PINYIN_FINALS = {
    "a": "ㄚ", "o": "ㄛ", "e": "ㄜ", "eh": "ㄝ", "ai": "ㄞ", "ei": "ㄟ", "ao": "ㄠ", "ou": "ㄡ",
    "an": "ㄢ", "en": "ㄣ", "ang": "ㄤ", "eng": "ㄥ", "er": "ㄦ", "ong": "ㄨㄥ",
    "i": "ㄧ", "ia": "ㄧㄚ", "io": "ㄧㄛ", "ie": "ㄧㄝ", "iai": "ㄧㄞ", "iao": "ㄧㄠ", "iu": "ㄧㄡ",
    "ian": "ㄧㄢ", "in": "ㄧㄣ", "iang": "ㄧㄤ", "ing": "ㄧㄥ", "iong": "ㄩㄥ",
    "u": "ㄨ", "ua": "ㄨㄚ", "uo": "ㄨㄛ", "uai": "ㄨㄞ", "ui": "ㄨㄟ", "uan": "ㄨㄢ", "un": "ㄨㄣ",
    "uang": "ㄨㄤ", "ueng": "ㄨㄥ", "v": "ㄩ", "ve": "ㄩㄝ", "van": "ㄩㄢ", "vn": "ㄩㄣ",
}

# Syllables without an initial, spelt with y/w or bare.
_PINYIN_WHOLE = {
    "yi": "ㄧ", "ya": "ㄧㄚ", "yo": "ㄧㄛ", "ye": "ㄧㄝ", "yai": "ㄧㄞ", "yao": "ㄧㄠ", "you": "ㄧㄡ",
    "yan": "ㄧㄢ", "yin": "ㄧㄣ", "yang": "ㄧㄤ", "ying": "ㄧㄥ", "yong": "ㄩㄥ", "yu": "ㄩ",
    "yue": "ㄩㄝ", "yuan": "ㄩㄢ", "yun": "ㄩㄣ", "wu": "ㄨ", "wa": "ㄨㄚ", "wo": "ㄨㄛ",
    "wai": "ㄨㄞ", "wei": "ㄨㄟ", "wan": "ㄨㄢ", "wen": "ㄨㄣ", "wang": "ㄨㄤ", "weng": "ㄨㄥ",
    "wong": "ㄨㄥ", "r": "ㄦ",
}

_SIBILANTS = {"ㄓ", "ㄔ", "ㄕ", "ㄖ", "ㄗ", "ㄘ", "ㄙ"}
_PALATALS = {"ㄐ", "ㄑ", "ㄒ"}


def pinyin_to_zhuyin(syllable):
    """'chang2' -> 'ㄔㄤˊ'; None when it is not a pinyin syllable with a tone digit."""
    match = re.fullmatch(r"([a-z:]+)([1-5])", syllable)
    if not match:
        return None
    body, tone = match.group(1).replace("u:", "v"), int(match.group(2))
    if body in _PINYIN_WHOLE:
        return _PINYIN_WHOLE[body] + TONE_MARKS[tone]
    initial, rest = "", body
    for spelling, symbol in _PINYIN_INITIALS:
        if body.startswith(spelling):
            initial, rest = symbol, body[len(spelling):]
            break
    if initial in _PALATALS and rest.startswith("u"):
        rest = "v" + rest[1:]  # ju, que, xuan: the u is ü
    if initial in _SIBILANTS and rest == "i":
        final = ""  # zhi, ci: the vowel is not written
    elif rest in _PINYIN_FINALS:
        final = _PINYIN_FINALS[rest]
    else:
        return None
    if not initial and not final:
        return None
    return initial + final + TONE_MARKS[tone]


def rime_entries(path):
    """The tab-separated fields of each entry of a Rime dictionary: what follows the '...' that ends
    its header, comments and empty lines left out; at least two fields (text and pinyin)."""
    in_body = False
    with open(path, encoding="utf-8") as source:
        for line in source:
            line = line.rstrip("\n")
            if line == "...":
                in_body = True
                continue
            if not in_body or not line or line.startswith("#"):
                continue
            fields = line.split("\t")
            if len(fields) >= 2:
                yield fields


def load_terra_pinyin(path):
    """Single-character entries of a Rime dictionary: 'char<TAB>pinyin[<TAB>weight%]'.

    An entry without a weight is a character's only reading; it weighs 100.
    """
    readings = {}
    for fields in rime_entries(path):
        if len(fields[0]) != 1:
            continue
        reading = pinyin_to_zhuyin(fields[1])
        if reading is None:
            continue
        weight = 100.0
        if len(fields) > 2 and fields[2].endswith("%"):
            weight = float(fields[2][:-1])
        entry = readings.setdefault(fields[0], {})
        entry[reading] = entry.get(reading, 0.0) + weight
    return readings


# The 16-bit syllable keys of libzhuyin's phrase table spell pinyin: initial (5 bits), medial
# (2), final (5), tone (3), lowest first. y and w stand for no initial; the medial is spelt out.
_KEY_INITIALS = ["", "ㄅ", "ㄘ", "ㄔ", "ㄉ", "ㄈ", "ㄏ", "ㄍ", "ㄎ", "ㄐ", "ㄇ", "ㄋ", "ㄌ", "ㄖ",
                 "ㄆ", "ㄑ", "ㄙ", "ㄕ", "ㄊ", "", "ㄒ", "", "ㄗ", "ㄓ"]
_KEY_MEDIALS = ["", "ㄧ", "ㄨ", "ㄩ"]
_KEY_FINALS = ["", "ㄚ", "ㄞ", "ㄢ", "ㄤ", "ㄠ", "ㄜ", "ㄝ", "ㄟ", "ㄣ", "ㄥ", "ㄦ", None, "ㄛ",
               "ㄨㄥ", "ㄡ", "ㄧㄣ", "ㄧㄥ"]


def decode_zhuyin_key(key):
    initial, medial, final, tone = key & 31, (key >> 5) & 3, (key >> 7) & 31, (key >> 12) & 7
    if initial >= len(_KEY_INITIALS) or final >= len(_KEY_FINALS) or tone not in TONE_MARKS:
        return None
    initial_symbol, medial_symbol = _KEY_INITIALS[initial], _KEY_MEDIALS[medial]
    final_symbol = _KEY_FINALS[final]
    if final_symbol is None:
        return None
    if initial_symbol in _SIBILANTS and medial_symbol == "ㄧ" and not final_symbol:
        medial_symbol = ""  # zhi, si: the i is not a vowel of its own
    if final_symbol == "ㄜ" and medial_symbol in ("ㄧ", "ㄩ"):
        final_symbol = "ㄝ"  # ie, üe
    if final_symbol == "ㄨㄥ" and medial_symbol == "ㄧ":
        medial_symbol, final_symbol = "", "ㄩㄥ"  # iong
    text = initial_symbol + medial_symbol + final_symbol
    return text + TONE_MARKS[tone] if text else None


def libzhuyin_phrases(path):
    """The items of libzhuyin's phrase table (tsi.bin): a header, a table of 32-bit item offsets,
    then items, each section ended by '#'. An item is: length (u8), pronunciation count (u8),
    frequency (u32), the phrase in UCS-4, then per pronunciation one 16-bit key per character and
    a u32 frequency. Yields (phrase, frequency, [(keys, frequency), ...]) for each item.
    """
    data = open(path, "rb").read()
    # Three section offsets, counted from byte 8, follow the table's total frequency there.
    index_start, content_start, end = (8 + o for o in struct.unpack_from("<3I", data, 12))
    if data[index_start - 1:index_start] != b"#" or data[content_start - 1:content_start] != b"#":
        raise ValueError("%s: not a libzhuyin phrase table" % path)
    offsets = struct.unpack_from("<%dI" % ((content_start - 1 - index_start) // 4), data, index_start)
    for offset in set(offsets):
        at = content_start + offset
        if at + 6 > end:
            continue
        length, count = data[at], data[at + 1]
        if length == 0:
            continue
        frequency = struct.unpack_from("<I", data, at + 2)[0]
        phrase = "".join(chr(c) for c in struct.unpack_from("<%dI" % length, data, at + 6))
        pronunciations = []
        for k in range(count):
            item = at + 6 + 4 * length + (2 * length + 4) * k
            keys = struct.unpack_from("<%dH" % length, data, item)
            pronunciations.append((keys, struct.unpack_from("<I", data, item + 2 * length)[0]))
        yield phrase, frequency, pronunciations


def load_libzhuyin_table(path):
    """Each character of libzhuyin's phrase table with its readings and their frequencies."""
    readings = {}
    for phrase, _, pronunciations in libzhuyin_phrases(path):
        if len(phrase) != 1 or not pronunciations:
            continue
        entry = readings.setdefault(phrase, {})
        for (key,), frequency in pronunciations:
            reading = decode_zhuyin_key(key)
            if reading is not None:
                entry[reading] = entry.get(reading, 0) + frequency
    return readings
