#pragma once

#include <QByteArrayView>
#include <QString>

#include <map>
#include <memory>

class QStringDecoder;

// The code page a font's \fcharset stands for, or -1 when the charset names none (the document's
// \ansicpg applies then).
int codePageForCharset(int charset);

// Code page number of the symbol charset: its bytes are glyph numbers in the font, not text.
inline constexpr int kSymbolCodePage = 42;

// Decodes runs of bytes in Windows code pages. Decoders are made once per code page and kept:
// making one costs far more than decoding a short run.
class RtfCodePages {
public:
    RtfCodePages();
    ~RtfCodePages();
    RtfCodePages(const RtfCodePages &) = delete;
    RtfCodePages &operator=(const RtfCodePages &) = delete;

    // Appends the text of `bytes` to `out`. Each call stands alone: a lead byte left over at the
    // end of one run never takes the first byte of the next.
    void decode(int codePage, QByteArrayView bytes, QString &out);

private:
    QStringDecoder *decoderFor(int codePage);

    std::map<int, std::unique_ptr<QStringDecoder>> decoders_;
};
