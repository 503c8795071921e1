#pragma once

#include <QStringView>

namespace codepage {

// True when text[i] and text[i + 1] are a surrogate pair: one character in two code units.
inline bool isSurrogatePairAt(QStringView text, qsizetype i) {
    return i + 1 < text.size() && text[i].isHighSurrogate() && text[i + 1].isLowSurrogate();
}

} // namespace codepage
