#pragma once

#include "lookup/MessagePump.h"
#include "platform/imm/InputMethodManager.h"

#include <QByteArray>
#include <QString>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

// Test doubles for the reading lookup: an Input Method Manager that answers as scripted and a
// message pump, both writing to one call log, so that a test sees how their calls interleave.
namespace qxtest {

using CallLog = std::vector<std::string>;

inline std::string hex(std::uint64_t value) {
    return QString::number(value, 16).toStdString();
}

class ScriptedImm final : public imm::InputMethodManager {
public:
    static constexpr imm::HKL kPlain = 0x04040404;
    static constexpr imm::HKL kIme = 0xE0080404;

    explicit ScriptedImm(CallLog& log)
        : log_(log) {}

    std::int32_t keyLimit = 4; // the answer to IME_ESC_MAX_KEY
    QByteArray list;           // what a fetch copies, up to the length it is given
    std::optional<std::int32_t> sizeAnswer, fetchAnswer; // list.size() unless set
    imm::HKL activeLayout = kPlain;
    imm::HKL layoutAfterHotKey = kIme; // active once messages are processed after a hot key
    std::vector<QByteArray> sources;   // the source text of each conversion-list call

    // The pump calls this: a hot key takes effect when messages are processed.
    void deliverHotKeys() {
        if (std::exchange(hotKeyPending_, false))
            activeLayout = layoutAfterHotKey;
    }

    std::int32_t ImmEscapeA(imm::HKL hkl, imm::HIMC himc, std::uint32_t escape,
                            void* data) override {
        const bool noData = data && *static_cast<const char*>(data) == '\0';
        log_.push_back("ImmEscapeA(" + hex(hkl) + ", " + hex(himc) + ", " + hex(escape) +
                       (noData ? ", \"\")" : ", ?)"));
        return keyLimit;
    }

    std::int32_t ImmGetConversionListA(imm::HKL hkl, imm::HIMC himc, const char* source,
                                       void* destination, std::uint32_t bufferLength,
                                       std::uint32_t flag) override {
        log_.push_back("ImmGetConversionListA(" + hex(hkl) + ", " + hex(himc) + ", " +
                       std::to_string(bufferLength) + ", " + hex(flag) + ")");
        sources.emplace_back(source);
        if (bufferLength == 0)
            return sizeAnswer.value_or(static_cast<std::int32_t>(list.size()));
        std::memcpy(destination, list.constData(),
                    std::min<std::size_t>(bufferLength, list.size()));
        return fetchAnswer.value_or(static_cast<std::int32_t>(list.size()));
    }

    bool ImmIsIME(imm::HKL hkl) override {
        log_.push_back("ImmIsIME(" + hex(hkl) + ")");
        return hkl == kIme;
    }

    bool ImmSimulateHotKey(imm::HWND hwnd, std::uint32_t hotKey) override {
        log_.push_back("ImmSimulateHotKey(" + hex(hwnd) + ", " + hex(hotKey) + ")");
        hotKeyPending_ = true;
        return true;
    }

    imm::HKL GetKeyboardLayout(std::uint32_t threadId) override {
        log_.push_back("GetKeyboardLayout(" + std::to_string(threadId) + ")");
        return activeLayout;
    }

private:
    CallLog& log_;
    bool hotKeyPending_ = false;
};

class ScriptedPump final : public lookup::MessagePump {
public:
    ScriptedPump(CallLog& log, ScriptedImm& imm)
        : log_(log)
        , imm_(imm) {}

    std::optional<imm::HWND> form = 0x1234; // nothing: no active form

    std::optional<imm::HWND> activeFormWindow() const override { return form; }
    void processPendingMessages() override {
        log_.push_back("processPendingMessages");
        imm_.deliverHotKeys();
    }

private:
    CallLog& log_;
    ScriptedImm& imm_;
};

// A CANDIDATELIST of `strings` (code-page-950 bytes), all of them on its one page.
inline QByteArray candidateList(std::initializer_list<QByteArray> strings) {
    namespace cl = imm::candidatelist;
    const auto put = [](QByteArray& bytes, std::uint32_t at, std::uint32_t value) {
        qToLittleEndian(value, bytes.data() + at);
    };
    const auto count = static_cast<std::uint32_t>(strings.size());
    QByteArray bytes(cl::kOffsets + 4 * count, '\0');
    std::uint32_t k = 0;
    for (const QByteArray& s : strings) {
        put(bytes, cl::kOffsets + 4 * k++, static_cast<std::uint32_t>(bytes.size()));
        bytes.append(s).append('\0');
    }
    put(bytes, cl::kSize, static_cast<std::uint32_t>(bytes.size()));
    put(bytes, cl::kStyle, imm::IME_CAND_READ);
    put(bytes, cl::kCount, count);
    put(bytes, cl::kPageSize, count);
    return bytes;
}

} // namespace qxtest
