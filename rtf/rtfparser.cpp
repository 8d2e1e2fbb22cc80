#include "rtf/rtfparser.h"

#include "rtf/rtfdocumentbuilder.h"
#include "rtf/rtfformatwords.h"

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

RtfParser::RtfParser(RtfTables &tables, RtfDocumentBuilder &builder, int paragraphs)
    : tables_(tables), builder_(builder), paragraphsLeft_(paragraphs) {}

void RtfParser::parse(QByteArrayView rtf) {
    const char *p = rtf.data();
    end_ = p + rtf.size();
    while (p < end_ && paragraphsLeft_ != 0) {
        switch (*p) {
        case '{':
            ++p;
            openGroup();
            break;
        case '}':
            ++p;
            if (closeGroup())
                p = end_;
            break;
        case '\\':
            p = controlSequence(p + 1);
            break;
        default:
            p = plainText(p);
            break;
        }
    }
    tableReader_.endFontEntry();
    tablesChanged();
    flushRun();
    builder_.finish(state_.para, state_.chars);
}

void RtfParser::openGroup() {
    decodeBytes();
    skipChars_ = 0;
    if (overflowDepth_ > 0 || static_cast<int>(stack_.size()) >= kMaxDepth) {
        ++overflowDepth_;
        return;
    }
    stack_.push_back(state_);
}

bool RtfParser::closeGroup() {
    decodeBytes();
    skipChars_ = 0;
    if (overflowDepth_ > 0) {
        --overflowDepth_;
        return false;
    }
    // The document's own closing brace ends it, keeping the state its last paragraph needs; a
    // stray brace where no group is open ends it too.
    if (stack_.size() <= 1)
        return true;
    if (state_.destination == Destination::FontTable)
        tableReader_.endFontEntry();
    const bool tablesEnd = state_.destination != stack_.back().destination &&
                           (state_.destination == Destination::FontTable ||
                            state_.destination == Destination::ColourTable);
    state_ = stack_.back();
    stack_.pop_back();
    if (tablesEnd)
        tablesChanged();
    return false;
}

