#include "platform/phonetic/PhraseReadings.h"

#include "platform/codepage/Utf8.h"
#include "platform/phonetic/PhraseTree.h"

#include <algorithm>
#include <array>
#include <bit>
#include <optional>
#include <unordered_map>

namespace phonetic {
namespace {

constexpr std::size_t kNodeBytes = 8;
constexpr int kLongestPhrase = 11; // the engine's limit, and so the list's
// A word's node and its next character make one key: the node above the character's 21 bits.
constexpr int kCharacterBits = 21;
constexpr char32_t kCharacterLimit = 1u << kCharacterBits;

std::uint64_t keyOf(std::uint32_t node, char32_t c) {
    return std::uint64_t{node} << kCharacterBits | c;
}

// The slot to start from in a table of 2^(64 - shift) slots: the product's high bits, which
// depend on every bit of the key.
std::uint64_t slotOf(std::uint64_t key, int shift) {
    return key * 0x9E3779B97F4A7C15ull >> shift;
}

struct TreeNode {
    Phone phone;
    std::uint32_t first;  // children's begin, or the phrase's offset in the text
    std::uint32_t second; // children's end, or the phrase's frequency
};

TreeNode treeNode(QByteArrayView tree, std::uint32_t i) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(tree.data()) + i * kNodeBytes;
    return {static_cast<Phone>(p[0] | p[1] << 8),
            static_cast<std::uint32_t>(p[2] | p[3] << 8 | p[4] << 16),
            static_cast<std::uint32_t>(p[5] | p[6] << 8 | p[7] << 16)};
}

// Taiwan's dictionaries write 一 and 不 with the tone they take before the next syllable; the
// list files many words both ways, equally often. How many of them this reading changes.
int changedTones(std::span<const char32_t> characters, std::span<const Phone> phones) {
    int changed = 0;
    for (std::size_t k = 0; k + 1 < characters.size(); ++k) {
        const int tone = zhuyin::toneOf(phones[k]);
        if ((characters[k] == U'一' && tone != 0) || (characters[k] == U'不' && tone != 4))
            ++changed;
    }
    return changed;
}

} // namespace

class PhraseReadings::Builder {
public:
    Builder(QByteArrayView tree, QByteArrayView text)
        : tree_(tree)
        , text_(text.data(), static_cast<std::size_t>(text.size())) {}

    std::optional<PhraseReadings> run(const ReviewedWordReadings& reviewed) {
        if (!checkPhraseTree(tree_, QByteArrayView(text_.data(), text_.size())) || !walk())
            return std::nullopt;
        order();
        const std::unordered_map<Node, std::uint32_t> reviewedAt = placeReviewed(reviewed);
        out_.readingsOf_.assign(out_.length_.size() + 1, 0);
        std::vector<Reading> readings;
        readings.reserve(entries_.size() + reviewedAt.size());
        for (std::size_t i = 0; i < entries_.size();) {
            const Node node = entries_[i].node;
            const std::size_t from = readings.size();
            // A reading filed twice alike keeps its first place: the reviewed one, else the higher
            // frequency, sorted first.
            const auto add = [&](std::uint32_t phonesAt, std::uint32_t frequency) {
                for (std::size_t k = from; k < readings.size(); ++k) {
                    if (samePhones(node, readings[k].phonesAt, phonesAt))
                        return;
                }
                readings.push_back({phonesAt, frequency});
            };
            if (const auto it = reviewedAt.find(node); it != reviewedAt.end())
                add(it->second, entries_[i].frequency);
            for (; i < entries_.size() && entries_[i].node == node; ++i)
                add(entries_[i].phonesAt, entries_[i].frequency);
            out_.readingsOf_[node + 1] = static_cast<std::uint32_t>(readings.size() - from);
            ++out_.words_;
        }
        for (std::size_t node = 0; node + 1 < out_.readingsOf_.size(); ++node)
            out_.readingsOf_[node + 1] += out_.readingsOf_[node];
        out_.readings_ = std::move(readings);
        out_.phones_.shrink_to_fit();
        return std::move(out_);
    }

private:
    struct Entry {
        Node node;
        std::uint32_t frequency;
        std::uint32_t phonesAt;
        std::uint32_t textAt;
    };

    bool samePhones(Node node, std::uint32_t a, std::uint32_t b) const {
        const std::size_t n = out_.length_[node];
        return std::equal(out_.phones_.begin() + a, out_.phones_.begin() + a + n,
                          out_.phones_.begin() + b);
    }

