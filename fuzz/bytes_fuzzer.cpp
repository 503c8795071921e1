// Arbitrary bytes into the code-page conversion and into the phonetic dictionary's reader.
//
// The first byte picks the consumer:
//   0  code page 950: the rest as code-page bytes and as UTF-16LE text;
//   1  the phrase list in memory: a little-endian 16-bit node count, that many 8-byte nodes of
//      index_tree.dat (fewer when the input ends), the rest as dictionary.dat; its words are
//      read too, and the phrase text split into them;
//   2  the same two files in a dictionary folder, read by the input method as the program reads
//      the system's, then looked up.
// A damaged phrase list must give an input method without readings, never a crash; an input
// method built on a sound one must answer every lookup with a well-formed list.
#include "lookup/ReadingLookup.h"
#include "platform/codepage/Cp950.h"
#include "platform/codepage/Utf8.h"
#include "platform/imm/PhoneticInputMethod.h"
#include "platform/phonetic/ContextRules.h"
#include "platform/phonetic/PhoneticDictionary.h"
#include "platform/phonetic/PhraseReadings.h"
#include "platform/phonetic/PhraseTree.h"
#include "platform/phonetic/Segmenter.h"
#include "platform/phonetic/VerbReadings.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "bytes_fuzzer: %s\n", what);
    __builtin_trap();
}

qsizetype countOf(QByteArrayView bytes, char c) {
    return std::count(bytes.begin(), bytes.end(), c);
}

void codePage(QByteArrayView bytes) {
    const QString decoded = codepage::fromAnsi(bytes);
    if (!QStringView(decoded).isValidUtf16())
        fail("decoding gave a lone surrogate");
    if (decoded.count(QChar(0)) != countOf(bytes, '\0'))
        fail("decoding made or lost a zero");
    if (codepage::fromAnsi(codepage::toAnsi(decoded)) != decoded)
        fail("decoded text does not convert back to itself");

    // The same bytes as UTF-16 text, lone surrogates and all. A zero in the converted text would
    // cut short the zero-terminated source that goes to the input method.
    QString text(bytes.size() / 2, Qt::Uninitialized);
    std::memcpy(text.data(), bytes.data(), static_cast<std::size_t>(text.size()) * 2);
    const QByteArray encoded = codepage::toAnsi(text);
    if (countOf(encoded, '\0') != text.count(QChar(0)))
        fail("encoding made or lost a zero");
    if (encoded.size() > 2 * text.size())
        fail("encoding took more than two bytes a unit");
    for (qsizetype i = 0; i + 1 < bytes.size() && i < 64; i += 2) {
        const auto code = static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[i]) << 8 |
                                                     static_cast<std::uint8_t>(bytes[i + 1]));
        if (const auto c = codepage::characterOf(code)) {
            const auto back = codepage::ansiCode(*c);
            if (!back || codepage::characterOf(*back) != c)
                fail("a character of the code page has no code of its own");
        }
    }
}

struct PhraseList {
    QByteArrayView tree, text;
};

PhraseList split(QByteArrayView rest) {
    if (rest.size() < 2)
        return {};
    const qsizetype nodes = qFromLittleEndian<std::uint16_t>(rest.data());
    rest = rest.sliced(2);
    const qsizetype treeBytes = std::min(8 * nodes, rest.size());
    return {rest.first(treeBytes), rest.sliced(treeBytes)};
}

