#include "platform/imm/PhoneticInputMethod.h"

#include "platform/imm/WordConversion.h"
#include "platform/phonetic/PhraseTree.h"

#include <QMetaObject>

#include <cstring>

namespace imm {

PhoneticInputMethod::PhoneticInputMethod(phonetic::DictionaryFolders folders)
    : folders_(std::move(folders)) {}

PhoneticInputMethod::~PhoneticInputMethod() = default;

const CandidateLists& PhoneticInputMethod::candidateLists() {
    std::call_once(built_, [this] {
        lists_ = CandidateLists::build(phonetic::buildReadingIndex(folders_, &report_));
    });
    return lists_;
}

const phonetic::IndexBuildReport& PhoneticInputMethod::buildReport() {
    candidateLists();
    return report_;
}

const phonetic::PhraseReadings& PhoneticInputMethod::words() {
    // Without a dictionary the IME answers nothing, words included.
    if (!candidateLists().empty()) {
        std::call_once(wordsRead_, [this] {
            const phonetic::PhraseTreeFiles files(folders_.usage);
            if (files.present())
                words_ = phonetic::PhraseReadings::build(files.tree(), files.text());
        });
    }
    return words_;
}

std::int32_t PhoneticInputMethod::ImmEscapeA(HKL hkl, HIMC, std::uint32_t escape, void*) {
    if (hkl != kPhoneticIme || escape != IME_ESC_MAX_KEY)
        return 0;
    return candidateLists().empty() ? 0 : kKeyLimit;
}

std::int32_t PhoneticInputMethod::ImmGetConversionListA(HKL hkl, HIMC, const char* source,
                                                        void* destination,
                                                        std::uint32_t bufferLength,
                                                        std::uint32_t flag) {
    if (hkl != kPhoneticIme || flag != GCL_REVERSECONVERSION || !source)
        return 0;
    QByteArrayView list = candidateLists().of(source);
    QByteArray wordList;
    if (list.isEmpty() && spellsSeveralCharacters(source)) {
        wordList = wordCandidateList(words(), source);
        list = wordList;
    }
    if (list.isEmpty())
        return 0;
    const auto size = static_cast<std::uint32_t>(list.size());
    if (bufferLength == 0)
        return static_cast<std::int32_t>(size);
    if (!destination || bufferLength < size)
        return 0;
    std::memcpy(destination, list.data(), size);
    return static_cast<std::int32_t>(size);
}

bool PhoneticInputMethod::ImmIsIME(HKL hkl) {
    return hkl == kPhoneticIme;
}

bool PhoneticInputMethod::ImmSimulateHotKey(HWND hwnd, std::uint32_t hotKey) {
    if (hwnd == 0 || hotKey != IME_THOTKEY_IME_NONIME_TOGGLE)
        return false;
    return QMetaObject::invokeMethod(
        &events_, [this] { toggleLayout(); }, Qt::QueuedConnection);
}

HKL PhoneticInputMethod::GetKeyboardLayout(std::uint32_t threadId) {
    return threadId == 0 ? active_ : 0;
}

void PhoneticInputMethod::toggleLayout() {
    active_ = active_ == kPhoneticIme ? kPlainKeyboard : kPhoneticIme;
}

} // namespace imm
