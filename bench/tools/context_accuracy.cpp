// How many polyphones quilldex2-readings reads as in context, on sentences built around them
// (bench/phonetic/polyphone_sentences*.txt, or the files named), beside first readings alone.
// Prints each miss.
#include "tools/readings/ContextReadings.h"

#include "platform/imm/SystemInputMethodManager.h"
#include "platform/phonetic/PhoneticDictionary.h"
#include "platform/phonetic/PhraseTree.h"
#include "tools/readings/ReadingsTool.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace {

struct Target {
    std::size_t character; // index in the sentence's characters
    std::string expected;
};

struct Tally {
    int right = 0, total = 0;
    void add(bool ok) { right += ok, ++total; }
    double percent() const { return total ? 100.0 * right / total : 0; }
};

// The sentence without its bracketed readings, and the readings as targets.
std::string parseSentence(const std::string& line, std::vector<Target>& targets) {
    std::string text;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < line.size();) {
        if (line[i] == '[') {
            const std::size_t close = line.find(']', i);
            targets.push_back({characters - 1, line.substr(i + 1, close - i - 1)});
            i = close + 1;
            continue;
        }
        const auto lead = static_cast<unsigned char>(line[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        text.append(line, i, length);
        i += length;
        ++characters;
    }
    return text;
}

struct Reader {
    readings::ContextReadings& inContext;
    readings::CharacterReadings& firstReadings;
    readings::AnnotatedLine byContext, byFirst;

    // Tallies one file: lines before "# held out", if it has one, are the examples we started
    // from; the rest are held out.
    bool tally(const QString& name) {
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(name));
            return false;
        }
        const QList<QByteArray> lines = file.readAll().split('\n');
        Tally context[2], first[2]; // [0] examples, [1] held out
        int part = std::any_of(lines.begin(), lines.end(),
                               [](const QByteArray& l) { return l.startsWith("# held out"); })
                       ? 0
                       : 1;
        for (const QByteArray& raw : lines) {
            const std::string line = raw.trimmed().toStdString();
            if (line.starts_with("# held out"))
                part = 1;
            if (line.empty() || line.starts_with('#'))
                continue;
            std::vector<Target> targets;
            const std::string text = parseSentence(line, targets);
            inContext.annotate(text, byContext);
            firstReadings.annotate(text, byFirst);
            for (const Target& t : targets) {
                const auto& c = byContext.characters()[t.character];
                const std::string_view got = byContext.readingOf(c);
                context[part].add(got == t.expected);
                first[part].add(byFirst.readingOf(byFirst.characters()[t.character]) == t.expected);
                if (got != t.expected)
                    std::printf("miss  %s  %.*s: %s, not %.*s\n", text.c_str(),
                                int(byContext.textOf(c).size()), byContext.textOf(c).data(),
                                t.expected.c_str(), int(got.size()), got.data());
            }
        }
        const char* parts[2] = {"examples", "held out"};
        for (int p = 0; p < 2; ++p) {
            if (context[p].total)
                std::printf("%s, %s: %d polyphones: in context %5.1f %%, first readings %5.1f %%\n",
                            qPrintable(QFileInfo(name).fileName()), parts[p], context[p].total,
                            context[p].percent(), first[p].percent());
        }
        return true;
    }
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList names;
    for (int i = 1; i < argc; ++i)
        names << QString::fromLocal8Bit(argv[i]);
    if (names.isEmpty())
        names << QStringLiteral(QX_SENTENCES_DIR "/polyphone_sentences.txt")
              << QStringLiteral(QX_SENTENCES_DIR "/polyphone_sentences_unseen.txt")
              << QStringLiteral(QX_SENTENCES_DIR "/polyphone_sentences_blind.txt")
              << QStringLiteral(QX_SENTENCES_DIR "/polyphone_sentences_fourth.txt")
              << QStringLiteral(QX_SENTENCES_DIR "/polyphone_sentences_fifth.txt");
    auto ime = imm::makeSystemInputMethodManager();
    readings::ConsolePump pump;
    const phonetic::PhraseTreeFiles files(phonetic::systemDictionaryFolders().usage);
    const auto words = phonetic::PhraseReadings::build(files.tree(), files.text());
    readings::ContextReadings inContext(words, *ime, pump);
    readings::CharacterReadings firstReadings(*ime, pump, false);
    Reader reader{inContext, firstReadings, {}, {}};
    for (const QString& name : names) {
        if (!reader.tally(name))
            return 1;
    }
    return 0;
}