const char *RtfParser::plainText(const char *p) {
    const char c = *p;
    if (static_cast<unsigned char>(c) < 0x20) {
        if (c == '\t' && state_.destination == Destination::Body && skipChars_ == 0)
            appendChar(u'\t');
        return p + 1;
    }
    switch (state_.destination) {
    case Destination::Skip:
        while (p < end_ && !endsPlainText(*p))
            ++p;
        return p;
    case Destination::Body: {
        if (skipChars_ > 0) {
            --skipChars_;
            return p + 1;
        }
        const char *start = p;
        while (p < end_ && !endsPlainText(*p))
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
    if (p >= end_)
        return p;
    const char c = *p;
    if (isLetter(c)) {
        ControlWord word;
        p = readControlWord(p, word);
        decodeBytes();
        // A word the end of a cut file runs into may have lost letters or digits: \u12354 cut
        // to \u123 would be another character.
        if (p == end_)
            return p;
        if (state_.destination == Destination::Skip) {
            if (word.keyword == RtfKeyword::Bin && word.param > 0)
                p += std::min<qsizetype>(word.param, end_ - p);
            return p;
        }
        if (skipChars_ > 0) {
            // A control word in a \u fallback counts as one of its characters and is not obeyed.
            --skipChars_;
            if (word.keyword == RtfKeyword::Bin && word.param > 0)
                p += std::min<qsizetype>(word.param, end_ - p);
            return p;
        }
        return dispatch(word, p);
    }

    ++p;
    switch (c) {
    case '\'': {
        int value = 0;
        int digits = 0;
        while (digits < 2 && p < end_ && hexValue(*p) >= 0) {
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
        state_.destination = Destination::Skip;
        return p;
    default:
        break;
    }

    decodeBytes();
    if (state_.destination != Destination::Body)
        return p;
    if (skipChars_ > 0) {
        --skipChars_;
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
    while (p < end_ && isLetter(*p))
        ++p;
    // Over-long words are no words we know; their letters are still consumed.
    if (p - start <= kMaxWordLength)
        word.keyword = rtfKeyword(std::string_view(start, p - start));

    bool negative = false;
    if (p + 1 == end_ && *p == '-')
        return end_; // the sign of a parameter the end of the file cut off
    if (p < end_ && *p == '-' && p + 1 < end_ && isDigit(p[1])) {
        negative = true;
        ++p;
    }
    if (p < end_ && isDigit(*p)) {
        word.hasParam = true;
        long long value = 0;
        while (p < end_ && isDigit(*p)) {
            value = std::min<long long>(value * 10 + (*p - '0'), kMaxParam);
            ++p;
        }
        word.param = static_cast<int>(negative ? -value : value);
    }
    if (p < end_ && *p == ' ')
        ++p;
    return p;
}

const char *RtfParser::dispatch(const ControlWord &word, const char *p) {
    using K = RtfKeyword;
    switch (word.keyword) {
    case K::Bin:
        if (word.param > 0)
            p += std::min<qsizetype>(word.param, end_ - p);
        return p;
    case K::SkipDestination:
        state_.destination = Destination::Skip;
        return p;
    case K::FontTable:
        state_.destination = Destination::FontTable;
        tableReader_.beginFontTable();
        return p;
    case K::ColourTable:
        state_.destination = Destination::ColourTable;
        tableReader_.beginColourTable();
        return p;
    case K::Unicode: {
        // \uN gives a signed 16-bit value; anything past that range is no character.
        int value = word.param;
        if (value < 0)
            value += 65536;
        if (word.hasParam && value >= 0 && value <= 0xFFFF)
            unicodeChar(value);
        skipChars_ = state_.unicodeSkip;
        return p;
    }
    case K::UnicodeSkip:
        state_.unicodeSkip = std::clamp(word.param, 0, kMaxUnicodeSkip);
        return p;
    default:
        break;
    }

    if (state_.destination == Destination::Body)
        dispatchBodyWord(word);
    else if (state_.destination == Destination::FontTable)
        tableReader_.fontWord(word.keyword, word.param);
    else if (state_.destination == Destination::ColourTable)
        tableReader_.colourWord(word.keyword, word.param);
    return p;
}

void RtfParser::dispatchBodyWord(const ControlWord &word) {
    using K = RtfKeyword;
    if (applyFormatWord(word.keyword, word.hasParam, word.param, state_.chars, state_.para))
        return;
    if (const char16_t ch = characterForWord(word.keyword)) {
        appendChar(ch);
        return;
    }
    switch (word.keyword) {
    case K::Ansi:
        tables_.defaultCodePage = 1252;
        break;
    case K::AnsiCpg:
        tables_.defaultCodePage = word.param;
        break;
    case K::Mac:
        tables_.defaultCodePage = 10000;
        break;
    case K::Pc:
        tables_.defaultCodePage = 437;
        break;
    case K::Pca:
        tables_.defaultCodePage = 850;
        break;
    case K::Deff:
        tables_.defaultFont = word.param;
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
    if (skipChars_ > 0) {
        --skipChars_;
        return;
    }
    switch (state_.destination) {
    case Destination::Body:
        appendBytes(&byte, 1);
        break;
    case Destination::FontTable:
        tableReader_.fontByte(byte);
        break;
    case Destination::ColourTable:
        tableReader_.colourByte(byte);
        break;
    case Destination::Skip:
        break;
    }
}

int RtfParser::currentCodePage() {
    if (codePageFont_ != state_.chars.font) {
        codePageFont_ = state_.chars.font;
        codePage_ = tables_.codePage(codePageFont_);
    }
    return codePage_;
}

void RtfParser::appendBytes(const char *bytes, qsizetype count) {
    if (state_.chars.hidden)
        return;
    if (!(state_.chars == textProps_)) {
        flushRun();
        textProps_ = state_.chars;
    }
    const int codePage = currentCodePage();
    if (codePage != bytesCodePage_)
        decodeBytes();
    bytesCodePage_ = codePage;
    bytes_.append(bytes, count);
}

void RtfParser::appendChar(char16_t ch) {
    if (state_.chars.hidden)
        return;
    if (!(state_.chars == textProps_)) {
        flushRun();
        textProps_ = state_.chars;
    }
    decodeBytes();
    text_.append(QChar(ch));
}

void RtfParser::unicodeChar(int value) {
    switch (state_.destination) {
    case Destination::Body:
        appendChar(static_cast<char16_t>(value));
        break;
    case Destination::FontTable:
        tableReader_.fontUnicode(static_cast<char16_t>(value));
        break;
    default:
        break;
    }
}

void RtfParser::decodeBytes() {
    if (bytes_.isEmpty())
        return;
    codePages_.decode(bytesCodePage_, bytes_, text_);
    bytes_.clear();
}

void RtfParser::flushRun() {
    decodeBytes();
    if (text_.isEmpty())
        return;
    builder_.insertText(text_, textProps_);
    text_.clear();
}

void RtfParser::paragraph() {
    flushRun();
    builder_.endParagraph(state_.para, state_.chars);
    if (paragraphsLeft_ > 0)
        --paragraphsLeft_;
}

void RtfParser::tablesChanged() {
    codePageFont_ = -2;
    builder_.tablesChanged();
}
