#include "tools/picturegen/glyph_paths.h"

#include <QFont>
#include <QRawFont>
#include <stdexcept>

namespace picturegen {

QPainterPath umingTextPath(const QString& text, qreal pixelSize) {
    const QString family = QStringLiteral("AR PL UMing TW");
    QFont font(family);
    font.setStyleStrategy(QFont::NoFontMerging);
    font.setHintingPreference(QFont::PreferNoHinting);
    QRawFont raw = QRawFont::fromFont(font);
    if (!raw.isValid() || raw.familyName() != family)
        throw std::runtime_error("font \"AR PL UMing TW\" not found (Debian: fonts-arphic-uming)");
    raw.setPixelSize(pixelSize);

    const QList<quint32> glyphs = raw.glyphIndexesForString(text);
    const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs);
    QPainterPath path;
    QPointF pen(0, 0);
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        if (glyphs[i] == 0)
            throw std::runtime_error("\"AR PL UMing TW\" has no glyph for " + text.toStdString());
        path.addPath(raw.pathForGlyph(glyphs[i]).translated(pen));
        pen += advances[i];
    }
    return path;
}

QPainterPath centredOn(const QPainterPath& path, QPointF centre) {
    return path.translated(centre - path.boundingRect().center());
}

} // namespace picturegen
