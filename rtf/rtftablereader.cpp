#include "rtf/rtftablereader.h"

#include "rtf/rtfcodepages.h"

#include <algorithm>

namespace {

constexpr int kMaxFontNameLength = 256;

} // namespace

RtfTableReader::RtfTableReader(RtfTables &tables, RtfCodePages &codePages)
    : tables_(tables), codePages_(codePages) {}

void RtfTableReader::beginFontTable() {
    inFontEntry_ = false;
}

void RtfTableReader::fontWord(RtfKeyword keyword, int param) {
    using K = RtfKeyword;
    if (keyword == K::Font) {
        endFontEntry();
        inFontEntry_ = true;
        fontId_ = param;
        font_ = RtfFont{};
        fontCodePageFixed_ = false;
        fontNameBytes_.clear();
        return;
    }
    switch (keyword) {
    case K::FontCharset:
        if (!fontCodePageFixed_)
            font_.codePage = codePageForCharset(param);
        break;
    case K::FontCodePage:
        font_.codePage = param;
        fontCodePageFixed_ = true;
        break;
    case K::FontPitch:
        font_.fixedPitch = param == 1;
        break;
    case K::FontFamilyRoman:
        font_.styleHint = QFont::Serif;
        break;
    case K::FontFamilySwiss:
        font_.styleHint = QFont::SansSerif;
        break;
    case K::FontFamilyModern:
        font_.styleHint = QFont::TypeWriter;
        break;
    case K::FontFamilyScript:
        font_.styleHint = QFont::Cursive;
        break;
    case K::FontFamilyDecor:
        font_.styleHint = QFont::Decorative;
        break;
    case K::FontFamilyNil:
    case K::FontFamilyTech:
        font_.styleHint = QFont::AnyStyle;
        break;
    default:
        break;
    }
}

void RtfTableReader::fontByte(char byte) {
    if (!inFontEntry_)
        return;
    if (byte == ';')
        endFontEntry();
    else if (fontNameBytes_.size() < kMaxFontNameLength)
        fontNameBytes_.append(byte);
}

void RtfTableReader::fontUnicode(char16_t ch) {
    if (!inFontEntry_)
        return;
    decodeFontName();
    if (font_.name.size() < kMaxFontNameLength)
        font_.name.append(QChar(ch));
}

void RtfTableReader::decodeFontName() {
    // A symbol font's name is still text, though its characters are not.
    int codePage = font_.codePage >= 0 ? font_.codePage : tables_.defaultCodePage;
    if (codePage == kSymbolCodePage)
        codePage = 1252;
    codePages_.decode(codePage, fontNameBytes_, font_.name);
    fontNameBytes_.clear();
}

void RtfTableReader::endFontEntry() {
    if (!inFontEntry_)
        return;
    inFontEntry_ = false;
    decodeFontName();
    font_.name = font_.name.trimmed();
    tables_.fonts[fontId_] = font_;
}

void RtfTableReader::beginColourTable() {
    tables_.colours.clear();
    colourSet_ = false;
    red_ = green_ = blue_ = 0;
}

void RtfTableReader::colourWord(RtfKeyword keyword, int param) {
    const int component = std::clamp(param, 0, 255);
    switch (keyword) {
    case RtfKeyword::Red:
        red_ = component;
        break;
    case RtfKeyword::Green:
        green_ = component;
        break;
    case RtfKeyword::Blue:
        blue_ = component;
        break;
    default:
        return;
    }
    colourSet_ = true;
}

void RtfTableReader::colourByte(char byte) {
    if (byte != ';')
        return;
    // An entry with no components is "auto": the view's own text colour.
    tables_.colours.append(colourSet_ ? QColor(red_, green_, blue_) : QColor());
    colourSet_ = false;
    red_ = green_ = blue_ = 0;
}
