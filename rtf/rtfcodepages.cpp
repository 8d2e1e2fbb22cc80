#include "rtf/rtfcodepages.h"

#include "rtf/cp932table.h"

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

// Names the converters know the Windows code pages by. 932 has a table of its own, made from
// Microsoft's variant: plain Shift_JIS lacks the circled digits and the other NEC and IBM
// extensions.
const char *decoderName(int codePage) {
    switch (codePage) {
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

// Code page 932 from the table the build made from the converter's "windows-31j", whose pairs
// and half-width katakana it gives unchanged. The single bytes follow Windows rather than the
// converter, which follows IBM's table there: 0x00-0x7F are themselves, as in every Windows code
// page. The bytes that are no character at all (0x80, 0xA0, 0xFD-0xFF) and a lead byte without
// its trail become U+FFFD, like a lone lead byte at the end: Windows would give U+0080 and
// private-use U+F8F0-U+F8F3, which no font draws, so the reader would lose them silently.
void decode932(QByteArrayView bytes, QString &out) {
    const qsizetype n = bytes.size();
    out.reserve(out.size() + n);
    for (qsizetype i = 0; i < n; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            out.append(QChar(b));
        } else if (b >= 0xA1 && b <= 0xDF) {
            out.append(QChar(0xFF61 + (b - 0xA1))); // half-width katakana
        } else if (isLeadByte(932, b) && i + 1 < n &&
                   isTrailByte932(static_cast<unsigned char>(bytes[i + 1]))) {
            out.append(
                QChar(kCp932Pairs[cp932PairIndex(b, static_cast<unsigned char>(bytes[i + 1]))]));
            ++i;
        } else {
            out.append(QChar(QChar::ReplacementCharacter));
        }
    }
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
    if (codePage == 932) {
        decode932(bytes, out);
        return;
    }
    // ASCII is itself in every code page but IBM's two, which swap three control codes: a run of
    // it, such as a font's name, needs no converter.
    if (codePage != 437 && codePage != 850 && std::all_of(bytes.begin(), bytes.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x80;
        })) {
        out.append(QLatin1StringView(bytes));
        return;
    }
    QStringDecoder *decoder = decoderFor(codePage);
    if (!decoder)
        decoder = decoderFor(1252);
    if (!decoder) {
        out.append(QString::fromLatin1(bytes));
        return;
    }
    decoder->resetState();
    out.append(decoder->decode(bytes));
    if (endsInLoneLeadByte(codePage, bytes))
        out.append(QChar::ReplacementCharacter);
}