void phraseListInMemory(const PhraseList& list) {
    const auto summary = phonetic::summarisePhraseTree(list.tree, list.text);
    if (summary) {
        for (const phonetic::ReadingUsage& r : summary->usage) {
            if (r.character > 0x10FFFF || (r.character >= 0xD800 && r.character <= 0xDFFF) ||
                !phonetic::zhuyin::isSyllable(r.phone) || r.wordInitialWeight > r.weight)
                fail("summary holds an impossible reading");
        }
    }
    (void)phonetic::checkPhraseTree(list.tree, list.text);

    const auto words = phonetic::PhraseReadings::build(list.tree, list.text);
    const std::string_view bytes(list.text.data(), static_cast<std::size_t>(list.text.size()));
    std::u32string text;
    for (std::size_t pos = 0; pos < bytes.size();) {
        if (const auto c = codepage::nextUtf8(bytes, pos))
            text += *c;
        else
            ++pos;
    }
    // The same bytes as a table of characters standing alone and a list of run-together words:
    // any of them split soundly.
    const auto alone = phonetic::StandingAlone::parse(list.text);
    phonetic::Segmenter segmenter(words, alone, phonetic::RunTogetherWords::parse(list.text));
    std::vector<phonetic::Word> pieces;
    segmenter.split(text, pieces);
    std::size_t covered = 0;
    for (const phonetic::Word& piece : pieces) {
        if (piece.begin != covered || piece.length == 0)
            fail("the split leaves a gap");
        covered += piece.length;
        if (piece.node == phonetic::Lexicon::kNone)
            continue;
        if (words.find(std::u32string_view(text).substr(piece.begin, piece.length)) != piece.node)
            fail("a word of the split is not found again");
        for (std::size_t nth = 0; nth < words.readingCount(piece.node); ++nth) {
            const auto phones = words.reading(piece.node, nth);
            if (phones.size() != piece.length)
                fail("a reading does not have a syllable for each character");
            for (const auto phone : phones) {
                if (!phonetic::zhuyin::isPhone(phone))
                    fail("a word's reading holds no syllable");
            }
        }
    }
    if (covered != text.size())
        fail("the split does not cover the text");
    std::vector<phonetic::zhuyin::Phone> readings(text.size(), 0);
    // The same bytes as verb readings too.
    phonetic::applyVerbReadings(text, pieces, readings, phonetic::VerbReadings::parse(list.text));
    phonetic::applyContextRules(text, pieces, readings);
    for (const auto phone : readings) {
        if (phone != 0 && !phonetic::zhuyin::isWellFormed(phone))
            fail("a rule gave a malformed syllable");
    }
}

// A folder beside the system's dictionary: its other files, linked, and the fuzzed phrase list.
class DictionaryFolder {
public:
    DictionaryFolder() {
        const QDir system(phonetic::systemDictionaryFolders().engine);
        for (const QString& name : system.entryList(QDir::Files)) {
            if (name != QLatin1String(phonetic::kPhraseTreeFile) &&
                name != QLatin1String(phonetic::kPhraseTextFile))
                QFile::link(system.filePath(name), QDir(dir_.path()).filePath(name));
        }
    }
    QString path() const { return dir_.path(); }
    void write(const PhraseList& list) const {
        put(phonetic::kPhraseTreeFile, list.tree);
        put(phonetic::kPhraseTextFile, list.text);
    }

private:
    void put(const char* name, QByteArrayView bytes) const {
        QFile file(QDir(dir_.path()).filePath(QString::fromLatin1(name)));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes.data(), bytes.size()) != bytes.size())
            fail("cannot write the dictionary folder");
    }
    QTemporaryDir dir_;
};

bool isReadingText(const QString& reading) {
    if (reading.isEmpty() || reading.size() > 4)
        return false;
    for (const QChar c : reading) {
        const char16_t u = c.unicode();
        if (!((u >= 0x3105 && u <= 0x3129) || u == 0x02D9 || u == 0x02CA || u == 0x02C7 ||
              u == 0x02CB))
            return false;
    }
    return true;
}

void phraseListOnDisk(const PhraseList& list) {
    static const DictionaryFolder folder;
    folder.write(list);
    imm::PhoneticInputMethod ime({folder.path(), folder.path()});
    const bool sound = phonetic::checkPhraseTree(list.tree, list.text).has_value();
    char none[] = "";
    const std::int32_t keyLimit =
        ime.ImmEscapeA(imm::PhoneticInputMethod::kPhoneticIme, 0, imm::IME_ESC_MAX_KEY, none);
    if (!sound && keyLimit != 0)
        fail("a damaged phrase list gave readings");
    if (keyLimit == 0)
        return;

    // The characters that the phrase text names, and the first few of what each reads as.
    const std::string_view text(list.text.data(), static_cast<std::size_t>(list.text.size()));
    int asked = 0;
    for (std::size_t pos = 0; pos < text.size() && asked < 32;) {
        const auto c = codepage::nextUtf8(text, pos);
        if (!c) {
            ++pos;
            continue;
        }
        const QString word = QString::fromUcs4(&*c, 1);
        ++asked;
        for (int nth = 1; nth <= 8; ++nth) {
            QString reading;
            try {
                reading =
                    lookup::ImeQueryComp(ime, imm::PhoneticInputMethod::kPhoneticIme, word, nth);
            } catch (const lookup::LookupError&) {
                fail("the input method answered with a list that breaks its bounds");
            }
            if (reading.isEmpty())
                break;
            if (!isReadingText(reading))
                fail("a reading that is not Zhuyin");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const QByteArrayView rest(reinterpret_cast<const char*>(data) + 1,
                              static_cast<qsizetype>(size - 1));
    switch (data[0] % 3) {
    case 0:
        codePage(rest);
        break;
    case 1:
        phraseListInMemory(split(rest));
        break;
    default:
        phraseListOnDisk(split(rest));
        break;
    }
    return 0;
}
