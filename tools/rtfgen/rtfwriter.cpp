#include "tools/rtfgen/rtfwriter.h"

namespace {

// Past this column a line is broken before the next control word or symbol.
constexpr qsizetype kLineWidth = 120;

void appendHex(QByteArray &out, unsigned char byte) {
    static const char digits[] = "0123456789abcdef";
    out.append("\\'");
    out.append(digits[byte >> 4]);
    out.append(digits[byte & 0xf]);
}

} // namespace

// Debian's Qt reaches this code page through ICU; it reports itself as Shift_JIS but keeps the
// vendor rows (circled digits, NEC symbols) that plain Shift_JIS lacks.
RtfWriter::RtfWriter() : encoder("windows-31j") {}

void RtfWriter::controlWord(QByteArrayView word) {
    beginControl();
    out.append(word);
    delimiterPending = true;
}

void RtfWriter::openGroup() {
    beginControl();
    out.append('{');
}

void RtfWriter::closeGroup() {
    beginControl();
    out.append('}');
}

void RtfWriter::paragraphEnd() {
    controlWord("\\par");
    lineBreak();
}

void RtfWriter::raw(QByteArrayView bytes) {
    delimiterPending = false;
    out.append(bytes);
}

void RtfWriter::text(QStringView text) {
    for (qsizetype i = 0; i < text.size();) {
        const bool pair =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const qsizetype length = pair ? 2 : 1;
        const QStringView units = text.mid(i, length);
        character(pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode(), units);
        i += length;
    }
}

void RtfWriter::character(char32_t codePoint, QStringView units) {
    if (codePoint == '\t') {
        controlWord("\\tab");
        return;
    }
    if (codePoint < 0x20 || codePoint == 0x7f)
        return; // control characters have no place in a paragraph
    if (codePoint < 0x80) {
        const char c = char(codePoint);
        if (c == '\\' || c == '{' || c == '}') {
            beginControl();
            out.append('\\');
        } else {
            beginText();
        }
        out.append(c);
        return;
    }
    beginControl();
    const QByteArray encoded = encoder.encode(units);
    if (!encoder.hasError()) {
        for (char byte : encoded)
            appendHex(out, static_cast<unsigned char>(byte));
        return;
    }
    // The character is not in the code page: Unicode escape with "?" for readers without it.
    encoder.resetState();
    for (QChar unit : units) {
        out.append("\\u");
        out.append(QByteArray::number(static_cast<qint16>(unit.unicode())));
        out.append('?');
    }
}

void RtfWriter::beginControl() {
    delimiterPending = false;
    if (out.size() - lineStart >= kLineWidth)
        lineBreak();
}

void RtfWriter::beginText() {
    if (delimiterPending)
        out.append(' ');
    delimiterPending = false;
}

void RtfWriter::lineBreak() {
    delimiterPending = false;
    out.append("\r\n");
    lineStart = out.size();
}
