#include "platform/phonetic/PhraseTree.h"

#include "platform/codepage/Utf8.h"
#include "platform/phonetic/DictionaryFile.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <string_view>
#include <unordered_map>

namespace phonetic {
namespace {

constexpr std::size_t kNodeBytes = 8;
constexpr int kMaxPhraseLength = 11; // the engine's longest phrase
constexpr std::uint32_t kNone = UINT32_MAX;

struct Node {
    zhuyin::Phone phone;
    std::uint32_t first;  // children's begin, or the phrase's offset
    std::uint32_t second; // children's end, or the phrase's frequency
};

class Nodes {
public:
    explicit Nodes(QByteArrayView bytes)
        : data_(reinterpret_cast<const std::uint8_t*>(bytes.data()))
        , count_(static_cast<std::uint32_t>(bytes.size() / kNodeBytes)) {}

    std::uint32_t count() const { return count_; }

    Node at(std::uint32_t i) const {
        const auto node = qFromLittleEndian<std::uint64_t>(data_ + i * kNodeBytes);
        return {static_cast<zhuyin::Phone>(node & 0xFFFF),
                static_cast<std::uint32_t>(node >> 16 & 0xFFFFFF),
                static_cast<std::uint32_t>(node >> 40 & 0xFFFFFF)};
    }

    // The children of the phone node at `index`: after it, and inside the file.
    bool children(const Node& node, std::uint32_t index, std::uint32_t& begin,
                  std::uint32_t& end) const {
        begin = node.first;
        end = node.second;
        return index < begin && begin <= end && end <= count_;
    }

private:
    const std::uint8_t* data_;
    std::uint32_t count_;
};

// Where each character's readings lie among the slots, packed as first slot << 8 | count: a flat
// table for the Basic Multilingual Plane, where nearly all characters are, a map for the rest.
class SlotRanges {
public:
    std::uint32_t find(char32_t c) const {
        if (c <= 0xFFFF)
            return bmp_[c];
        const auto it = others_.find(c);
        return it == others_.end() ? kNone : it->second;
    }

    void set(char32_t c, std::uint32_t range) {
        if (c <= 0xFFFF)
            bmp_[c] = range;
        else
            others_[c] = range;
    }

private:
    std::vector<std::uint32_t> bmp_ = std::vector<std::uint32_t>(0x10000, kNone);
    std::unordered_map<char32_t, std::uint32_t> others_;
};

constexpr std::uint32_t kMaxSlots = 1u << 24;
constexpr std::uint32_t kMaxReadingsPerCharacter = 0xFF;

class Bits {
public:
    explicit Bits(std::size_t count)
        : words_((count + 63) / 64, 0) {}
    bool test(std::size_t i) const { return words_[i / 64] >> (i % 64) & 1; }
    void set(std::size_t i) { words_[i / 64] |= std::uint64_t{1} << (i % 64); }

private:
    std::vector<std::uint64_t> words_;
};

// Whether all of the text is UTF-8; phrases are then decoded without checking each again.
bool isUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        if (static_cast<std::uint8_t>(text[pos]) < 0x80)
            ++pos;
        else if (!codepage::nextUtf8(text, pos))
            return false;
    }
    return true;
}

// The characters of the zero-terminated phrase at `text`, in text already known to be UTF-8;
// false unless it has exactly `length` characters and starts on a character.
bool decodePhrase(const char* text, int length, char32_t* out) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(text);
    for (int k = 0; k < length; ++k) {
        const std::uint8_t lead = *p;
        if (lead == 0 || (lead >= 0x80 && lead < 0xC0))
            return false;
        if (lead < 0x80) {
            out[k] = lead;
            p += 1;
        } else if (lead < 0xE0) {
            out[k] = static_cast<char32_t>((lead & 0x1F) << 6 | (p[1] & 0x3F));
            p += 2;
        } else if (lead < 0xF0) {
            out[k] =
                static_cast<char32_t>((lead & 0x0F) << 12 | (p[1] & 0x3F) << 6 | (p[2] & 0x3F));
            p += 3;
        } else {
            out[k] = static_cast<char32_t>((lead & 0x07) << 18 | (p[1] & 0x3F) << 12 |
                                           (p[2] & 0x3F) << 6 | (p[3] & 0x3F));
            p += 4;
        }
    }
    return *p == 0;
}

void addSaturating(std::uint32_t& total, std::uint32_t amount) {
    total = total > UINT32_MAX - amount ? UINT32_MAX : total + amount;
}

class Summariser {
public:
    Summariser(QByteArrayView tree, QByteArrayView dictionary)
        : nodes_(tree)
        , dict_(dictionary.data(), static_cast<std::size_t>(dictionary.size()))
        , seen_(dict_.size())
        , shared_(dict_.size()) {}

