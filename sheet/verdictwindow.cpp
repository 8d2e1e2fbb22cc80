#include "sheet/verdictwindow.h"

#include <QFile>
#include <QLabel>
#include <QTextEdit>

#include "documents/richtextview.h"
#include "sheet/verdictband.h"
#include "toolkit/fonts.h"
#include "toolkit/utf8text.h"

namespace {

const QString kCaption = QStringLiteral("合格ライン");
const QString kDocumentName = QStringLiteral("合格ライン一覧");
const QColor kWindowBackground(255, 128, 128);
constexpr QSize kClientSize(792, 573);

QRect toQRect(const Rect &r) {
    return QRect(r.left, r.top, r.width, r.height);
}

QLabel *makeLabel(QWidget *window, const char *name, std::string_view text, const Rect &geometry,
                  double pointSize) {
    auto *label = new QLabel(fromUtf8(text), window);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(toQRect(geometry));
    label->setFont(designFont(pointSize, true));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    return label;
}

} // namespace

QWidget *createVerdictWindow(int band) {
    const VerdictBand &row = verdictBands.at(static_cast<std::size_t>(band - 1));

    auto *window = new QWidget;
    window->setObjectName(QStringLiteral("frm合格ライン%1").arg(band));
    window->setWindowTitle(kCaption);
    // The verdict is what the window is for; a screen reader gives it with the window's name.
    window->setAccessibleName(kCaption);
    window->setAccessibleDescription(fromUtf8(row.badge).trimmed() + QLatin1Char(' ') +
                                     fromUtf8(row.message).trimmed());
    window->setFont(designFont(9));
    window->setFixedSize(kClientSize);
    // The colour lies on a backdrop, not on the window's palette: a palette set on the window
    // reaches the document view, and the style caches the view's scroll bars under each new
    // palette, so every opening would add to the cache.
    auto *backdrop = new QWidget(window);
    backdrop->setGeometry(QRect(QPoint(), kClientSize));
    backdrop->setAutoFillBackground(true);
    QPalette palette = backdrop->palette();
    palette.setColor(QPalette::Window, kWindowBackground);
    backdrop->setPalette(palette);

    QLabel *badge = makeLabel(window, "Label1", row.badge, row.badgeGeometry, 15.75);
    badge->setAutoFillBackground(true);
    QPalette badgePalette = badge->palette();
    badgePalette.setColor(QPalette::Window,
                          QColor(row.badgeColour.red, row.badgeColour.green, row.badgeColour.blue));
    badge->setPalette(badgePalette);

    // The message shows the window's own colour: transparent in one band, filled in the others,
    // which looks the same.
    makeLabel(window, "Label2", row.message, row.messageGeometry, 12);

    QTextEdit *document = createRichTextView(QStringLiteral(":/content/passing_lines.rtf"), window);
    document->setGeometry(toQRect(row.documentGeometry));
    document->setAccessibleName(kDocumentName);

    return window;
}
