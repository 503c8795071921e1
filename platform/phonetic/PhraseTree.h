#pragma once

#include "platform/phonetic/Zhuyin.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// The phonetic dictionary's phrase list (index_tree.dat + dictionary.dat): a tree of 8-byte
// nodes, each a 16-bit little-endian phone code and two 24-bit little-endian fields. Node 0 is
// the root. A node with a phone code holds the range [begin, end) of its children; a leaf (phone
// code 0) holds its phrase's byte offset in dictionary.dat (zero-terminated UTF-8) and the
// phrase's frequency. A leaf's phrase has one character per phone on the path to it.
namespace phonetic {

// How often one character takes one reading, summed over the phrases of the list.
struct ReadingUsage {
    char32_t character = 0;
    zhuyin::Phone phone = 0;
    // Frequencies of the phrases in which the character takes this reading; a phrase that the list
    // files under several readings of its other characters counts once.
    std::uint64_t weight = 0;
    // The part of the weight from phrases of two or more characters that begin with it.
    std::uint64_t wordInitialWeight = 0;
};

struct PhraseTreeSummary {
    // One entry per reading that the list gives a character on its own: each character's readings
    // together, in the list's (ascending) syllable order, as the engine lists them.
    std::vector<ReadingUsage> usage;
};

// The two files of a folder, mapped (or read, where mapping fails) while this lives. Only regular
// files are opened, never blocking.
class PhraseTreeFiles {
public:
    explicit PhraseTreeFiles(const QString& folder);
    PhraseTreeFiles(const PhraseTreeFiles&) = delete;
    PhraseTreeFiles& operator=(const PhraseTreeFiles&) = delete;

    // Both files are regular files and could be read.
    bool present() const { return present_; }
    QByteArrayView tree() const { return treeView_; }
    QByteArrayView text() const { return textView_; }

private:
    QFile treeFile_, textFile_;
    QByteArray treeCopy_, textCopy_;
    QByteArrayView treeView_, textView_;
    bool present_ = false;
};

// What the engine needs before it may read the files, which it trusts: every child range and
// phrase offset inside its file, children after their parent, the text zero-terminated. Gives the
// first-level syllables, in the file's order, when the files pass.
std::optional<std::vector<zhuyin::Phone>> checkPhraseTree(QByteArrayView tree, QByteArrayView text);

// Walks the whole list and sums its figures, checking everything on the way: each node reached
// once, sibling phones ascending, valid UTF-8 with one character per phone. Nothing when any of it
// fails.
std::optional<PhraseTreeSummary> summarisePhraseTree(QByteArrayView tree, QByteArrayView text);

inline constexpr const char* kPhraseTreeFile = "index_tree.dat";
inline constexpr const char* kPhraseTextFile = "dictionary.dat";

} // namespace phonetic
