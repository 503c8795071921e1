#include "window/Characters.h"

namespace characters {

using forms::graphemes::lengthAt;

qsizetype count(QStringView text) {
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); i += lengthAt(text, i))
        ++n;
    return n;
}

QString withControlPictures(QString text) {
    // Read without detaching: the usual character has no control in it and stays shared.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x20)
            text[i] = QChar(char16_t(0x2400 + c));
        else if (c == 0x7F)
            text[i] = QChar(char16_t(0x2421));
    }
    return text;
}

QString Cursor::at(const QString& text, qsizetype position) {
    // Text read from a box is shared, not copied, while the box keeps it unchanged.
    const bool same = text.isSharedWith(text_) || text == text_;
    if (!same || position < position_) {
        text_ = text;
        position_ = 1;
        offset_ = 0;
    }
    while (position_ < position && offset_ < text_.size()) {
        offset_ += lengthAt(text_, offset_);
        ++position_;
    }
    if (position_ != position || offset_ >= text_.size())
        return {};
    return text_.mid(offset_, lengthAt(text_, offset_));
}

} // namespace characters
