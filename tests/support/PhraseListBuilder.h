#pragma once

#include "platform/phonetic/Zhuyin.h"

#include <QByteArray>
#include <QString>
#include <QtEndian>

#include <map>
#include <memory>
#include <vector>

// Small phrase lists in the dictionary's format (platform/phonetic/PhraseTree.h), laid out as the
// real files are: breadth first, each node's children in one block, leaves first.
namespace qxtest {

using phonetic::zhuyin::Phone;

struct Phrase {
    std::vector<Phone> phones;
    QString text;
    std::uint32_t frequency = 0;
};

struct PhraseListBytes {
    QByteArray tree, text;

    void setNode(std::uint32_t index, Phone phone, std::uint32_t first, std::uint32_t second) {
        const std::uint64_t node = phone | std::uint64_t{first} << 16 | std::uint64_t{second} << 40;
        qToLittleEndian(node, tree.data() + 8 * index);
    }
};

inline PhraseListBytes buildPhraseList(const std::vector<Phrase>& phrases) {
    struct Trie {
        Phone phone = 0;
        std::vector<const Phrase*> leaves;
        std::map<Phone, std::unique_ptr<Trie>> children;
    };
    PhraseListBytes out;
    std::map<QString, std::uint32_t> textAt;
    Trie root;
    for (const Phrase& phrase : phrases) {
        Trie* node = &root;
        for (const Phone phone : phrase.phones) {
            auto& child = node->children[phone];
            if (!child)
                child = std::make_unique<Trie>(Trie{phone, {}, {}});
            node = child.get();
        }
        node->leaves.push_back(&phrase);
        if (textAt.try_emplace(phrase.text, static_cast<std::uint32_t>(out.text.size())).second)
            out.text.append(phrase.text.toUtf8()).append('\0');
    }
    struct Record {
        Phone phone;
        std::uint32_t first, second;
    };
    std::vector<Record> records(1);
    std::vector<std::pair<const Trie*, std::uint32_t>> queue{{&root, 0}};
    for (std::size_t q = 0; q < queue.size(); ++q) {
        const auto [node, index] = queue[q];
        const auto begin = static_cast<std::uint32_t>(records.size());
        for (const Phrase* leaf : node->leaves) {
            records.push_back({0, textAt[leaf->text], leaf->frequency});
        }
        for (const auto& [phone, child] : node->children) {
            queue.push_back({child.get(), static_cast<std::uint32_t>(records.size())});
            records.push_back({phone, 0, 0});
        }
        records[index] = {node->phone, begin, static_cast<std::uint32_t>(records.size())};
    }
    out.tree = QByteArray(8 * static_cast<qsizetype>(records.size()), '\0');
    for (std::uint32_t i = 0; i < records.size(); ++i)
        out.setNode(i, records[i].phone, records[i].first, records[i].second);
    return out;
}

} // namespace qxtest
