#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpora into corpus/. The phrase-list seeds are a few syllables
cut out of the system's phonetic dictionary (libchewing3-data), so they are real, sound lists."""
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
DICT = sys.argv[1] if len(sys.argv) > 1 else "/usr/share/libchewing"
WANTED = "中文字行了"
PHRASES = {"中文"}


def node(data, i):
    phone, = struct.unpack_from("<H", data, 8 * i)
    a = int.from_bytes(data[8 * i + 2:8 * i + 5], "little")
    b = int.from_bytes(data[8 * i + 5:8 * i + 8], "little")
    return phone, a, b


def phrase(text, offset):
    return text[offset:text.index(b"\0", offset)].decode()


def cut(tree, text):
    """The parts of the tree that lead to WANTED characters and PHRASES, as nested lists."""
    def keep(i, depth):
        phone, a, b = node(tree, i)
        if phone == 0:
            p = phrase(text, a)
            ok = (len(p) == 1 and p in WANTED) or p in PHRASES
            return ("leaf", p, b) if ok else None
        children = [c for c in (keep(j, depth + 1) for j in range(a, b)) if c]
        return ("phone", phone, children) if children else None

    _, a, b = node(tree, 0)
    return [c for c in (keep(j, 1) for j in range(a, b)) if c]


def serialise(top):
    nodes, texts = [None], bytearray()
    queue = [(0, top)]
    while queue:
        index, children = queue.pop(0)
        begin = len(nodes)
        nodes.extend([None] * len(children))
        end = len(nodes)
        if index == 0:
            nodes[0] = (0, begin, end)
        else:
            nodes[index] = (nodes[index][0], begin, end)
        for k, child in enumerate(children):
            if child[0] == "leaf":
                nodes[begin + k] = (0, len(texts), child[2])
                texts += child[1].encode() + b"\0"
            else:
                nodes[begin + k] = (child[1], 0, 0)
                queue.append((begin + k, child[2]))
    out = bytearray()
    for phone, a, b in nodes:
        out += struct.pack("<H", phone) + a.to_bytes(3, "little") + b.to_bytes(3, "little")
    return bytes(out), bytes(texts)


def write(folder, name, data):
    os.makedirs(os.path.join(HERE, "corpus", folder), exist_ok=True)
    with open(os.path.join(HERE, "corpus", folder, name), "wb") as f:
        f.write(data)


def candidate_list(strings):
    count = len(strings)
    body, offsets = bytearray(), []
    at = 24 + 4 * count
    for s in strings:
        offsets.append(at + len(body))
        body += s + b"\0"
    size = at + len(body)
    head = struct.pack("<6I", size, 1, count, 0, 0, count)
    return head + struct.pack(f"<{count}I", *offsets) + bytes(body)


def query(key_limit, size, fetched, nth, word, lst, filler=0):
    units = word.encode("utf-16-le")
    return (struct.pack("<4i", key_limit, size, fetched, nth) + bytes([filler, len(word)]) +
            units + lst)


def main():
    big5 = lambda s: s.encode("cp950")
    one = candidate_list([big5("ㄓㄨㄥ")])
    two = candidate_list([big5("ㄒㄧㄥˊ"), big5("ㄏㄤˊ")])
    write("ime_query_comp", "one_reading", query(4, len(one), len(one), 1, "中", one))
    write("ime_query_comp", "second_of_two", query(4, len(two), len(two), 2, "行", two))
    write("ime_query_comp", "no_zero_in_window", query(2, len(one) + 9, 1, 1, "中", one, 0x41))
    write("ime_query_comp", "too_short_for_count", query(4, 10, 0, 1, "中", b"\0" * 10))
    write("ime_query_comp", "no_key_limit", query(0, 0, 0, 1, "", b""))
    write("ime_query_comp", "offset_past_end", query(4, 32, 32, 1, "a", struct.pack(
        "<8I", 32, 1, 1, 0, 0, 1, 0x7FFFFFF0, 0)))

    with open(os.path.join(DICT, "index_tree.dat"), "rb") as f:
        tree = f.read()
    with open(os.path.join(DICT, "dictionary.dat"), "rb") as f:
        text = f.read()
    small_tree, small_text = serialise(cut(tree, text))
    listing = struct.pack("<H", len(small_tree) // 8) + small_tree + small_text
    write("bytes", "phrase_list_in_memory", b"\1" + listing)
    write("bytes", "phrase_list_on_disk", b"\2" + listing)
    write("bytes", "phrase_list_truncated", b"\2" + listing[:len(listing) - 7])
    write("bytes", "code_page_text", b"\0" + big5("中文字，ㄓㄨㄥ abc") + b"\x81\x40\xa3\xe1\xff")
    write("bytes", "utf16_text", b"\0" + "中\u3000a\u0301\ud800\U00020000\0".encode(
        "utf-16-le", "surrogatepass"))


if __name__ == "__main__":
    main()
