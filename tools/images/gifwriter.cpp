#include "tools/images/gifwriter.h"

#include <QHash>
#include <QImage>
#include <QList>

namespace {

// Packs variable-width codes least significant bit first, as GIF's LZW stream wants them.
class CodeStream {
public:
    void write(int code, int width) {
        bits |= quint32(code) << bitCount;
        bitCount += width;
        while (bitCount >= 8) {
            bytes.append(char(bits & 0xff));
            bits >>= 8;
            bitCount -= 8;
        }
    }
    QByteArray finish() {
        if (bitCount > 0)
            bytes.append(char(bits & 0xff));
        return bytes;
    }

private:
    QByteArray bytes;
    quint32 bits = 0;
    int bitCount = 0;
};

void appendWord(QByteArray &out, int value) {
    out.append(char(value & 0xff));
    out.append(char((value >> 8) & 0xff));
}

QByteArray compress(const QList<uchar> &indices, int minCodeSize) {
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    constexpr int kMaxCode = 4095;
    CodeStream stream;
    QHash<quint32, int> table; // (prefix code << 8 | next index) -> code
    int codeSize = minCodeSize + 1;
    int lastCode = endCode;
    stream.write(clearCode, codeSize);

    int current = -1;
    for (uchar index : indices) {
        if (current < 0) {
            current = index;
            continue;
        }
        const quint32 key = quint32(current) << 8 | index;
        const auto found = table.constFind(key);
        if (found != table.cend()) {
            current = *found;
            continue;
        }
        stream.write(current, codeSize);
        table.insert(key, ++lastCode);
        // The reader adds its entries one code later than we do, hence ">=" on the last code.
        if (lastCode >= (1 << codeSize) && codeSize < 12)
            ++codeSize;
        if (lastCode == kMaxCode) {
            stream.write(clearCode, codeSize);
            table.clear();
            codeSize = minCodeSize + 1;
            lastCode = endCode;
        }
        current = index;
    }
    if (current >= 0) {
        stream.write(current, codeSize);
        // Reading that code makes the reader add one more entry, which may widen its codes.
        if (lastCode > endCode && lastCode + 1 >= (1 << codeSize) && codeSize < 12)
            ++codeSize;
    }
    stream.write(endCode, codeSize);
    return stream.finish();
}

} // namespace

QByteArray encodeGif(const QImage &image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QList<QRgb> palette;
    QHash<QRgb, uchar> paletteIndex;
    QList<uchar> indices;
    indices.reserve(qsizetype(rgb.width()) * rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb colour = line[x] | 0xff000000;
            auto found = paletteIndex.constFind(colour);
            if (found == paletteIndex.cend()) {
                if (palette.size() == 256)
                    return {};
                found = paletteIndex.insert(colour, uchar(palette.size()));
                palette.append(colour);
            }
            indices.append(*found);
        }
    }

    int tableBits = 1; // the colour table holds 2^tableBits entries
    while ((1 << tableBits) < palette.size())
        ++tableBits;

    QByteArray out("GIF89a");
    appendWord(out, rgb.width());
    appendWord(out, rgb.height());
    out.append(char(0x80 | (7 << 4) | (tableBits - 1))); // global table, 8-bit colour
    out.append(char(0));                                 // background colour index
    out.append(char(0));                                 // square pixels
    for (int i = 0; i < (1 << tableBits); ++i) {
        const QRgb colour = palette.value(i, qRgb(0, 0, 0));
        out.append(char(qRed(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qBlue(colour)));
    }

    out.append(char(0x2c)); // image descriptor: the whole screen, not interlaced
    appendWord(out, 0);
    appendWord(out, 0);
    appendWord(out, rgb.width());
    appendWord(out, rgb.height());
    out.append(char(0));

    const int minCodeSize = qMax(2, tableBits);
    out.append(char(minCodeSize));
    const QByteArray data = compress(indices, minCodeSize);
    for (qsizetype i = 0; i < data.size(); i += 255) {
        const QByteArray block = data.mid(i, 255);
        out.append(char(block.size()));
        out.append(block);
    }
    out.append(char(0));    // end of the image data
    out.append(char(0x3b)); // end of file
    return out;
}
