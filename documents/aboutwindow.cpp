#include "documents/aboutwindow.h"

#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include "documents/richtextview.h"
#include "toolkit/fonts.h"

namespace {

constexpr QSize kClientSize(592, 573);

// The list is set in a monospaced font where a full-width blank is two columns wide: the sizes
// digits end in one column, the dates in another, as the document's own lines have them.
constexpr int kDigitsEndColumn = 24;
constexpr int kDateEndColumn = 43;
const QString kUnit = QStringLiteral(" バイト");
const QString kMissing = QStringLiteral("（ありません）");
constexpr QChar kWideBlank(0x3000);

int columns(const QString &text) {
    int width = 0;
    for (const QChar c : text)
        width += c.unicode() < 0x80 ? 1 : 2;
    return width;
}

QString blanks(int columnCount) {
    const int count = qMax(columnCount, 1);
    return QString(count / 2, kWideBlank) + QString(count % 2, QLatin1Char(' '));
}

QString fileLine(const QString &name, const QFileInfo &file, const QString &description) {
    const QString head = kWideBlank + name;
    QString facts;
    if (file.isFile()) {
        QLocale english(QLocale::C);
        english.setNumberOptions(QLocale::DefaultNumberOptions);
        const QString digits = english.toString(file.size());
        facts = blanks(kDigitsEndColumn - columns(head) - columns(digits)) + digits + kUnit +
                kWideBlank + file.lastModified().toString(QStringLiteral("yyyy/MM/dd"));
    } else {
        facts = blanks(kDateEndColumn - columns(head) - columns(kMissing)) + kMissing;
    }
    return head + facts + kWideBlank + description;
}

} // namespace

void fillFileList(QTextDocument *document, const QString &programFolder) {
    static const QRegularExpression line(QStringLiteral(
        "^\u3000([^\u3000]+)\u3000+[\\d,]+ バイト\u3000\\d{4}/\\d\\d/\\d\\d\u3000(.+)$"));
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QRegularExpressionMatch match = line.match(block.text());
        if (!match.hasMatch())
            continue;
        const QString name = match.captured(1);
        QTextCursor cursor(block);
        const QTextCharFormat format = cursor.charFormat();
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.insertText(fileLine(name, QFileInfo(programFolder + name), match.captured(2)),
                          format);
    }
}

AboutWindow::AboutWindow(const QString &programFolder, QWidget *parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmヘルプ"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    setAccessibleName(windowTitle());
    setFont(designFont(9));
    setFixedSize(kClientSize);

    // A little larger than the window, so its right and bottom frame lie just outside.
    QTextEdit *document = createRichTextView(QStringLiteral(":/content/about.rtf"), this);
    document->setGeometry(0, 0, 593, 577);
    document->setAccessibleName(QStringLiteral("ソフトウェア説明書"));
    fillFileList(document->document(), programFolder);
}
