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
    for (QChar& c : text) {
        if (c.unicode() < 0x20)
            c = QChar(char16_t(0x2400 + c.unicode()));
        else if (c.unicode() == 0x7F)
            c = QChar(char16_t(0x2421));
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
