#include "tools/rtfgen/rtfgenerator.h"

#include "tools/rtfgen/rtfwriter.h"

#include <QList>
#include <QStringDecoder>

namespace {

struct FontEntry {
    const char *controls;
    const char16_t *name;
};

struct InlineTag {
    QStringView name;
    const char *controls;
};

struct Profile {
    QStringView name;
    QList<FontEntry> fonts;
    const char *colours;
    const char *defaultRun;
    bool tagsAllowed;
};

const Profile kProfiles[] = {
    {u"paper",
     {{"\\f0\\fswiss", u"MS Sans Serif"},
      {"\\f1\\froman\\fcharset2", u"Symbol"},
      {"\\f2\\fnil\\fcharset128", u"ＭＳ ゴシック"},
      {"\\f3\\fnil\\fcharset128", u"ＭＳ ゴシック"},
      {"\\f4\\fmodern\\fprq1\\fcharset128", u"ＭＳ ゴシック"},
      {"\\f5\\fmodern\\fprq1", u"MS Gothic Western"},
      {"\\f6\\froman\\fprq2", u"Century"}},
     "{\\colortbl ;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}",
     "\\f4\\fs16\\cf1\\lang1041",
     true},
    // The About and reference documents are one font, one size, one colour throughout.
    {u"plain",
     {{"\\f0\\fmodern\\fprq1\\fcharset128", u"ＭＳ ゴシック"}},
     "{\\colortbl ;\\red0\\green0\\blue0;}",
     "\\f0\\fs18\\cf1\\lang1041",
     false},
};

const InlineTag kTags[] = {
    {u"r", "\\cf2"},          {u"u", "\\ul"},     {u"e", "\\f6\\lang1033"},
    {u"w", "\\f5\\lang1033"}, {u"big", "\\fs21"},
};

// Japanese line breaking: characters that may not begin a line, and those that may not end one.
constexpr char16_t kNoLineStart[] =
    u"!%),.:;?]}°’”‰′″℃、。々〉》」』】〕ぁぃぅぇぉっゃゅょゎ゛゜ゝゞ"
    u"ァィゥェォッャュョヮヵヶ・ーヽヾ！％），．：；？］｝｡｣､･ｧｨｩｪｫｬｭｮｯｰﾞﾟ";
constexpr char16_t kNoLineEnd[] = u"$([{‘“〈《「『【〔＄（［｛｢￡￥";

const InlineTag *findTag(QStringView name) {
    for (const InlineTag &tag : kTags) {
        if (tag.name == name)
            return &tag;
    }
    return nullptr;
}

void writeHeader(RtfWriter &out, const Profile &profile) {
    out.raw("{\\rtf1\\ansi\\ansicpg932\\deff0\\deftab720\\deflang1041\\deflangfe1041");
    out.openGroup();
    out.controlWord("\\fonttbl");
    for (const FontEntry &font : profile.fonts) {
        out.lineBreak();
        out.openGroup();
        out.controlWord(font.controls);
        out.text(QString::fromUtf16(font.name) + u';');
        out.closeGroup();
    }
    out.closeGroup();
    out.lineBreak();
    out.raw(profile.colours);
    out.lineBreak();
    for (const auto &[word, characters] :
         {std::pair{"\\fchars", kNoLineStart}, std::pair{"\\lchars", kNoLineEnd}}) {
        out.openGroup();
        out.controlWord("\\*");
        out.controlWord(word);
        out.text(QStringView(characters));
        out.closeGroup();
        out.lineBreak();
    }
    out.raw("\\horzdoc\\viewkind4\\uc1\\pard");
    out.controlWord(profile.defaultRun);
}

// Writes one source line as a paragraph; returns what is wrong with it, or an empty text.
QString writeParagraph(RtfWriter &out, QStringView line, const Profile &profile) {
    QList<QStringView> open;
    qsizetype i = 0;
    while (i < line.size()) {
        qsizetype special = i;
        while (special < line.size() && line[special] != u'<' && line[special] != u'&')
            ++special;
        out.text(line.sliced(i, special - i));
        i = special;
        if (i == line.size())
            break;
        if (line[i] == u'&') {
            static const std::pair<QStringView, QStringView> entities[] = {
                {u"&lt;", u"<"}, {u"&gt;", u">"}, {u"&amp;", u"&"}};
            qsizetype taken = 1;
            QStringView replacement = u"&";
            for (const auto &[entity, character] : entities) {
                if (line.sliced(i).startsWith(entity)) {
                    taken = entity.size();
                    replacement = character;
                }
            }
            out.text(replacement);
            i += taken;
            continue;
        }
        const qsizetype end = line.indexOf(u'>', i);
        if (end < 0)
            return QStringLiteral("a \"<\" that opens no tag; write &lt; for the character");
        const QStringView inner = line.sliced(i + 1, end - i - 1);
        const bool closing = inner.startsWith(u'/');
        const QStringView name = closing ? inner.sliced(1) : inner;
        const InlineTag *tag = findTag(name);
        if (!tag)
            return QStringLiteral("unknown tag <%1>; write &lt; for the character").arg(inner);
        if (!profile.tagsAllowed)
            return QStringLiteral("tag <%1> in a %2 document, which has one style throughout")
                .arg(inner, profile.name);
        if (closing) {
            if (open.isEmpty() || open.last() != name)
                return QStringLiteral("</%1> closes no open <%1>").arg(name);
            open.removeLast();
            out.closeGroup();
        } else {
            open.append(name);
            out.openGroup();
            out.controlWord(tag->controls);
        }
        i = end + 1;
    }
    if (!open.isEmpty())
        return QStringLiteral("<%1> is not closed on its line").arg(open.last());
    out.paragraphEnd();
    return {};
}

} // namespace

GeneratedRtf generateRtf(QByteArrayView source) {
    GeneratedRtf result;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(source);
    if (decoder.hasError()) {
        result.errors.append(QStringLiteral("line 1: the source is not valid UTF-8"));
        return result;
    }
    QList<QStringView> lines = QStringView(text).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the final newline ends the last line; it does not start another
    for (QStringView &line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }

    const QStringView profileLine = lines.value(0).trimmed();
    const Profile *profile = nullptr;
    for (const Profile &candidate : kProfiles) {
        if (profileLine == QStringLiteral("@profile ") + candidate.name.toString())
            profile = &candidate;
    }
    if (!profile) {
        result.errors.append(
            QStringLiteral("line 1: expected \"@profile paper\" or \"@profile plain\""));
        return result;
    }

    RtfWriter out;
    writeHeader(out, *profile);
    for (qsizetype n = 1; n < lines.size(); ++n) {
        if (lines[n].startsWith(u"@#"))
            continue;
        const QString fault = writeParagraph(out, lines[n], *profile);
        if (!fault.isEmpty())
            result.errors.append(QStringLiteral("line %1: %2").arg(n + 1).arg(fault));
    }
    if (!result.errors.isEmpty())
        return result;
    out.closeGroup();
    out.lineBreak();
    result.rtf = out.bytes();
    return result;
}
