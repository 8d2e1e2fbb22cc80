#include "documents/aboutwindow.h"

#include <QTextEdit>

#include "documents/richtextview.h"
#include "toolkit/fonts.h"

namespace {
constexpr QSize kClientSize(592, 573);
}

AboutWindow::AboutWindow(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmヘルプ"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    setAccessibleName(windowTitle());
    setFont(designFont(9));
    setFixedSize(kClientSize);

    // A little larger than the window, so its right and bottom frame lie just outside.
    QTextEdit *document = createRichTextView(QStringLiteral(":/content/about.rtf"), this);
    document->setGeometry(0, 0, 593, 577);
    document->setAccessibleName(QStringLiteral("ソフトウェア説明書"));
}
