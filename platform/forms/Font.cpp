#include "platform/forms/Font.h"

#include "platform/forms/Graphemes.h"
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
    std::vector<int> basic;       // advances of single 16-bit units, -1 until measured
    QHash<QString, int> clusters; // characters of more than one unit
};

TextMeasure::TextMeasure(const QFont& font)
    : cache_(std::make_unique<Cache>(font))
    , lineHeight_(cache_->metrics.height()) {}

TextMeasure::~TextMeasure() = default;

int TextMeasure::advanceOf(QStringView text, qsizetype i, qsizetype& length) const {
    length = graphemes::lengthAt(text, i);
    if (length == 1) {
        int& advance = cache_->basic[text[i].unicode()];
        if (advance < 0)
            advance = cache_->metrics.horizontalAdvance(text[i]);
        return advance;
    }
    // The character as the box draws it: shaped whole, marks and joined sequences included.
    const QString cluster = text.mid(i, length).toString();
    auto it = cache_->clusters.find(cluster);
    if (it == cache_->clusters.end())
        it = cache_->clusters.insert(cluster, cache_->metrics.horizontalAdvance(cluster));
    return *it;
}

int TextMeasure::advanceAt(QStringView text, qsizetype i) const {
    qsizetype length = 0;
    return advanceOf(text, i, length);
}

int TextMeasure::lineWidth(QStringView line) const {
    const std::vector<int>& basic = cache_->basic;
    int width = 0;
    for (qsizetype i = 0; i < line.size();) {
        const int advance = basic[line[i].unicode()];
        if (advance >= 0 && graphemes::standsAlone(line, i)) {
            width += advance;
            ++i;
            continue;
        }
        qsizetype length = 0;
        width += advanceOf(line, i, length);
        i += length;
    }
    return width;
}

qsizetype TextMeasure::longestPrefix(QStringView text, int maxWidth) const {
    if (maxWidth < 0)
        return 0;
    const std::vector<int>& basic = cache_->basic;
    int line = 0;
    for (qsizetype i = 0; i < text.size();) {
        const char16_t c = text[i].unicode();
        if (c == u'\r' || c == u'\n') {
            line = 0;
            ++i;
            continue;
        }
        int advance = basic[c];
        qsizetype length = 1;
        if (advance < 0 || !graphemes::standsAlone(text, i))
            advance = advanceOf(text, i, length);
        if ((line += advance) > maxWidth)
            return i;
        i += length;
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
