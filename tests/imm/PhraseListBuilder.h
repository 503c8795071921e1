#pragma once

#include "platform/imm/Zhuyin.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <map>
#include <memory>
#include <vector>

// Writes small phrase lists in the dictionary's format (see platform/imm/PhraseTree.h), laid out
// as the real files are: breadth first, each node's children in one block, leaves before phones.
namespace qxtest {

struct Phrase {
    std::vector<imm::zhuyin::Phone> phones;
    QString text;
    std::uint32_t frequency = 0;
};

struct PhraseListBytes {
    QByteArray tree;
    QByteArray text;
    std::map<std::vector<imm::zhuyin::Phone>, std::uint32_t> nodeAt; // phone node of each path
    std::map<QString, std::uint32_t> leafAt;                         // first leaf of each text
    std::map<QString, std::uint32_t> textAt;                         // offset of each text

    void setNode(std::uint32_t index, std::uint16_t phone, std::uint32_t first,
                 std::uint32_t second) {
        char* p = tree.data() + 8 * index;
        p[0] = static_cast<char>(phone & 0xFF);
        p[1] = static_cast<char>(phone >> 8);
        for (int i = 0; i < 3; ++i) {
            p[2 + i] = static_cast<char>(first >> (8 * i) & 0xFF);
            p[5 + i] = static_cast<char>(second >> (8 * i) & 0xFF);
        }
    }

    std::uint32_t field(std::uint32_t index, int which) const {
        const auto* p = reinterpret_cast<const std::uint8_t*>(tree.constData()) + 8 * index +
                        (which == 0 ? 2 : 5);
        return static_cast<std::uint32_t>(p[0] | p[1] << 8 | p[2] << 16);
    }

    bool writeTo(const QString& folder) const {
        QFile treeFile(QDir(folder).filePath(QStringLiteral("index_tree.dat")));
        QFile textFile(QDir(folder).filePath(QStringLiteral("dictionary.dat")));
        return treeFile.open(QIODevice::WriteOnly) && treeFile.write(tree) == tree.size() &&
               textFile.open(QIODevice::WriteOnly) && textFile.write(text) == text.size();
    }
};

inline PhraseListBytes buildPhraseList(const std::vector<Phrase>& phrases) {
    struct Trie {
        imm::zhuyin::Phone phone = 0;
        std::vector<const Phrase*> leaves;
        std::map<imm::zhuyin::Phone, std::unique_ptr<Trie>> children;
        std::vector<imm::zhuyin::Phone> path;
    };
    PhraseListBytes out;
    Trie root;
    for (const Phrase& phrase : phrases) {
        Trie* node = &root;
        for (const imm::zhuyin::Phone phone : phrase.phones) {
            auto& child = node->children[phone];
            if (!child) {
                child = std::make_unique<Trie>();
                child->phone = phone;
                child->path = node->path;
                child->path.push_back(phone);
            }
            node = child.get();
        }
        node->leaves.push_back(&phrase);
        if (!out.textAt.count(phrase.text)) {
            out.textAt[phrase.text] = static_cast<std::uint32_t>(out.text.size());
            out.text.append(phrase.text.toUtf8()).append('\0');
        }
    }

    struct Record {
        imm::zhuyin::Phone phone;
        std::uint32_t first, second;
    };
    std::vector<Record> records(1);
    std::vector<std::pair<const Trie*, std::uint32_t>> order{{&root, 0}};
    for (std::size_t q = 0; q < order.size(); ++q) {
        const auto [node, index] = order[q];
        const auto begin = static_cast<std::uint32_t>(records.size());
        for (const Phrase* leaf : node->leaves) {
            out.leafAt.try_emplace(leaf->text, static_cast<std::uint32_t>(records.size()));
            records.push_back({0, out.textAt[leaf->text], leaf->frequency});
        }
        for (const auto& [phone, child] : node->children) {
            const auto at = static_cast<std::uint32_t>(records.size());
            out.nodeAt[child->path] = at;
            records.push_back({phone, 0, 0});
            order.push_back({child.get(), at});
        }
        records[index] = {node->phone, begin, static_cast<std::uint32_t>(records.size())};
    }
    out.tree = QByteArray(8 * static_cast<qsizetype>(records.size()), '\0');
    for (std::size_t i = 0; i < records.size(); ++i)
        out.setNode(static_cast<std::uint32_t>(i), records[i].phone, records[i].first,
                    records[i].second);
    return out;
}

} // namespace qxtest
