#include "toolkit/rtfparser.h"

#include "toolkit/rtfdocumentbuilder.h"
#include "toolkit/rtfformatwords.h"

#include <algorithm>

namespace {

constexpr int kMaxWordLength = 32;
constexpr int kMaxParam = 1'000'000'000;
constexpr int kMaxUnicodeSkip = 16;

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Bytes that end a run of plain text: the RTF syntax characters, and line ends and other C0
// controls, which RTF text does not contain.
bool endsPlainText(char c) {
    return c == '\\' || c == '{' || c == '}' || static_cast<unsigned char>(c) < 0x20;
}

} // namespace

RtfParser::RtfParser(RtfTables &tables, RtfDocumentBuilder &builder)
    : m_tables(tables), m_builder(builder) {}

void RtfParser::parse(QByteArrayView rtf) {
    const char *p = rtf.data();
    m_end = p + rtf.size();
    while (p < m_end) {
        switch (*p) {
        case '{':
            ++p;
            openGroup();
            break;
        case '}':
            ++p;
            if (closeGroup())
                p = m_end;
            break;
        case '\\':
            p = controlSequence(p + 1);
            break;
        default:
            p = plainText(p);
            break;
        }
    }
    m_tableReader.endFontEntry();
    tablesChanged();
    flushRun();
    m_builder.finish(m_state.para, m_state.chars);
}

void RtfParser::openGroup() {
    decodeBytes();
    m_skipChars = 0;
    if (m_overflowDepth > 0 || static_cast<int>(m_stack.size()) >= kMaxDepth) {
        ++m_overflowDepth;
        return;
    }
    m_stack.push_back(m_state);
}

bool RtfParser::closeGroup() {
    decodeBytes();
    m_skipChars = 0;
    if (m_overflowDepth > 0) {
        --m_overflowDepth;
        return false;
    }
    // The document's own closing brace ends it, keeping the state its last paragraph needs; a
    // stray brace where no group is open ends it too.
    if (m_stack.size() <= 1)
        return true;
    if (m_state.destination == Destination::FontTable)
        m_tableReader.endFontEntry();
    const bool tablesEnd = m_state.destination != m_stack.back().destination &&
                           (m_state.destination == Destination::FontTable ||
                            m_state.destination == Destination::ColourTable);
    m_state = m_stack.back();
    m_stack.pop_back();
    if (tablesEnd)
        tablesChanged();
    return false;
}

const char *RtfParser::plainText(const char *p) {
    const char c = *p;
    if (static_cast<unsigned char>(c) < 0x20) {
        if (c == '\t' && m_state.destination == Destination::Body && m_skipChars == 0)
            appendChar(u'\t');
        return p + 1;
    }
    switch (m_state.destination) {
    case Destination::Skip:
        while (p < m_end && !endsPlainText(*p))
            ++p;
        return p;
    case Destination::Body: {
        if (m_skipChars > 0) {
            --m_skipChars;
            return p + 1;
        }
        const char *start = p;
        while (p < m_end && !endsPlainText(*p))
            ++p;
        appendBytes(start, p - start);
        return p;
    }
    case Destination::FontTable:
    case Destination::ColourTable:
        textByte(c);
        return p + 1;
    }
    return p + 1;
}

const char *RtfParser::controlSequence(const char *p) {
    if (p >= m_end)
        return p;
    const char c = *p;
    if (isLetter(c)) {
        ControlWord word;
        p = readControlWord(p, word);
        decodeBytes();
        // A word the end of a cut file runs into may have lost letters or digits: \u12354 cut
        // to \u123 would be another character.
        if (p == m_end)
            return p;
        if (m_state.destination == Destination::Skip) {
            if (word.keyword == RtfKeyword::Bin && word.param > 0)
                p += std::min<qsizetype>(word.param, m_end - p);
            return p;
        }
        if (m_skipChars > 0) {
            // A control word in a \u fallback counts as one of its characters and is not obeyed.
            --m_skipChars;
            if (word.keyword == RtfKeyword::Bin && word.param > 0)
                p += std::min<qsizetype>(word.param, m_end - p);
            return p;
        }
        return dispatch(word, p);
    }

    ++p;
    switch (c) {
    case '\'': {
        int value = 0;
        int digits = 0;
        while (digits < 2 && p < m_end && hexValue(*p) >= 0) {
            value = value * 16 + hexValue(*p);
            ++p;
            ++digits;
        }
        // Half an escape is no byte: taking it as one would put a control code in the text.
        if (digits == 2)
            textByte(static_cast<char>(value));
        return p;
    }
    case '\\':
    case '{':
    case '}':
        textByte(c);
        return p;
    case '*':
        m_state.destination = Destination::Skip;
        return p;
    default:
        break;
    }

    decodeBytes();
    if (m_state.destination != Destination::Body)
        return p;
    if (m_skipChars > 0) {
        --m_skipChars;
        return p;
    }
    switch (c) {
    case '~':
        appendChar(u'\u00A0');
        break;
    case '-':
        appendChar(u'\u00AD');
        break;
    case '_':
        appendChar(u'\u2011');
        break;
    case '\t':
        appendChar(u'\t');
        break;
    case '\r':
    case '\n':
        paragraph();
        break;
    default:
        break;
    }
    return p;
}

