#include "platform/forms/Font.h"

#include "platform/codepage/Utf16.h"
#include "platform/forms/Units.h"

#include <QFontMetrics>
#include <QHash>
#include <map>
#include <tuple>
#include <vector>

namespace forms {

namespace {

// The Windows faces the program asks for, as the fonts that stand in for them here. AR PL UMing
// TW has the same metrics: a full-width character and a line are both 16 px at 12 points.
void substituteWindowsFaces() {
    static const bool done = [] {
        QFont::insertSubstitution(QStringLiteral("新細明體"), QStringLiteral("AR PL UMing TW"));
        return true;
    }();
    (void)done;
}

} // namespace

QFont makeFont(const FontSpec& wanted) {
    substituteWindowsFaces();
    QFont font(wanted.face);
    font.setPixelSize(pixelsFromPoints(wanted.points));
    font.setWeight(QFont::Weight(wanted.weight));
    font.setStyleStrategy(QFont::PreferDefault);
    return font;
}

struct TextMeasure::Cache {
    explicit Cache(const QFont& font)
        : metrics(font)
        , basic(0x10000, -1) {}
    QFontMetrics metrics;
    std::vector<int> basic;             // advances of the 16-bit characters, -1 until measured
    QHash<char32_t, int> supplementary; // characters outside the 16-bit range
};

TextMeasure::TextMeasure(const QFont& font)
    : cache_(std::make_unique<Cache>(font))
    , lineHeight_(cache_->metrics.height()) {}

TextMeasure::~TextMeasure() = default;

int TextMeasure::advanceAt(QStringView text, qsizetype i) const {
    const QChar c = text[i];
    if (codepage::isSurrogatePairAt(text, i)) {
        const char32_t code = QChar::surrogateToUcs4(c, text[i + 1]);
        auto it = cache_->supplementary.find(code);
        if (it == cache_->supplementary.end())
            it = cache_->supplementary.insert(
                code, cache_->metrics.horizontalAdvance(text.mid(i, 2).toString()));
        return *it;
    }
    int& advance = cache_->basic[c.unicode()];
    if (advance < 0)
        advance = cache_->metrics.horizontalAdvance(c);
    return advance;
}

int TextMeasure::lineWidth(QStringView line) const {
    const std::vector<int>& basic = cache_->basic;
    int width = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char16_t c = line[i].unicode();
        const int advance = basic[c];
        if (advance >= 0 && !QChar::isSurrogate(c)) {
            width += advance;
            continue;
        }
        width += advanceAt(line, i);
        if (codepage::isSurrogatePairAt(line, i))
            ++i;
    }
    return width;
}

qsizetype TextMeasure::longestPrefix(QStringView text, int maxWidth) const {
    if (maxWidth < 0)
        return 0;
    const std::vector<int>& basic = cache_->basic;
    int line = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\r' || c == u'\n') {
            line = 0;
            continue;
        }
        int advance = basic[c];
        const bool pair = QChar::isSurrogate(c) && codepage::isSurrogatePairAt(text, i);
        if (advance < 0 || pair)
            advance = advanceAt(text, i);
        if ((line += advance) > maxWidth)
            return i;
        if (pair)
            ++i;
    }
    return text.size();
}

const TextMeasure& measureFor(const FontSpec& font) {
    static std::map<std::tuple<QString, int, int>, std::unique_ptr<TextMeasure>> measures;
    auto& slot = measures[{font.face, font.points, font.weight}];
    if (!slot)
        slot = std::make_unique<TextMeasure>(makeFont(font));
    return *slot;
}

} // namespace forms
