#include "toolkit/rtftablereader.h"

#include "toolkit/rtfcodepages.h"

#include <algorithm>

namespace {

constexpr int kMaxFontNameLength = 256;

} // namespace

RtfTableReader::RtfTableReader(RtfTables &tables, RtfCodePages &codePages)
    : m_tables(tables), m_codePages(codePages) {}

void RtfTableReader::beginFontTable() {
    m_inFontEntry = false;
}

void RtfTableReader::fontWord(RtfKeyword keyword, int param) {
    using K = RtfKeyword;
    if (keyword == K::Font) {
        endFontEntry();
        m_inFontEntry = true;
        m_fontId = param;
        m_font = RtfFont{};
        m_fontCodePageFixed = false;
        m_fontNameBytes.clear();
        return;
    }
    switch (keyword) {
    case K::FontCharset:
        if (!m_fontCodePageFixed)
            m_font.codePage = codePageForCharset(param);
        break;
    case K::FontCodePage:
        m_font.codePage = param;
        m_fontCodePageFixed = true;
        break;
    case K::FontPitch:
        m_font.fixedPitch = param == 1;
        break;
    case K::FontFamilyRoman:
        m_font.styleHint = QFont::Serif;
        break;
    case K::FontFamilySwiss:
        m_font.styleHint = QFont::SansSerif;
        break;
    case K::FontFamilyModern:
        m_font.styleHint = QFont::TypeWriter;
        break;
    case K::FontFamilyScript:
        m_font.styleHint = QFont::Cursive;
        break;
    case K::FontFamilyDecor:
        m_font.styleHint = QFont::Decorative;
        break;
    case K::FontFamilyNil:
    case K::FontFamilyTech:
        m_font.styleHint = QFont::AnyStyle;
        break;
    default:
        break;
    }
}

void RtfTableReader::fontByte(char byte) {
    if (!m_inFontEntry)
        return;
    if (byte == ';')
        endFontEntry();
    else if (m_fontNameBytes.size() < kMaxFontNameLength)
        m_fontNameBytes.append(byte);
}

void RtfTableReader::fontUnicode(char16_t ch) {
    if (!m_inFontEntry)
        return;
    decodeFontName();
    if (m_font.name.size() < kMaxFontNameLength)
        m_font.name.append(QChar(ch));
}

void RtfTableReader::decodeFontName() {
    // A symbol font's name is still text, though its characters are not.
    int codePage = m_font.codePage >= 0 ? m_font.codePage : m_tables.defaultCodePage;
    if (codePage == kSymbolCodePage)
        codePage = 1252;
    m_codePages.decode(codePage, m_fontNameBytes, m_font.name);
    m_fontNameBytes.clear();
}

void RtfTableReader::endFontEntry() {
    if (!m_inFontEntry)
        return;
    m_inFontEntry = false;
    decodeFontName();
    m_font.name = m_font.name.trimmed();
    m_tables.fonts[m_fontId] = m_font;
}

void RtfTableReader::beginColourTable() {
    m_tables.colours.clear();
    m_colourSet = false;
    m_red = m_green = m_blue = 0;
}

void RtfTableReader::colourWord(RtfKeyword keyword, int param) {
    const int component = std::clamp(param, 0, 255);
    switch (keyword) {
    case RtfKeyword::Red:
        m_red = component;
        break;
    case RtfKeyword::Green:
        m_green = component;
        break;
    case RtfKeyword::Blue:
        m_blue = component;
        break;
    default:
        return;
    }
    m_colourSet = true;
}

void RtfTableReader::colourByte(char byte) {
    if (byte != ';')
        return;
    // An entry with no components is "auto": the view's own text colour.
    m_tables.colours.append(m_colourSet ? QColor(m_red, m_green, m_blue) : QColor());
    m_colourSet = false;
    m_red = m_green = m_blue = 0;
}
