#pragma once

#include <QFont>
#include <QString>
#include <QStringView>
#include <memory>

namespace forms {

// A control's font as the program describes it: face name, point size and weight.
struct FontSpec {
    QString face;
    int points = 12;
    int weight = 400;
};

// The font to draw with. Sized in pixels at 96 dots per inch, so layout never depends on the
// screen's reported resolution.
QFont makeFont(const FontSpec& wanted);

// Text extents as a classic label measures them: the sum of the characters' advances, without
// kerning between them, and one font height per line. A character is what the user sees as one
// (a grapheme cluster) and measures as drawn, shaped whole. Advances are cached, so measuring a
// long text costs a table look-up per character.
class TextMeasure {
public:
    explicit TextMeasure(const QFont& font);
    ~TextMeasure();
    TextMeasure(const TextMeasure&) = delete;
    TextMeasure& operator=(const TextMeasure&) = delete;

    int lineHeight() const { return lineHeight_; }
    // Width in pixels of one line (no line breaks inside).
    int lineWidth(QStringView line) const;
    // Advance in pixels of the character that starts at text[i].
    int advanceAt(QStringView text, qsizetype i) const;
    // The length, in whole characters, of the longest prefix of text whose widest line is at
    // most maxWidth pixels wide. CR and LF break lines and take no width.
    qsizetype longestPrefix(QStringView text, int maxWidth) const;

private:
    int advanceOf(QStringView text, qsizetype i, qsizetype& length) const;

    struct Cache;
    std::unique_ptr<Cache> cache_;
    int lineHeight_ = 0;
};

// The shared measure for a font (one per distinct font for the life of the program).
const TextMeasure& measureFor(const FontSpec& font);

// Calls f(line) for each line of text; CR LF, a lone CR and a lone LF each end a line.
template <class F> void forEachLine(QStringView text, F&& f) {
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            f(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            start = i + 1;
        }
    }
    f(text.mid(start));
}

} // namespace forms
