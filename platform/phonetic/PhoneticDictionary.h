#pragma once

#include "platform/phonetic/ReadingIndex.h"

#include <QString>

namespace phonetic {

struct DictionaryFolders {
    QString engine; // where the engine loads its dictionary from
    QString usage;  // where the phrase list that ranks readings is read; normally the same folder
};

// The system's dictionary: the first folder of CHEWING_PATH that holds the phrase list, as the
// engine itself would search, else the folder libchewing3-data installs.
DictionaryFolders systemDictionaryFolders();

enum class FilesState {
    Missing,   // absent or unreadable
    Malformed, // present but not a sound phrase list
    Used,
};

// Whether the dictionary could be used, in the terms the user can act on.
enum class DictionaryStatus {
    Usable,
    Missing,    // a file it needs is not there, or something other than a regular file is
    Unreadable, // its files are there but cannot be read
    Damaged,    // its files were read but do not hold a sound dictionary
};

// What building the index found, for diagnostics and tests.
struct IndexBuildReport {
    DictionaryStatus status = DictionaryStatus::Missing;
    FilesState engineFiles = FilesState::Missing;
    FilesState usageFiles = FilesState::Missing;
    bool engineLoaded = false;
    bool listedByEngine = false; // every syllable typed through the engine (else read off the list)
    std::size_t listedReadings = 0;
};

// Every reading that the engine offers, each character's ranked by the phrase list's figures, or
// in the engine's order without them. A phrase list that the engine could not read safely is
// never handed to it (it trusts its files and aborts on bad ones): the index
// is then empty, as without a dictionary.
ReadingIndex buildReadingIndex(const DictionaryFolders& folders,
                               IndexBuildReport* report = nullptr);

} // namespace phonetic
