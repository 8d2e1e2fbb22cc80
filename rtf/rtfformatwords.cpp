#include "rtf/rtfformatwords.h"

#include <algorithm>

namespace {

// Indents beyond 22 inches either way are no page's.
constexpr int kMaxIndentTwips = 31680;

} // namespace

bool applyFormatWord(RtfKeyword keyword, bool hasParam, int param, RtfCharProps &chars,
                     RtfParaProps &para) {
    using K = RtfKeyword;
    // A toggle is switched off only by a parameter of 0 (\b0).
    const bool on = !hasParam || param != 0;
    switch (keyword) {
    case K::Plain:
        chars = RtfCharProps{};
        return true;
    case K::Font:
        chars.font = std::max(param, 0);
        return true;
    case K::FontSize:
        // Half-points; a size of nothing or thousands of points is no size a reader can use.
        chars.halfPoints = hasParam ? std::clamp(param, 2, 3276) : 24;
        return true;
    case K::Colour:
        chars.colour = std::max(param, 0);
        return true;
    case K::Bold:
        chars.bold = on;
        return true;
    case K::Italic:
        chars.italic = on;
        return true;
    case K::Strike:
        chars.strike = on;
        return true;
    case K::Hidden:
        chars.hidden = on;
        return true;
    case K::Underline:
        chars.underline = on ? QTextCharFormat::SingleUnderline : QTextCharFormat::NoUnderline;
        return true;
    case K::UnderlineDotted:
        chars.underline = on ? QTextCharFormat::DotLine : QTextCharFormat::NoUnderline;
        return true;
    case K::UnderlineDashed:
        chars.underline = on ? QTextCharFormat::DashUnderline : QTextCharFormat::NoUnderline;
        return true;
    case K::UnderlineWave:
        chars.underline = on ? QTextCharFormat::WaveUnderline : QTextCharFormat::NoUnderline;
        return true;
    case K::UnderlineNone:
        chars.underline = QTextCharFormat::NoUnderline;
        return true;
    case K::Superscript:
        chars.verticalAlignment = QTextCharFormat::AlignSuperScript;
        return true;
    case K::Subscript:
        chars.verticalAlignment = QTextCharFormat::AlignSubScript;
        return true;
    case K::NoSuperSub:
        chars.verticalAlignment = QTextCharFormat::AlignNormal;
        return true;
    case K::Language:
        chars.language = std::max(param, 0);
        return true;
    case K::ParagraphDefault:
        para = RtfParaProps{};
        return true;
    case K::AlignLeft:
        para.alignment = Qt::AlignLeft;
        return true;
    case K::AlignCentre:
        para.alignment = Qt::AlignHCenter;
        return true;
    case K::AlignRight:
        para.alignment = Qt::AlignRight;
        return true;
    case K::AlignJustify:
        para.alignment = Qt::AlignJustify;
        return true;
    case K::LeftIndent:
        para.leftTwips = std::clamp(param, -kMaxIndentTwips, kMaxIndentTwips);
        return true;
    case K::RightIndent:
        para.rightTwips = std::clamp(param, -kMaxIndentTwips, kMaxIndentTwips);
        return true;
    case K::FirstIndent:
        para.firstLineTwips = std::clamp(param, -kMaxIndentTwips, kMaxIndentTwips);
        return true;
    default:
        return false;
    }
}

char16_t characterForWord(RtfKeyword keyword) {
    using K = RtfKeyword;
    switch (keyword) {
    case K::Line:
        return u'\u2028';
    case K::Tab:
    case K::Cell:
        return u'\t';
    case K::EmDash:
        return u'\u2014';
    case K::EnDash:
        return u'\u2013';
    case K::EmSpace:
        return u'\u2003';
    case K::EnSpace:
        return u'\u2002';
    case K::Bullet:
        return u'\u2022';
    case K::LeftQuote:
        return u'\u2018';
    case K::RightQuote:
        return u'\u2019';
    case K::LeftDoubleQuote:
        return u'\u201C';
    case K::RightDoubleQuote:
        return u'\u201D';
    default:
        return 0;
    }
}
