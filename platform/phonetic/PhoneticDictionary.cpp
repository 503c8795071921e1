#include "platform/phonetic/PhoneticDictionary.h"

#include "platform/phonetic/ChewingEngine.h"
#include "platform/phonetic/DictionaryFile.h"
#include "platform/phonetic/PhraseTree.h"

#include <QDir>
#include <QLoggingCategory>

#include <algorithm>
#include <unordered_map>

namespace phonetic {
namespace {

Q_LOGGING_CATEGORY(lcDictionary, "quilldex.imm", QtCriticalMsg)

// How many syllables the engine is asked about to confirm that it reads the phrase list as we do.
constexpr std::size_t kSpotChecks = 16;

// Every file the engine opens in its folder; user phrases stay in memory.
constexpr const char* kEngineFiles[] = {kPhraseTreeFile, kPhraseTextFile, "pinyin.tab", "swkb.dat",
                                        "symbols.dat"};

FileAccess accessOf(const QString& folder, const char* name) {
    return probeFile(QDir(folder).filePath(QString::fromLatin1(name)));
}

bool holdsPhraseList(const QString& folder) {
    return accessOf(folder, kPhraseTreeFile) == FileAccess::Readable &&
           accessOf(folder, kPhraseTextFile) == FileAccess::Readable;
}

// Why the engine must not be given the folder, if it must not: it would block on a pipe in a
// file's place, and load half of the phrase list and crash on the first key.
std::optional<DictionaryStatus> engineFilesProblem(const QString& folder) {
    for (const char* name : kEngineFiles) {
        switch (accessOf(folder, name)) {
        case FileAccess::NotRegular:
            return DictionaryStatus::Missing;
        case FileAccess::Unreadable:
            return DictionaryStatus::Unreadable;
        case FileAccess::Absent:
        case FileAccess::Readable:
            break;
        }
    }
    if ((accessOf(folder, kPhraseTreeFile) == FileAccess::Absent) !=
        (accessOf(folder, kPhraseTextFile) == FileAccess::Absent))
        return DictionaryStatus::Missing;
    return std::nullopt;
}

const char* describe(DictionaryStatus status) {
    switch (status) {
    case DictionaryStatus::Usable:
        return "usable";
    case DictionaryStatus::Missing:
        return "missing";
    case DictionaryStatus::Unreadable:
        return "unreadable";
    case DictionaryStatus::Damaged:
        return "damaged";
    }
    return "";
}

// The engine lists exactly what the phrase list files on its own under each syllable; listing
// every syllable through it costs far more than reading the list. So the list is read, and the
// engine confirms it on syllables spread over the whole range.
bool engineAgrees(ChewingEngine& engine, std::span<const zhuyin::Phone> syllables,
                  const PhraseTreeSummary& summary) {
    if (syllables.empty())
        return false;
    const std::size_t step = std::max<std::size_t>(1, syllables.size() / kSpotChecks);
    for (std::size_t i = 0; i < syllables.size(); i += step) {
        const zhuyin::Phone phone = syllables[i];
        std::vector<char32_t> fromEngine = engine.candidatesOf(phone);
        std::vector<char32_t> fromList;
        for (const ReadingUsage& reading : summary.usage) {
            if (reading.phone == phone)
                fromList.push_back(reading.character);
        }
        std::sort(fromEngine.begin(), fromEngine.end());
        std::sort(fromList.begin(), fromList.end());
        if (fromEngine != fromList)
            return false;
    }
    return true;
}

// The engine's listing, grouped by character in its order, with the list's figures if any.
std::vector<ReadingUsage> withUsage(const std::vector<ListedReading>& listed,
                                    const PhraseTreeSummary* summary) {
    std::unordered_map<std::uint64_t, const ReadingUsage*> figures;
    const auto key = [](char32_t c, zhuyin::Phone p) { return std::uint64_t{c} << 16 | p; };
    if (summary) {
        for (const ReadingUsage& reading : summary->usage)
            figures.emplace(key(reading.character, reading.phone), &reading);
    }
    std::vector<ReadingUsage> readings;
    readings.reserve(listed.size());
    for (const ListedReading& l : listed) {
        ReadingUsage reading{l.character, l.phone, 0, 0};
        if (const auto it = figures.find(key(l.character, l.phone)); it != figures.end())
            reading = *it->second;
        readings.push_back(reading);
    }
    std::stable_sort(
        readings.begin(), readings.end(),
        [](const ReadingUsage& a, const ReadingUsage& b) { return a.character < b.character; });
    readings.erase(std::unique(readings.begin(), readings.end(),
                               [](const ReadingUsage& a, const ReadingUsage& b) {
                                   return a.character == b.character && a.phone == b.phone;
                               }),
                   readings.end());
    return readings;
}

} // namespace

DictionaryFolders systemDictionaryFolders() {
    QString folder = QStringLiteral(QX_CHEWING_DATADIR);
    const QString searchPath = qEnvironmentVariable("CHEWING_PATH");
    if (!searchPath.isEmpty()) {
        const QStringList candidates = searchPath.split(QLatin1Char(':'), Qt::SkipEmptyParts);
        folder = candidates.value(0, folder);
        for (const QString& candidate : candidates) {
            if (holdsPhraseList(candidate)) {
                folder = candidate;
                break;
            }
        }
    }
    return {folder, folder};
}

ReadingIndex buildReadingIndex(const DictionaryFolders& folders, IndexBuildReport* report) {
    IndexBuildReport local;
    IndexBuildReport& r = report ? *report : local;

    const auto giveUp = [&](DictionaryStatus status) {
        r.status = status;
        qCWarning(lcDictionary) << "phonetic dictionary in" << folders.engine << describe(status)
                                << "- the input method stays without one";
        return ReadingIndex();
    };
    if (const auto problem = engineFilesProblem(folders.engine))
        return giveUp(*problem);

    const PhraseTreeFiles engineFiles(folders.engine);
    std::vector<zhuyin::Phone> syllables;
    if (engineFiles.present()) {
        auto checked = checkPhraseTree(engineFiles.tree(), engineFiles.text());
        if (!checked) {
            r.engineFiles = FilesState::Malformed;
            return giveUp(DictionaryStatus::Damaged);
        }
        r.engineFiles = FilesState::Used;
        syllables = std::move(*checked);
    } else if (accessOf(folders.engine, kPhraseTreeFile) != FileAccess::Absent) {
        // Readable a moment ago: a read error, or files swapped since.
        return giveUp(DictionaryStatus::Unreadable);
    } else {
        // Without the list of syllables that exist, every combination is tried.
        syllables = ChewingEngine::allSyllables();
    }

    std::optional<ChewingEngine> engine = ChewingEngine::open(folders.engine);
    r.engineLoaded = engine.has_value();
    if (!engine) {
        return giveUp(r.engineFiles == FilesState::Used ? DictionaryStatus::Damaged
                                                        : DictionaryStatus::Missing);
    }
    r.status = DictionaryStatus::Usable;

    std::optional<PhraseTreeFiles> otherFiles;
    if (folders.usage != folders.engine)
        otherFiles.emplace(folders.usage);
    const PhraseTreeFiles& usageFiles = otherFiles ? *otherFiles : engineFiles;
    std::optional<PhraseTreeSummary> usage;
    if (usageFiles.present()) {
        usage = summarisePhraseTree(usageFiles.tree(), usageFiles.text());
        r.usageFiles = usage ? FilesState::Used : FilesState::Malformed;
    }
    if (!usage)
        qCWarning(lcDictionary) << "no usable phrase list in" << folders.usage
                                << "- readings keep the engine's order";

    if (usage && !otherFiles && engineAgrees(*engine, syllables, *usage)) {
        r.listedReadings = usage->usage.size();
        return ReadingIndex::build(std::move(usage->usage), ReadingOrder::builtIn());
    }
    r.listedByEngine = true;
    const std::vector<ListedReading> listed = engine->listReadings(syllables);
    r.listedReadings = listed.size();
    return ReadingIndex::build(withUsage(listed, usage ? &*usage : nullptr),
                               ReadingOrder::builtIn());
}

} // namespace phonetic