const char *RtfParser::readControlWord(const char *p, ControlWord &word) const {
    const char *start = p;
    while (p < m_end && isLetter(*p))
        ++p;
    // Over-long words are no words we know; their letters are still consumed.
    if (p - start <= kMaxWordLength)
        word.keyword = rtfKeyword(std::string_view(start, p - start));

    bool negative = false;
    if (p + 1 == m_end && *p == '-')
        return m_end; // the sign of a parameter the end of the file cut off
    if (p < m_end && *p == '-' && p + 1 < m_end && isDigit(p[1])) {
        negative = true;
        ++p;
    }
    if (p < m_end && isDigit(*p)) {
        word.hasParam = true;
        long long value = 0;
        while (p < m_end && isDigit(*p)) {
            value = std::min<long long>(value * 10 + (*p - '0'), kMaxParam);
            ++p;
        }
        word.param = static_cast<int>(negative ? -value : value);
    }
    if (p < m_end && *p == ' ')
        ++p;
    return p;
}

const char *RtfParser::dispatch(const ControlWord &word, const char *p) {
    using K = RtfKeyword;
    switch (word.keyword) {
    case K::Bin:
        if (word.param > 0)
            p += std::min<qsizetype>(word.param, m_end - p);
        return p;
    case K::SkipDestination:
        m_state.destination = Destination::Skip;
        return p;
    case K::FontTable:
        m_state.destination = Destination::FontTable;
        m_tableReader.beginFontTable();
        return p;
    case K::ColourTable:
        m_state.destination = Destination::ColourTable;
        m_tableReader.beginColourTable();
        return p;
    case K::Unicode: {
        // \uN gives a signed 16-bit value; anything past that range is no character.
        int value = word.param;
        if (value < 0)
            value += 65536;
        if (word.hasParam && value >= 0 && value <= 0xFFFF)
            unicodeChar(value);
        m_skipChars = m_state.unicodeSkip;
        return p;
    }
    case K::UnicodeSkip:
        m_state.unicodeSkip = std::clamp(word.param, 0, kMaxUnicodeSkip);
        return p;
    default:
        break;
    }

    if (m_state.destination == Destination::Body)
        dispatchBodyWord(word);
    else if (m_state.destination == Destination::FontTable)
        m_tableReader.fontWord(word.keyword, word.param);
    else if (m_state.destination == Destination::ColourTable)
        m_tableReader.colourWord(word.keyword, word.param);
    return p;
}

void RtfParser::dispatchBodyWord(const ControlWord &word) {
    using K = RtfKeyword;
    if (applyFormatWord(word.keyword, word.hasParam, word.param, m_state.chars, m_state.para))
        return;
    if (const char16_t ch = characterForWord(word.keyword)) {
        appendChar(ch);
        return;
    }
    switch (word.keyword) {
    case K::Ansi:
        m_tables.defaultCodePage = 1252;
        break;
    case K::AnsiCpg:
        m_tables.defaultCodePage = word.param;
        break;
    case K::Mac:
        m_tables.defaultCodePage = 10000;
        break;
    case K::Pc:
        m_tables.defaultCodePage = 437;
        break;
    case K::Pca:
        m_tables.defaultCodePage = 850;
        break;
    case K::Deff:
        m_tables.defaultFont = word.param;
        break;
    case K::Paragraph:
    case K::Row:
        paragraph();
        return;
    default:
        return;
    }
    tablesChanged();
}

void RtfParser::textByte(char byte) {
    if (m_skipChars > 0) {
        --m_skipChars;
        return;
    }
    switch (m_state.destination) {
    case Destination::Body:
        appendBytes(&byte, 1);
        break;
    case Destination::FontTable:
        m_tableReader.fontByte(byte);
        break;
    case Destination::ColourTable:
        m_tableReader.colourByte(byte);
        break;
    case Destination::Skip:
        break;
    }
}

int RtfParser::currentCodePage() {
    if (m_codePageFont != m_state.chars.font) {
        m_codePageFont = m_state.chars.font;
        m_codePage = m_tables.codePage(m_codePageFont);
    }
    return m_codePage;
}

void RtfParser::appendBytes(const char *bytes, qsizetype count) {
    if (m_state.chars.hidden)
        return;
    if (!(m_state.chars == m_textProps)) {
        flushRun();
        m_textProps = m_state.chars;
    }
    const int codePage = currentCodePage();
    if (codePage != m_bytesCodePage)
        decodeBytes();
    m_bytesCodePage = codePage;
    m_bytes.append(bytes, count);
}

void RtfParser::appendChar(char16_t ch) {
    if (m_state.chars.hidden)
        return;
    if (!(m_state.chars == m_textProps)) {
        flushRun();
        m_textProps = m_state.chars;
    }
    decodeBytes();
    m_text.append(QChar(ch));
}

void RtfParser::unicodeChar(int value) {
    switch (m_state.destination) {
    case Destination::Body:
        appendChar(static_cast<char16_t>(value));
        break;
    case Destination::FontTable:
        m_tableReader.fontUnicode(static_cast<char16_t>(value));
        break;
    default:
        break;
    }
}

void RtfParser::decodeBytes() {
    if (m_bytes.isEmpty())
        return;
    m_codePages.decode(m_bytesCodePage, m_bytes, m_text);
    m_bytes.clear();
}

void RtfParser::flushRun() {
    decodeBytes();
    if (m_text.isEmpty())
        return;
    m_builder.insertText(m_text, m_textProps);
    m_text.clear();
}

void RtfParser::paragraph() {
    flushRun();
    m_builder.endParagraph(m_state.para, m_state.chars);
}

void RtfParser::tablesChanged() {
    m_codePageFont = -2;
    m_builder.tablesChanged();
}
