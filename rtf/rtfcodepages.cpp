#include "rtf/rtfcodepages.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <utility>

namespace {

// \fcharset values and the Windows code pages they select.
constexpr std::array kCharsets{
    std::pair{0, 1252},   std::pair{2, kSymbolCodePage}, std::pair{77, 10000}, std::pair{128, 932},
    std::pair{129, 949},  std::pair{130, 1361},          std::pair{134, 936},  std::pair{136, 950},
    std::pair{161, 1253}, std::pair{162, 1254},          std::pair{163, 1258}, std::pair{177, 1255},
    std::pair{178, 1256}, std::pair{186, 1257},          std::pair{204, 1251}, std::pair{222, 874},
    std::pair{238, 1250}, std::pair{254, 437},           std::pair{255, 850},
};

// Names the converters know the Windows code pages by. 932 must be Microsoft's variant: plain
// Shift_JIS lacks the circled digits and the other NEC and IBM extensions.
const char *decoderName(int codePage) {
    switch (codePage) {
    case 932:
        return "windows-31j";
    case 936:
        return "GBK";
    case 949:
        return "windows-949";
    case 950:
        return "Big5";
    case 10000:
        return "macintosh";
    case 437:
        return "IBM437";
    case 850:
        return "ibm-850";
    case 65001:
        return "UTF-8";
    default:
        return nullptr;
    }
}

void decodeSymbol(QByteArrayView bytes, QString &out) {
    // Symbol fonts have no text, only glyph numbers, which Windows places at U+F0xx.
    for (const char c : bytes)
        out.append(QChar(0xF000 + static_cast<unsigned char>(c)));
}

bool isDoubleByteCodePage(int codePage) {
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
}

bool isLeadByte(int codePage, unsigned char b) {
    if (codePage == 932)
        return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    return b >= 0x81 && b <= 0xFE;
}

bool isTrailByte932(unsigned char b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// Code page 932 over the converter's "windows-31j", which follows IBM's table in a few single
// bytes: it swaps the control codes 0x1A, 0x1C and 0x7F, and gives U+001A for the bytes that are
// no character at all (0x80, 0xA0, 0xFD-0xFF) and for a lead byte whose next byte cannot trail.
// Here 0x00-0x7F are themselves, as in every Windows code page. The non-characters and a lead
// byte without its trail become U+FFFD, like a lone lead byte at the end: Windows would give
// U+0080 and private-use U+F8F0-U+F8F3, which no font draws, so the reader would lose them
// silently. Whole characters (pairs and half-width katakana) still go to the converter, in spans.
void decode932(QStringDecoder &decoder, QByteArrayView bytes, QString &out) {
    const qsizetype n = bytes.size();
    qsizetype spanStart = 0;
    const auto flush = [&](qsizetype end) {
        if (end > spanStart) {
            decoder.resetState();
            out.append(decoder.decode(bytes.sliced(spanStart, end - spanStart)));
        }
    };
    qsizetype i = 0;
    while (i < n) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (isLeadByte(932, b) && i + 1 < n &&
            isTrailByte932(static_cast<unsigned char>(bytes[i + 1]))) {
            i += 2;
            continue;
        }
        if (b >= 0xA1 && b <= 0xDF) {
            ++i;
            continue;
        }
        flush(i);
        out.append(b < 0x80 ? QChar(b) : QChar(QChar::ReplacementCharacter));
        spanStart = ++i;
    }
    flush(n);
}

// Whether the run ends in a lead byte with no trail byte after it. The converter drops such a
// byte silently; the reader shows a replacement character, so that the loss can be seen.
bool endsInLoneLeadByte(int codePage, QByteArrayView bytes) {
    if (!isDoubleByteCodePage(codePage))
        return false;
    qsizetype i = 0;
    const qsizetype n = bytes.size();
    while (i < n) {
        if (!isLeadByte(codePage, static_cast<unsigned char>(bytes[i]))) {
            ++i;
        } else if (i + 1 == n) {
            return true;
        } else {
            i += 2;
        }
    }
    return false;
}

} // namespace

int codePageForCharset(int charset) {
    const auto it = std::find_if(kCharsets.begin(), kCharsets.end(),
                                 [charset](const auto &entry) { return entry.first == charset; });
    return it == kCharsets.end() ? -1 : it->second;
}

RtfCodePages::RtfCodePages() = default;
RtfCodePages::~RtfCodePages() = default;

QStringDecoder *RtfCodePages::decoderFor(int codePage) {
    auto it = decoders_.find(codePage);
    if (it != decoders_.end())
        return it->second.get();

    QByteArray name;
    if (const char *known = decoderName(codePage))
        name = known;
    else if (codePage == 874 || (codePage >= 1250 && codePage <= 1258))
        name = "windows-" + QByteArray::number(codePage);
    else
        return nullptr; // a hostile file could otherwise make us try thousands of names
    auto decoder =
        std::make_unique<QStringDecoder>(name.constData(), QStringConverter::Flag::Stateless);
    if (!decoder->isValid())
        decoder.reset();
    // An unknown code page is remembered as such, so it is not looked up again.
    return decoders_.emplace(codePage, std::move(decoder)).first->second.get();
}

void RtfCodePages::decode(int codePage, QByteArrayView bytes, QString &out) {
    if (bytes.isEmpty())
        return;
    if (codePage == kSymbolCodePage) {
        decodeSymbol(bytes, out);
        return;
    }
    QStringDecoder *decoder = decoderFor(codePage);
    if (!decoder)
        decoder = decoderFor(1252);
    if (!decoder) {
        out.append(QString::fromLatin1(bytes));
        return;
    }
    if (codePage == 932) {
        decode932(*decoder, bytes, out);
        return;
    }
    decoder->resetState();
    out.append(decoder->decode(bytes));
    if (endsInLoneLeadByte(codePage, bytes))
        out.append(QChar::ReplacementCharacter);
}
