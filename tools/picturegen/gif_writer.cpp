#include "tools/picturegen/gif_writer.h"

#include "tools/picturegen/le_bytes.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_map>

namespace picturegen {
namespace {

constexpr int minCodeSize = 8;
constexpr int clearCode = 1 << minCodeSize;
constexpr int endCode = clearCode + 1;
constexpr int maxCodes = 4096;

// Packs variable-width codes least significant bit first, as GIF stores them.
class CodeWriter {
public:
    void put(int code, int width) {
        bits_ |= quint32(code) << count_;
        count_ += width;
        while (count_ >= 8) {
            bytes_.append(char(bits_ & 0xff));
            bits_ >>= 8;
            count_ -= 8;
        }
    }
    QByteArray finish() {
        if (count_ > 0)
            bytes_.append(char(bits_ & 0xff));
        bits_ = 0;
        count_ = 0;
        return bytes_;
    }

private:
    QByteArray bytes_;
    quint32 bits_ = 0;
    int count_ = 0;
};

QByteArray lzwCompress(const QImage& indexed) {
    CodeWriter out;
    std::unordered_map<quint32, int> table; // (prefix code << 8 | next index) -> code
    int width = minCodeSize + 1;
    int next = endCode + 1;
    out.put(clearCode, width);

    int prefix = -1;
    for (int y = 0; y < indexed.height(); ++y) {
        const uchar* line = indexed.constScanLine(y);
        for (int x = 0; x < indexed.width(); ++x) {
            const int index = line[x];
            if (prefix < 0) {
                prefix = index;
                continue;
            }
            const quint32 key = (quint32(prefix) << 8) | quint32(index);
            if (const auto found = table.find(key); found != table.end()) {
                prefix = found->second;
                continue;
            }
            out.put(prefix, width);
            // Clear one code early, as common encoders do, so that no decoder meets a full table.
            if (next < maxCodes - 1) {
                table.emplace(key, next);
                if (next == (1 << width))
                    ++width;
                ++next;
            } else {
                out.put(clearCode, width);
                table.clear();
                width = minCodeSize + 1;
                next = endCode + 1;
            }
            prefix = index;
        }
    }
    out.put(prefix, width);
    // The decoder adds one more entry on reading that code, and widens as it would have.
    if (next == (1 << width) && width < 12)
        ++width;
    out.put(endCode, width);
    return out.finish();
}

} // namespace

QByteArray encodeGif(const QImage& indexed) {
    if (indexed.isNull() || indexed.format() != QImage::Format_Indexed8 ||
        indexed.colorCount() != 256)
        throw std::invalid_argument("encodeGif needs a non-empty 8-bit image with 256 colours");

    QByteArray out("GIF89a");
    putLe16(out, indexed.width());
    putLe16(out, indexed.height());
    out.append(char(0xf7)); // global table present, 8-bit colour resolution, 2^(7+1) entries
    out.append(char(0));    // background colour index
    out.append(char(0));    // square pixels
    for (const QRgb colour : indexed.colorTable()) {
        out.append(char(qRed(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qBlue(colour)));
    }

    out.append(char(0x2c)); // image descriptor
    putLe16(out, 0);
    putLe16(out, 0);
    putLe16(out, indexed.width());
    putLe16(out, indexed.height());
    out.append(char(0)); // no local table, not interlaced

    out.append(char(minCodeSize));
    const QByteArray data = lzwCompress(indexed);
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const qsizetype length = std::min<qsizetype>(255, data.size() - at);
        out.append(char(length));
        out.append(data.mid(at, length));
    }
    out.append(char(0));    // end of image data
    out.append(char(0x3b)); // trailer
    return out;
}

} // namespace picturegen
