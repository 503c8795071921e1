#pragma once

#include "platform/imm/CandidateLists.h"
#include "platform/imm/InputMethodManager.h"
#include "platform/phonetic/PhoneticDictionary.h"
#include "platform/phonetic/PhraseReadings.h"

#include <QObject>

#include <mutex>

namespace imm {

// The Input Method Manager on Linux: the program's thread has two keyboard layouts, a plain
// keyboard (active at start) and a phonetic IME whose reverse conversion gives a character's
// Zhuyin readings, most used first, and of a word, the word's readings. The IME's indexes are
// built on first use and kept in memory.
class PhoneticInputMethod final : public InputMethodManager {
public:
    static constexpr HKL kPlainKeyboard = 0x04040404;
    static constexpr HKL kPhoneticIme = 0xE0080404;
    // Initial, medial, final and tone.
    static constexpr std::int32_t kKeyLimit = 4;

    explicit PhoneticInputMethod(
        phonetic::DictionaryFolders folders = phonetic::systemDictionaryFolders());
    ~PhoneticInputMethod() override;

    // Key limit for the IME, 0 for the plain keyboard and for an IME without dictionary; every
    // other escape answers 0.
    std::int32_t ImmEscapeA(HKL hkl, HIMC himc, std::uint32_t escape, void* data) override;
    // GCL_REVERSECONVERSION only, on the IME only: of one character, its readings; of several, the
    // readings of the word they spell, each its syllables separated by spaces, and no list when
    // they are no word of the dictionary. Length 0 asks for the size and writes nothing; a
    // shorter buffer than the list needs gets 0 and is not touched.
    std::int32_t ImmGetConversionListA(HKL hkl, HIMC himc, const char* source, void* destination,
                                       std::uint32_t bufferLength, std::uint32_t flag) override;
    bool ImmIsIME(HKL hkl) override;
    // IME_THOTKEY_IME_NONIME_TOGGLE switches between the two layouts once the thread's pending
    // events are next processed (a queued call on its event loop), not at once.
    bool ImmSimulateHotKey(HWND hwnd, std::uint32_t hotKey) override;
    // Thread 0 is the calling thread; no other thread is known (0).
    HKL GetKeyboardLayout(std::uint32_t threadId) override;

    // The IME's answers, built now if they are not yet.
    const CandidateLists& candidateLists();
    const phonetic::IndexBuildReport& buildReport();
    // The dictionary's words and their readings, read now if they are not yet.
    const phonetic::PhraseReadings& words();

private:
    void toggleLayout();

    phonetic::DictionaryFolders folders_;
    HKL active_ = kPlainKeyboard;
    std::once_flag built_;
    CandidateLists lists_;
    phonetic::IndexBuildReport report_;
    std::once_flag wordsRead_;
    phonetic::PhraseReadings words_;
    QObject events_; // queued layout switches are delivered to it, and dropped with it
};

} // namespace imm
