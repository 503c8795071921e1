// Prints what the phonetic dictionary says of each character's readings, for the reading-order
// generator: one line a reading, "character<TAB>reading<TAB>weight<TAB>word-initial weight", each
// character's readings in the order the input method ranks them before the reading-order file.
// Readings that are not well-formed syllables are left out, as the input method leaves them out.
#include "platform/phonetic/PhoneticDictionary.h"
#include "platform/phonetic/PhraseTree.h"
#include "platform/phonetic/Ranking.h"

#include <QCoreApplication>

#include <cstdio>
#include <span>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString folder =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : phonetic::systemDictionaryFolders().usage;
    const phonetic::PhraseTreeFiles files(folder);
    const auto summary =
        files.present() ? phonetic::summarisePhraseTree(files.tree(), files.text()) : std::nullopt;
    if (!summary) {
        std::fprintf(stderr, "reading-evidence: no readable phrase list in %s\n",
                     folder.toLocal8Bit().constData());
        return 1;
    }
    std::vector<phonetic::ReadingUsage> usage = summary->usage;
    std::erase_if(usage, [](const phonetic::ReadingUsage& r) {
        return !phonetic::zhuyin::isWellFormed(r.phone);
    });
    for (std::size_t begin = 0; begin < usage.size();) {
        std::size_t end = begin + 1;
        while (end < usage.size() && usage[end].character == usage[begin].character)
            ++end;
        const std::span<phonetic::ReadingUsage> group(usage.data() + begin, end - begin);
        phonetic::rankReadings(group);
        for (const phonetic::ReadingUsage& r : group) {
            const char32_t c = r.character;
            std::printf("%s\t%s\t%llu\t%llu\n", QString::fromUcs4(&c, 1).toUtf8().constData(),
                        phonetic::zhuyin::toText(r.phone).toUtf8().constData(),
                        static_cast<unsigned long long>(r.weight),
                        static_cast<unsigned long long>(r.wordInitialWeight));
        }
        begin = end;
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
