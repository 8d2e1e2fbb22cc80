#include "rtf/rtfkeywords.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

using Entry = std::pair<std::string_view, RtfKeyword>;
using K = RtfKeyword;

// Kept sorted by name: the lookup is a binary search. Destinations whose text a reader of the
// document never sees are skipped as a whole group.
constexpr std::array kKeywords{
    Entry{"annotation", K::SkipDestination},
    Entry{"ansi", K::Ansi},
    Entry{"ansicpg", K::AnsiCpg},
    Entry{"atnauthor", K::SkipDestination},
    Entry{"atnid", K::SkipDestination},
    Entry{"author", K::SkipDestination},
    Entry{"b", K::Bold},
    Entry{"bin", K::Bin},
    Entry{"blue", K::Blue},
    Entry{"bullet", K::Bullet},
    Entry{"buptim", K::SkipDestination},
    Entry{"category", K::SkipDestination},
    Entry{"cell", K::Cell},
    Entry{"cf", K::Colour},
    Entry{"colortbl", K::ColourTable},
    Entry{"comment", K::SkipDestination},
    Entry{"company", K::SkipDestination},
    Entry{"cpg", K::FontCodePage},
    Entry{"creatim", K::SkipDestination},
    Entry{"deff", K::Deff},
    Entry{"doccomm", K::SkipDestination},
    Entry{"emdash", K::EmDash},
    Entry{"emspace", K::EmSpace},
    Entry{"endash", K::EnDash},
    Entry{"enspace", K::EnSpace},
    Entry{"f", K::Font},
    Entry{"fcharset", K::FontCharset},
    Entry{"fdecor", K::FontFamilyDecor},
    Entry{"fi", K::FirstIndent},
    Entry{"filetbl", K::SkipDestination},
    Entry{"fldinst", K::SkipDestination},
    Entry{"fmodern", K::FontFamilyModern},
    Entry{"fnil", K::FontFamilyNil},
    Entry{"fonttbl", K::FontTable},
    Entry{"footer", K::SkipDestination},
    Entry{"footerf", K::SkipDestination},
    Entry{"footerl", K::SkipDestination},
    Entry{"footerr", K::SkipDestination},
    Entry{"footnote", K::SkipDestination},
    Entry{"fprq", K::FontPitch},
    Entry{"froman", K::FontFamilyRoman},
    Entry{"fs", K::FontSize},
    Entry{"fscript", K::FontFamilyScript},
    Entry{"fswiss", K::FontFamilySwiss},
    Entry{"ftech", K::FontFamilyTech},
    Entry{"green", K::Green},
    Entry{"header", K::SkipDestination},
    Entry{"headerf", K::SkipDestination},
    Entry{"headerl", K::SkipDestination},
    Entry{"headerr", K::SkipDestination},
    Entry{"i", K::Italic},
    Entry{"info", K::SkipDestination},
    Entry{"keywords", K::SkipDestination},
    Entry{"lang", K::Language},
    Entry{"ldblquote", K::LeftDoubleQuote},
    Entry{"li", K::LeftIndent},
    Entry{"line", K::Line},
    Entry{"lquote", K::LeftQuote},
    Entry{"mac", K::Mac},
    Entry{"manager", K::SkipDestination},
    Entry{"nonshppict", K::SkipDestination},
    Entry{"nosupersub", K::NoSuperSub},
    Entry{"object", K::SkipDestination},
    Entry{"operator", K::SkipDestination},
    Entry{"page", K::Paragraph},
    Entry{"par", K::Paragraph},
    Entry{"pard", K::ParagraphDefault},
    Entry{"pc", K::Pc},
    Entry{"pca", K::Pca},
    Entry{"pict", K::SkipDestination},
    Entry{"plain", K::Plain},
    Entry{"printim", K::SkipDestination},
    Entry{"private", K::SkipDestination},
    Entry{"qc", K::AlignCentre},
    Entry{"qj", K::AlignJustify},
    Entry{"ql", K::AlignLeft},
    Entry{"qr", K::AlignRight},
    Entry{"rdblquote", K::RightDoubleQuote},
    Entry{"red", K::Red},
    Entry{"revtbl", K::SkipDestination},
    Entry{"revtim", K::SkipDestination},
    Entry{"ri", K::RightIndent},
    Entry{"row", K::Row},
    Entry{"rquote", K::RightQuote},
    Entry{"rtf", K::Rtf},
    Entry{"sect", K::Paragraph},
    Entry{"strike", K::Strike},
    Entry{"stylesheet", K::SkipDestination},
    Entry{"sub", K::Subscript},
    Entry{"subject", K::SkipDestination},
    Entry{"super", K::Superscript},
    Entry{"tab", K::Tab},
    Entry{"tc", K::SkipDestination},
    Entry{"title", K::SkipDestination},
    Entry{"txe", K::SkipDestination},
    Entry{"u", K::Unicode},
    Entry{"uc", K::UnicodeSkip},
    Entry{"ul", K::Underline},
    Entry{"uld", K::UnderlineDotted},
    Entry{"uldash", K::UnderlineDashed},
    Entry{"uldashd", K::UnderlineDashed},
    Entry{"uldashdd", K::UnderlineDashed},
    Entry{"uldb", K::Underline},
    Entry{"ulnone", K::UnderlineNone},
    Entry{"ulth", K::Underline},
    Entry{"ulw", K::Underline},
    Entry{"ulwave", K::UnderlineWave},
    Entry{"v", K::Hidden},
    Entry{"xe", K::SkipDestination},
};

constexpr bool isSorted() {
    for (std::size_t i = 1; i < kKeywords.size(); ++i) {
        if (!(kKeywords[i - 1].first < kKeywords[i].first))
            return false;
    }
    return true;
}
static_assert(isSorted(), "the keyword table must stay sorted for the binary search");

} // namespace

RtfKeyword rtfKeyword(std::string_view word) {
    const auto it = std::lower_bound(
        kKeywords.begin(), kKeywords.end(), word,
        [](const Entry &entry, std::string_view key) { return entry.first < key; });
    if (it != kKeywords.end() && it->first == word)
        return it->second;
    return RtfKeyword::Unknown;
}
