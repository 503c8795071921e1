#include "platform/phonetic/StandingAlone.h"

#include "platform/phonetic/DataLines.h"

// The bytes of data/standing-alone.txt, generated at build time.
extern const unsigned char qxStandingAloneData[];
extern const std::size_t qxStandingAloneSize;

namespace phonetic {

StandingAlone StandingAlone::parse(QByteArrayView utf8) {
    StandingAlone alone;
    alone.tenths_.assign(0x10000, 0);
    for (const QString& line : recordLines(utf8)) {
        const QStringList fields = line.split(QLatin1Char('\t'));
        bool ok = false;
        const int tenths = fields.size() == 2 ? fields[1].trimmed().toInt(&ok) : 0;
        if (ok && fields[0].size() == 1 && !fields[0][0].isSurrogate() && tenths >= 0 &&
            tenths <= 255)
            alone.tenths_[fields[0][0].unicode()] = static_cast<std::uint8_t>(tenths);
    }
    return alone;
}

const StandingAlone& StandingAlone::builtIn() {
    static const StandingAlone alone =
        parse(builtInBytes(qxStandingAloneData, qxStandingAloneSize));
    return alone;
}

} // namespace phonetic
