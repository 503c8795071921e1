#include "platform/phonetic/ChewingEngine.h"

#include "platform/codepage/Utf8.h"

#include <QFile>
#include <QLoggingCategory>

#include <chewing.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string_view>

#include <fcntl.h>
#include <unistd.h>

namespace phonetic {
namespace {

Q_LOGGING_CATEGORY(lcChewing, "quilldex.imm.chewing", QtCriticalMsg)

// libchewing's log levels (chewing's global.h): 1 verbose, 2 debug, 3 info, 4 warn, 5 error.
void logToCategory(void*, int level, const char* format, ...) {
    const QtMsgType type = level >= 4 ? QtWarningMsg : level == 3 ? QtInfoMsg : QtDebugMsg;
    if (!lcChewing().isEnabled(type))
        return;
    char line[512];
    va_list args;
    va_start(args, format);
    const int written = std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    // The engine ends its lines itself; the logger adds its own end.
    std::size_t length = written < 0 ? 0 : std::min<std::size_t>(written, sizeof line - 1);
    while (length > 0 && line[length - 1] == '\n')
        line[--length] = '\0';
    const QMessageLogger logger(nullptr, 0, nullptr, lcChewing().categoryName());
    if (type == QtWarningMsg)
        logger.warning("%s", line);
    else if (type == QtInfoMsg)
        logger.info("%s", line);
    else
        logger.debug("%s", line);
}

// An in-memory user-phrase store: the engine's default would create files in the user's home.
constexpr const char* kUserPhrasesInMemory = ":memory:";

// libchewing 0.5 closes descriptor 0 when it cannot load a dictionary (a descriptor left unset on
// its error path). Whatever 0 held, standard input or a file of ours, is put back.
class DescriptorZeroGuard {
public:
    DescriptorZeroGuard()
        : flags_(::fcntl(0, F_GETFD))
        , saved_(flags_ < 0 ? -1 : ::fcntl(0, F_DUPFD_CLOEXEC, 3)) {}
    ~DescriptorZeroGuard() {
        if (saved_ < 0)
            return;
        if (::fcntl(0, F_GETFD) < 0 && ::dup2(saved_, 0) == 0)
            ::fcntl(0, F_SETFD, flags_);
        ::close(saved_);
    }
    DescriptorZeroGuard(const DescriptorZeroGuard&) = delete;
    DescriptorZeroGuard& operator=(const DescriptorZeroGuard&) = delete;

private:
    int flags_;
    int saved_;
};

} // namespace

void ChewingEngine::Deleter::operator()(ChewingContext* context) const {
    chewing_delete(context);
}

std::optional<ChewingEngine> ChewingEngine::open(const QString& folder) {
    const QByteArray path = QFile::encodeName(folder);
    ChewingContext* context = nullptr;
    {
        const DescriptorZeroGuard keep;
        context = chewing_new2(path.constData(), kUserPhrasesInMemory, logToCategory, nullptr);
    }
    if (!context)
        return std::nullopt;
    ChewingEngine engine(context);
    // The standard keyboard, which zhuyin::keystrokes types; space stays the first-tone key.
    if (chewing_set_KBType(context, chewing_KBStr2Num("KB_DEFAULT")) != 0)
        return std::nullopt;
    chewing_set_spaceAsSelection(context, 0);
    chewing_set_ChiEngMode(context, CHINESE_MODE);
    if (chewing_get_ChiEngMode(context) != CHINESE_MODE)
        return std::nullopt;
    return engine;
}

std::vector<zhuyin::Phone> ChewingEngine::allSyllables() {
    std::vector<zhuyin::Phone> phones;
    for (int i = 0; i <= zhuyin::kInitials; ++i)
        for (int m = 0; m <= zhuyin::kMedials; ++m)
            for (int f = 0; f <= zhuyin::kFinals; ++f)
                for (int t = 0; t <= zhuyin::kTones; ++t) {
                    const zhuyin::Phone p = zhuyin::makePhone(i, m, f, t);
                    if (zhuyin::isSyllable(p))
                        phones.push_back(p);
                }
    return phones;
}

std::vector<ListedReading> ChewingEngine::listReadings(std::span<const zhuyin::Phone> syllables) {
    std::vector<ListedReading> out;
    out.reserve(syllables.size() * 20);
    for (const zhuyin::Phone phone : syllables)
        appendCandidates(phone, out);
    return out;
}

std::vector<char32_t> ChewingEngine::candidatesOf(zhuyin::Phone phone) {
    std::vector<ListedReading> listed;
    appendCandidates(phone, listed);
    std::vector<char32_t> characters;
    for (const ListedReading& reading : listed)
        characters.push_back(reading.character);
    return characters;
}

void ChewingEngine::appendCandidates(zhuyin::Phone phone, std::vector<ListedReading>& out) {
    ChewingContext* context = context_.get();
    const std::string keys = zhuyin::keystrokes(phone);
    bool typed = !keys.empty();
    for (const char key : keys)
        typed = typed && chewing_handle_Default(context, key) == 0;

    // Only a syllable that became exactly the phone asked for counts, so that a keyboard the
    // engine reads differently cannot file readings under the wrong syllable.
    if (typed && chewing_buffer_Len(context) == 1 && chewing_get_phoneSeqLen(context) == 1) {
        unsigned short* sequence = chewing_get_phoneSeq(context);
        typed = sequence && sequence[0] == phone;
        chewing_free(sequence);
    } else {
        typed = false;
    }

    if (typed && chewing_cand_open(context) == 0) {
        const int total = chewing_cand_TotalChoice(context);
        for (int i = 0; i < total; ++i) {
            const char* candidate = chewing_cand_string_by_index_static(context, i);
            if (!candidate)
                continue;
            const std::string_view text(candidate);
            std::size_t pos = 0;
            const auto character = codepage::nextUtf8(text, pos);
            if (character && pos == text.size())
                out.push_back({*character, phone});
        }
        chewing_cand_close(context);
    }
    chewing_clean_preedit_buf(context);
    chewing_clean_bopomofo_buf(context);
}

} // namespace phonetic
