#pragma once

#include "platform/forms/Colour.h"
#include "platform/forms/Font.h"
#include "platform/forms/Item.h"

#include <optional>

namespace forms {

// A windowless text label. One that sizes itself follows its caption after every change: as wide
// as its widest line and a line high per line, never wrapping; a flat border adds one pixel on
// every side.
class Label : public Item {
public:
    enum class Align { Left, Center };

    struct Style {
        FontSpec font;
        OleColor foreColor = systemButtonText;
        std::optional<OleColor> backColor; // none: transparent
        Align align = Align::Left;
        bool flatBorder = false;
        bool autoSize = false;
    };

    // The caption at start does not resize the label: it keeps its laid-out size until the
    // caption is first set.
    Label(QString name, Style style, QString caption = {});

    const QString& Caption() const { return caption_; }
    void setCaption(const QString& caption);
    QString text() const override { return caption_; }
    OleColor ForeColor() const { return style_.foreColor; }
    void setForeColor(OleColor colour);

    // The length of the longest prefix of text, in whole characters, that as this label's caption
    // would make it at most maxWidth twips wide. Measures as the label sizes itself, so it agrees
    // with Width after setCaption; a prefix never measures narrower than a shorter one.
    qsizetype longestPrefixWithin(QStringView text, double maxWidth) const;

    void paint(QPainter& painter) const override;

protected:
    void settleGeometry() const override;

private:
    Style style_;
    QString caption_;
    // A self-sizing label measures its caption when its size is next needed, not when the caption
    // is set: a hidden label whose size nobody reads never measures at all.
    mutable bool sizeStale_ = false;
};

} // namespace forms
