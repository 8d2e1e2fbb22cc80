#include "documents/richtextview.h"

#include <QFile>
#include <QTextDocument>
#include <QTextEdit>

#include "rtf/rtfreader.h"
#include "toolkit/fonts.h"

QTextEdit *createRichTextView(QWidget *parent) {
    auto *view = new QTextEdit(parent);
    view->setObjectName(QStringLiteral("RichTextBox1"));
    view->setReadOnly(true);
    view->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    view->setLineWrapMode(QTextEdit::WidgetWidth);
    return view;
}

QTextDocument *readRichTextDocument(const QString &rtfPath, QObject *parent, int paragraphs) {
    auto *document = new QTextDocument(parent);
    document->setDefaultFont(designFont(9));
    const RtfReadOptions options{.familyFor = installedFamily, .paragraphs = paragraphs};
    QFile file(rtfPath);
    if (file.open(QIODevice::ReadOnly)) {
        // Resources are mapped in memory; map() spares a copy of the document.
        const qint64 size = file.size();
        if (const uchar *data = file.map(0, size))
            readRtf(QByteArrayView(reinterpret_cast<const char *>(data), size), document, options);
        else
            readRtf(file.readAll(), document, options);
    }
    // No layout until a view takes it: the view sets the page to its own width.
    document->setPageSize(QSizeF(0, 0));
    return document;
}

QTextEdit *createRichTextView(const QString &rtfPath, QWidget *parent) {
    QTextEdit *view = createRichTextView(parent);
    view->setDocument(readRichTextDocument(rtfPath, view));
    return view;
}