    std::optional<PhraseTreeSummary> run() {
        if (!isUtf8(dict_) || !markSharedPhrases() || !collectSingles() || !walk())
            return std::nullopt;
        addSharedPhrases();
        PhraseTreeSummary summary;
        summary.usage.reserve(slots_.size());
        for (const Slot& slot : slots_)
            summary.usage.push_back({slot.character, slot.phone, slot.weight, slot.wordInitial});
        return summary;
    }

private:
    // One reading of one character, and its running figures. Kept small: the walk updates these
    // in no particular order, so their size decides how much of them the cache holds.
    struct Slot {
        char32_t character;
        std::uint32_t weight;
        std::uint32_t wordInitial;
        zhuyin::Phone phone;
    };
    // A use of a phrase whose text other leaves share: key = slot << 40 | offset << 16 | position.
    struct SharedUse {
        std::uint64_t key;
        std::uint32_t frequency;
        bool wordInitial;
    };

    bool phraseOf(const Node& leaf, int length, char32_t* out) const {
        return decodePhrase(dict_.data() + leaf.first, length, out);
    }

    // Leaves that share their phrase text with another leaf: only those need de-duplicating.
    bool markSharedPhrases() {
        for (std::uint32_t i = 1; i < nodes_.count(); ++i) {
            const Node node = nodes_.at(i);
            if (node.phone != 0)
                continue;
            if (node.first >= dict_.size())
                return false;
            if (seen_.test(node.first))
                shared_.set(node.first);
            seen_.set(node.first);
        }
        return true;
    }

    // The readings: each character filed on its own under a first-level syllable. Grouped by
    // character without sorting: count, then place.
    bool collectSingles() {
        std::uint32_t begin, end;
        if (!nodes_.children(nodes_.at(0), 0, begin, end))
            return false;
        struct Single {
            std::uint32_t id;
            zhuyin::Phone phone;
        };
        std::vector<Single> singles;
        std::vector<char32_t> characters;
        std::vector<std::uint32_t> counts;
        std::vector<zhuyin::Phone> lastPhone;
        SlotRanges ids; // here: character -> id
        for (std::uint32_t i = begin; i < end; ++i) {
            const Node syllable = nodes_.at(i);
            std::uint32_t first, last;
            if (syllable.phone != 0 && !nodes_.children(syllable, i, first, last))
                return false;
            // Bare tones file the tone marks themselves: symbols, not readings.
            if (!zhuyin::isSyllable(syllable.phone))
                continue;
            for (std::uint32_t j = first; j < last; ++j) {
                const Node leaf = nodes_.at(j);
                char32_t c;
                if (leaf.phone != 0 || !phraseOf(leaf, 1, &c))
                    continue;
                std::uint32_t id = ids.find(c);
                if (id == kNone) {
                    id = static_cast<std::uint32_t>(characters.size());
                    ids.set(c, id);
                    characters.push_back(c);
                    counts.push_back(0);
                    lastPhone.push_back(0);
                } else if (lastPhone[id] == syllable.phone) {
                    continue; // filed twice under one syllable
                }
                lastPhone[id] = syllable.phone;
                ++counts[id];
                singles.push_back({id, syllable.phone});
            }
        }
        if (singles.size() >= kMaxSlots)
            return false;
        std::vector<std::uint32_t> next(characters.size());
        std::uint32_t first = 0;
        for (std::size_t id = 0; id < characters.size(); ++id) {
            if (counts[id] > kMaxReadingsPerCharacter)
                return false;
            ranges_.set(characters[id], first << 8 | counts[id]);
            next[id] = first;
            first += counts[id];
        }
        slots_.resize(singles.size());
        for (const Single& single : singles)
            slots_[next[single.id]++] = {characters[single.id], 0, 0, single.phone};
        return true;
    }

    std::uint32_t slotOf(char32_t c, zhuyin::Phone phone) const {
        const std::uint32_t range = ranges_.find(c);
        if (range == kNone)
            return kNone;
        const std::uint32_t first = range >> 8;
        const std::uint32_t last = first + (range & 0xFF);
        for (std::uint32_t s = first; s < last; ++s) {
            if (slots_[s].phone == phone)
                return s;
        }
        return kNone;
    }

    // Depth-first over the whole tree, checking every node on the way.
    bool walk() {
        struct Frame {
            std::uint32_t next, end;
            int depth;
            zhuyin::Phone lastPhone;
        };
        Bits visited(nodes_.count());
        std::array<Frame, kMaxPhraseLength + 1> stack;
        std::array<zhuyin::Phone, kMaxPhraseLength> path{};
        std::uint32_t begin, end;
        nodes_.children(nodes_.at(0), 0, begin, end); // checked by collectSingles
        int top = 0;
        stack[0] = {begin, end, 0, 0};
        while (top >= 0) {
            Frame& frame = stack[top];
            if (frame.next == frame.end) {
                --top;
                continue;
            }
            const std::uint32_t index = frame.next++;
            if (visited.test(index))
                return false;
            visited.set(index);
            const Node node = nodes_.at(index);
            const int depth = frame.depth;
            if (node.phone == 0) {
                if (depth == 0 || !addLeaf(node, path.data(), depth))
                    return false;
                continue;
            }
            if (!zhuyin::isPhone(node.phone) || node.phone <= frame.lastPhone ||
                depth == kMaxPhraseLength || !nodes_.children(node, index, begin, end))
                return false;
            frame.lastPhone = node.phone;
            path[depth] = node.phone;
            stack[++top] = {begin, end, depth + 1, 0};
        }
        return true;
    }

