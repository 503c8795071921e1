#include "platform/forms/Label.h"

#include <QPainter>
#include <cmath>

namespace forms {

Label::Label(QString name, Style style, QString caption)
    : Item(std::move(name))
    , style_(std::move(style))
    , caption_(std::move(caption)) {}

void Label::setCaption(const QString& caption) {
    const bool changed = caption != caption_;
    caption_ = caption;
    sizeStale_ = style_.autoSize;
    if (Visible())
        repaint(); // settles the size first, so the new extent is repainted
    if (changed)
        textChanged();
}

void Label::setForeColor(OleColor colour) {
    if (colour == style_.foreColor)
        return;
    style_.foreColor = colour;
    repaint();
}

void Label::settleGeometry() const {
    if (!sizeStale_)
        return;
    sizeStale_ = false;
    const TextMeasure& measure = measureFor(style_.font);
    int width = 0;
    int lines = 0;
    forEachLine(caption_, [&](QStringView line) {
        width = std::max(width, measure.lineWidth(line));
        ++lines;
    });
    const int border = style_.flatBorder ? 2 : 0;
    auto* self = const_cast<Label*>(this);
    self->setPixelRect(QRect(self->pixelRect().topLeft(),
                             QSize(width + border, lines * measure.lineHeight() + border)));
}

qsizetype Label::longestPrefixWithin(QStringView text, double maxWidth) const {
    const int border = style_.flatBorder ? 2 : 0;
    const int widest = int(std::floor(maxWidth / twipsPerPixel)) - border;
    return measureFor(style_.font).longestPrefix(text, widest);
}

void Label::paint(QPainter& painter) const {
    const QRect r = pixelRect();
    if (style_.backColor)
        painter.fillRect(r, toQColor(*style_.backColor));
    QRect text = r;
    if (style_.flatBorder) {
        painter.setPen(QColor(0, 0, 0));
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        text = r.adjusted(1, 1, -1, -1);
    }
    painter.setFont(makeFont(style_.font));
    painter.setPen(toQColor(style_.foreColor));
    const TextMeasure& measure = measureFor(style_.font);
    int y = text.top();
    forEachLine(caption_, [&](QStringView line) {
        const QRect lineRect(text.left(), y, text.width(), measure.lineHeight());
        const int flags = Qt::TextSingleLine | Qt::AlignTop |
                          (style_.align == Align::Center ? Qt::AlignHCenter : Qt::AlignLeft);
        painter.drawText(lineRect, flags, line.toString());
        y += measure.lineHeight();
    });
}

} // namespace forms
