#include "tools/rtfdump/rtfdumpformat.h"

#include "rtf/rtfreader.h"

#include <QTextBlock>
#include <QTextDocument>

namespace {

QString lineText(const QTextBlock &block) {
    QString text = block.text();
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

bool isClosingEmptyBlock(const QTextBlock &block) {
    return !block.next().isValid() && block.length() <= 1 && block.blockNumber() > 0;
}

QString describe(const QTextCharFormat &format) {
    QStringList parts;
    const QStringList families = format.fontFamilies().toStringList();
    parts << QStringLiteral("font=") +
                 (families.isEmpty() ? QStringLiteral("(default)") : families.join(u','));
    if (format.fontFixedPitch() || format.fontStyleHint() == QFont::TypeWriter)
        parts << QStringLiteral("fixed");
    if (format.hasProperty(QTextFormat::FontPointSize))
        parts << QStringLiteral("size=%1").arg(format.fontPointSize());
    parts << QStringLiteral("colour=") + (format.hasProperty(QTextFormat::ForegroundBrush)
                                              ? format.foreground().color().name()
                                              : QStringLiteral("auto"));
    if (format.fontUnderline())
        parts << QStringLiteral("underline");
    if (format.fontWeight() >= QFont::Bold)
        parts << QStringLiteral("bold");
    if (format.fontItalic())
        parts << QStringLiteral("italic");
    if (format.hasProperty(kRtfLanguageProperty))
        parts << QStringLiteral("lang=%1").arg(format.intProperty(kRtfLanguageProperty));
    return parts.join(u' ');
}

} // namespace

QString documentPlainText(const QTextDocument &document) {
    QString out;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (isClosingEmptyBlock(block))
            break;
        out += lineText(block);
        out += QLatin1Char('\n');
    }
    return out;
}

QString documentRuns(const QTextDocument &document) {
    QString out;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        out += QStringLiteral("paragraph %1\n").arg(block.blockNumber() + 1);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QString text = fragment.text();
            text.replace(QChar::LineSeparator, QStringLiteral("\\n"));
            text.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
            out += QStringLiteral("  \"%1\" %2\n").arg(text, describe(fragment.charFormat()));
        }
    }
    return out;
}