    bool addLeaf(const Node& leaf, const zhuyin::Phone* path, int length) {
        std::array<char32_t, kMaxPhraseLength> characters;
        if (!phraseOf(leaf, length, characters.data()))
            return false;
        const bool shared = shared_.test(leaf.first);
        for (int k = 0; k < length; ++k) {
            const std::uint32_t slot = slotOf(characters[k], path[k]);
            if (slot == kNone)
                continue;
            const bool wordInitial = k == 0 && length > 1;
            if (shared) {
                const std::uint64_t key = std::uint64_t{slot} << 40 |
                                          std::uint64_t{leaf.first} << 16 |
                                          static_cast<std::uint64_t>(k);
                sharedUses_.push_back({key, leaf.second, wordInitial});
                continue;
            }
            addSaturating(slots_[slot].weight, leaf.second);
            if (wordInitial)
                addSaturating(slots_[slot].wordInitial, leaf.second);
        }
        return true;
    }

    // A phrase filed more than once with the same reading of a character counts once, at its
    // highest frequency.
    void addSharedPhrases() {
        std::sort(sharedUses_.begin(), sharedUses_.end(),
                  [](const SharedUse& a, const SharedUse& b) { return a.key < b.key; });
        for (std::size_t i = 0; i < sharedUses_.size();) {
            std::uint32_t frequency = 0;
            std::size_t j = i;
            for (; j < sharedUses_.size() && sharedUses_[j].key == sharedUses_[i].key; ++j)
                frequency = std::max(frequency, sharedUses_[j].frequency);
            Slot& slot = slots_[sharedUses_[i].key >> 40];
            addSaturating(slot.weight, frequency);
            if (sharedUses_[i].wordInitial)
                addSaturating(slot.wordInitial, frequency);
            i = j;
        }
    }

    Nodes nodes_;
    std::string_view dict_;
    Bits seen_;
    Bits shared_;
    SlotRanges ranges_;
    std::vector<Slot> slots_;
    std::vector<SharedUse> sharedUses_;
};

bool wellSized(QByteArrayView tree, QByteArrayView text) {
    return !tree.isEmpty() && tree.size() % kNodeBytes == 0 &&
           tree.size() / kNodeBytes <= (1u << 24) && !text.isEmpty() && text.back() == '\0';
}

} // namespace

std::optional<std::vector<zhuyin::Phone>> checkPhraseTree(QByteArrayView tree,
                                                          QByteArrayView text) {
    if (!wellSized(tree, text))
        return std::nullopt;
    const Nodes nodes(tree);
    std::uint32_t begin, end;
    for (std::uint32_t i = 0; i < nodes.count(); ++i) {
        const Node node = nodes.at(i);
        if (i != 0 && node.phone == 0) {
            if (node.first >= static_cast<std::uint32_t>(text.size()))
                return std::nullopt;
        } else if (!nodes.children(node, i, begin, end)) {
            return std::nullopt;
        }
    }
    std::vector<zhuyin::Phone> syllables;
    nodes.children(nodes.at(0), 0, begin, end);
    for (std::uint32_t i = begin; i < end; ++i) {
        const zhuyin::Phone phone = nodes.at(i).phone;
        if (zhuyin::isSyllable(phone))
            syllables.push_back(phone);
    }
    return syllables;
}

std::optional<PhraseTreeSummary> summarisePhraseTree(QByteArrayView tree, QByteArrayView text) {
    if (!wellSized(tree, text))
        return std::nullopt;
    return Summariser(tree, text).run();
}

PhraseTreeFiles::PhraseTreeFiles(const QString& folder) {
    const auto open = [&folder](QFile& file, const char* name) {
        FileAccess access;
        const int fd = openRegularFile(QDir(folder).filePath(QString::fromLatin1(name)), access);
        return fd >= 0 && file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    };
    if (!open(treeFile_, kPhraseTreeFile) || !open(textFile_, kPhraseTextFile))
        return;
    // Mapping shares the pages that the engine maps from the same files.
    const auto view = [](QFile& file, QByteArray& copy) -> std::optional<QByteArrayView> {
        if (file.size() == 0)
            return QByteArrayView();
        if (const uchar* p = file.map(0, file.size()))
            return QByteArrayView(reinterpret_cast<const char*>(p), file.size());
        copy = file.readAll();
        if (copy.size() != file.size())
            return std::nullopt; // a read error
        return QByteArrayView(copy);
    };
    const auto tree = view(treeFile_, treeCopy_);
    const auto text = view(textFile_, textCopy_);
    if (!tree || !text)
        return;
    treeView_ = *tree;
    textView_ = *text;
    present_ = true;
}

} // namespace phonetic