    // The reviewed readings of the list's words, placed in phones_: word node -> where.
    std::unordered_map<Node, std::uint32_t> placeReviewed(const ReviewedWordReadings& reviewed) {
        std::unordered_map<Node, std::uint32_t> at;
        for (const ReviewedWordReadings::Entry& entry : reviewed.entries()) {
            Node node = kRoot;
            for (const char32_t c : entry.word)
                node = out_.next(node, c);
            if (node == kNone || node == kRoot || entry.phones.size() != out_.length_[node] ||
                !std::binary_search(entries_.begin(), entries_.end(), Entry{node, 0, 0, 0},
                                    [](const Entry& a, const Entry& b) { return a.node < b.node; }))
                continue; // not a word of the list
            at[node] = static_cast<std::uint32_t>(out_.phones_.size());
            out_.phones_.insert(out_.phones_.end(), entry.phones.begin(), entry.phones.end());
        }
        return at;
    }

    // Depth first over the tree, each node once (the check above made every range sound).
    bool walk() {
        const std::uint32_t count = static_cast<std::uint32_t>(tree_.size() / kNodeBytes);
        std::vector<bool> visited(count);
        struct Frame {
            std::uint32_t next, end;
        };
        std::array<Frame, kLongestPhrase + 1> stack;
        std::array<Phone, kLongestPhrase + 1> path{};
        const TreeNode root = treeNode(tree_, 0);
        int depth = 0;
        stack[0] = {root.first, root.second};
        while (depth >= 0) {
            Frame& frame = stack[depth];
            if (frame.next == frame.end) {
                --depth;
                continue;
            }
            const std::uint32_t index = frame.next++;
            if (visited[index])
                return false;
            visited[index] = true;
            const TreeNode node = treeNode(tree_, index);
            if (node.phone == 0) {
                if (depth >= 1 && !addPhrase(node, std::span(path).first(depth + 1)))
                    return false;
                continue;
            }
            if (!zhuyin::isPhone(node.phone) || depth + 1 > kLongestPhrase)
                return false;
            path[depth + 1] = node.phone;
            stack[++depth] = {node.first, node.second};
        }
        return true;
    }

    // A leaf under `path`: path[0] is unused, path[1..] are the phrase's phones.
    bool addPhrase(const TreeNode& leaf, std::span<const Phone> path) {
        const std::span<const Phone> phones = path.subspan(1);
        std::array<char32_t, kLongestPhrase> characters;
        std::size_t pos = leaf.first;
        for (std::size_t k = 0; k < phones.size(); ++k) {
            const auto c = codepage::nextUtf8(text_, pos);
            if (!c || *c == 0)
                return false;
            characters[k] = *c;
        }
        if (pos >= text_.size() || text_[pos] != '\0')
            return false;
        if (phones.size() < 2)
            return true; // characters on their own are the reading index's
        Node node = kRoot;
        for (std::size_t k = 0; k < phones.size(); ++k) {
            node = childOf(node, characters[k]);
            weights_[std::uint64_t{characters[k]} << 16 | phones[k]] += leaf.second;
        }
        entries_.push_back(
            {node, leaf.second, static_cast<std::uint32_t>(out_.phones_.size()), leaf.first});
        out_.phones_.insert(out_.phones_.end(), phones.begin(), phones.end());
        return true;
    }

    Node childOf(Node parent, char32_t c) {
        if (out_.keys_.empty() || (out_.length_.size() + 1) * 2 > out_.keys_.size())
            grow();
        const std::uint64_t key = keyOf(parent, c);
        for (std::uint64_t slot = slotOf(key, out_.shift_);; slot = (slot + 1) & out_.mask_) {
            if (out_.keys_[slot] == key)
                return out_.children_[slot];
            if (out_.keys_[slot] == 0) {
                const auto node = static_cast<Node>(out_.length_.size());
                out_.keys_[slot] = key;
                out_.children_[slot] = node;
                out_.length_.push_back(
                    static_cast<std::uint8_t>(parent == kRoot ? 1 : out_.length_[parent] + 1));
                return node;
            }
        }
    }

