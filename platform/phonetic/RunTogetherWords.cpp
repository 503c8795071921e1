#include "platform/phonetic/RunTogetherWords.h"

#include "platform/phonetic/DataLines.h"

// The bytes of data/run-together.txt, generated at build time.
extern const unsigned char qxRunTogetherData[];
extern const std::size_t qxRunTogetherSize;

namespace phonetic {

RunTogetherWords RunTogetherWords::parse(QByteArrayView utf8) {
    RunTogetherWords words;
    for (const QString& line : recordLines(utf8)) {
        std::u32string word = line.toStdU32String();
        if (word.size() >= 2)
            words.words_.push_back(std::move(word));
    }
    return words;
}

const RunTogetherWords& RunTogetherWords::builtIn() {
    static const RunTogetherWords words = parse(builtInBytes(qxRunTogetherData, qxRunTogetherSize));
    return words;
}

} // namespace phonetic
