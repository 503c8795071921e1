#include "tools/picturegen/palette.h"

#include <algorithm>
#include <limits>
#include <map>
#include <utility>
#include <vector>

namespace picturegen {
namespace {

constexpr int tableSize = 256;
constexpr int frequentShare = 128; // entries kept for the most frequent colours

int distance(QRgb a, QRgb b) {
    const int dr = qRed(a) - qRed(b);
    const int dg = qGreen(a) - qGreen(b);
    const int db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

int nearest(const QList<QRgb>& table, QRgb colour) {
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < table.size(); ++i) {
        const int d = distance(table[i], colour);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

// Half the table goes to the most frequent colours, so flat areas stay exact; the other half,
// one by one, to the colour farthest from all chosen so far, so that no rare shade (an
// anti-aliased edge, a glint) lands far from its own colour.
QList<QRgb> chooseTable(const std::map<QRgb, int>& counts) {
    QList<QRgb> table;
    if (counts.size() <= tableSize) {
        for (const auto& entry : counts)
            table.append(entry.first);
        return table;
    }

    std::vector<std::pair<QRgb, int>> byFrequency(counts.begin(), counts.end());
    std::stable_sort(byFrequency.begin(), byFrequency.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    for (int i = 0; i < frequentShare; ++i)
        table.append(byFrequency[i].first);

    std::vector<std::pair<QRgb, int>> rest; // colour, distance to the nearest chosen
    for (auto it = byFrequency.begin() + frequentShare; it != byFrequency.end(); ++it)
        rest.emplace_back(it->first, distance(it->first, table[nearest(table, it->first)]));
    std::sort(rest.begin(), rest.end());
    while (table.size() < tableSize) {
        const auto farthest =
            std::max_element(rest.begin(), rest.end(),
                             [](const auto& a, const auto& b) { return a.second < b.second; });
        const QRgb chosen = farthest->first;
        table.append(chosen);
        for (auto& [colour, d] : rest)
            d = std::min(d, distance(colour, chosen));
    }
    return table;
}

} // namespace

QList<QImage> toSharedPalette256(const QList<QImage>& sources) {
    QList<QImage> images;
    // Ordered containers only: a hash's iteration order would change the palette between runs.
    std::map<QRgb, int> counts;
    for (const QImage& source : sources) {
        images.append(source.convertToFormat(QImage::Format_RGB32));
        const QImage& image = images.back();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ++counts[image.pixel(x, y) | 0xff000000u];
    }

    QList<QRgb> table = chooseTable(counts);
    std::map<QRgb, int> indexOf;
    for (const auto& entry : counts)
        indexOf[entry.first] = nearest(table, entry.first);
    while (table.size() < tableSize)
        table.append(qRgb(0, 0, 0));

    QList<QImage> result;
    for (const QImage& image : images) {
        QImage indexed(image.size(), QImage::Format_Indexed8);
        indexed.setColorTable(table);
        for (int y = 0; y < image.height(); ++y) {
            uchar* line = indexed.scanLine(y);
            for (int x = 0; x < image.width(); ++x)
                line[x] = static_cast<uchar>(indexOf[image.pixel(x, y) | 0xff000000u]);
        }
        result.append(indexed);
    }
    return result;
}

QImage toPalette256(const QImage& image) {
    return toSharedPalette256({image}).front();
}

} // namespace picturegen