    void grow() {
        const std::size_t size = std::max<std::size_t>(1 << 16, out_.keys_.size() * 2);
        std::vector<std::uint64_t> keys(size, 0);
        std::vector<Node> children(size);
        const std::uint64_t mask = size - 1;
        const int shift = 64 - std::countr_zero(size);
        for (std::size_t i = 0; i < out_.keys_.size(); ++i) {
            if (out_.keys_[i] == 0)
                continue;
            std::uint64_t slot = slotOf(out_.keys_[i], shift);
            while (keys[slot] != 0)
                slot = (slot + 1) & mask;
            keys[slot] = out_.keys_[i];
            children[slot] = out_.children_[i];
        }
        out_.keys_ = std::move(keys);
        out_.children_ = std::move(children);
        out_.mask_ = mask;
        out_.shift_ = shift;
        if (out_.length_.empty())
            out_.length_.push_back(0); // the root
    }

    // Each word's readings together, most used first. Readings filed equally often: the one that
    // writes 一 and 不 as spoken, then the one whose first differing syllable the list uses more
    // for its character, then the list's order.
    void order() {
        std::vector<char32_t> a, b;
        const auto charactersOf = [&](const Entry& e, std::vector<char32_t>& out) {
            out.clear();
            std::size_t pos = e.textAt;
            for (std::size_t k = 0; k < out_.length_[e.node]; ++k)
                out.push_back(*codepage::nextUtf8(text_, pos));
        };
        std::stable_sort(entries_.begin(), entries_.end(), [&](const Entry& x, const Entry& y) {
            if (x.node != y.node)
                return x.node < y.node;
            if (x.frequency != y.frequency)
                return x.frequency > y.frequency;
            const std::size_t n = out_.length_[x.node];
            const std::span<const Phone> px(out_.phones_.data() + x.phonesAt, n);
            const std::span<const Phone> py(out_.phones_.data() + y.phonesAt, n);
            charactersOf(x, a);
            charactersOf(y, b);
            const int cx = changedTones(a, px), cy = changedTones(b, py);
            if (cx != cy)
                return cx > cy;
            for (std::size_t k = 0; k < n; ++k) {
                if (px[k] == py[k])
                    continue;
                const std::uint64_t wx = weights_[std::uint64_t{a[k]} << 16 | px[k]];
                const std::uint64_t wy = weights_[std::uint64_t{b[k]} << 16 | py[k]];
                return wx > wy;
            }
            return false;
        });
    }

    QByteArrayView tree_;
    std::string_view text_;
    PhraseReadings out_;
    std::vector<Entry> entries_;
    std::unordered_map<std::uint64_t, std::uint64_t> weights_;
};

PhraseReadings PhraseReadings::build(QByteArrayView tree, QByteArrayView text,
                                     const ReviewedWordReadings& reviewed) {
    if (auto built = Builder(tree, text).run(reviewed))
        return std::move(*built);
    return {};
}

Lexicon::Node PhraseReadings::next(Node node, char32_t c) const {
    // Key 0 marks a free slot, and a character wider than kCharacterBits would run into the
    // parent's bits: neither is in any word.
    if (keys_.empty() || node == kNone || c == 0 || c >= kCharacterLimit)
        return kNone;
    const std::uint64_t key = keyOf(node, c);
    for (std::uint64_t slot = slotOf(key, shift_);; slot = (slot + 1) & mask_) {
        if (keys_[slot] == key)
            return children_[slot];
        if (keys_[slot] == 0)
            return kNone;
    }
}

bool PhraseReadings::isWord(Node node) const {
    return readingCount(node) > 0;
}

std::uint32_t PhraseReadings::frequency(Node node) const {
    return isWord(node) ? readings_[readingsOf_[node]].frequency : 0;
}

Lexicon::Node PhraseReadings::find(std::u32string_view word) const {
    Node node = kRoot;
    for (const char32_t c : word)
        node = next(node, c);
    return word.size() >= 2 && isWord(node) ? node : kNone;
}

std::size_t PhraseReadings::readingCount(Node node) const {
    if (node == kNone || std::size_t{node} + 1 >= readingsOf_.size())
        return 0;
    return readingsOf_[node + 1] - readingsOf_[node];
}

std::span<const Phone> PhraseReadings::reading(Node node, std::size_t nth) const {
    if (nth >= readingCount(node))
        return {};
    return {phones_.data() + readings_[readingsOf_[node] + nth].phonesAt, length_[node]};
}

std::size_t PhraseReadings::memoryBytes() const {
    return keys_.capacity() * sizeof(std::uint64_t) + children_.capacity() * sizeof(Node) +
           readingsOf_.capacity() * sizeof(std::uint32_t) + readings_.capacity() * sizeof(Reading) +
           phones_.capacity() * sizeof(Phone) + length_.capacity();
}

} // namespace phonetic
