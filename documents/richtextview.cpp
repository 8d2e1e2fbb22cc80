#include "documents/richtextview.h"

#include <QFile>
#include <QTextDocument>
#include <QTextEdit>

#include "rtf/rtfreader.h"
#include "toolkit/fonts.h"

QTextEdit *createRichTextView(const QString &rtfPath, QWidget *parent) {
    auto *view = new QTextEdit(parent);
    view->setObjectName(QStringLiteral("RichTextBox1"));
    view->setReadOnly(true);
    view->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    view->setLineWrapMode(QTextEdit::WidgetWidth);

    auto *document = new QTextDocument(view);
    document->setDefaultFont(designFont(9));
    QFile file(rtfPath);
    if (file.open(QIODevice::ReadOnly)) {
        // Resources are mapped in memory; map() spares a copy of the document.
        const qint64 size = file.size();
        if (const uchar *data = file.map(0, size))
            readRtf(QByteArrayView(reinterpret_cast<const char *>(data), size), document);
        else
            readRtf(file.readAll(), document);
    }
    // No layout until the view knows its width: a null page size defers it to the first resize,
    // so the document is laid out once, at the width it is shown in.
    document->setPageSize(QSizeF(0, 0));
    view->setDocument(document);
    return view;
}
