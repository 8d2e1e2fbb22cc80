#include "review/answerbookpane.h"

#include <QScrollBar>
#include <algorithm>

#include "review/answerbook.h"
#include "review/resultstexts.h"
#include "toolkit/fonts.h"

namespace {

constexpr double kDesignedPointSize = 10.5;

} // namespace

AnswerBookPane::AnswerBookPane(QWidget *parent) : QTextBrowser(parent) {
    setObjectName(QStringLiteral("txt解説"));
    setAccessibleName(resultstexts::paneName);
    setOpenLinks(false);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFont(designFont(kDesignedPointSize));
    setPlainText(resultstexts::paneHint);
}

void AnswerBookPane::showRow(int section, int q, bool keyShown) {
    if (!keyShown) {
        if (shown_ != nullptr || document()->isEmpty()) {
            shown_ = nullptr;
            setPlainText(resultstexts::paneHint);
        }
        return;
    }
    // The book is read here, the first time the key is shown, and never at start-up.
    const AnswerBook &book = AnswerBook::builtIn();
    const QString &piece = q > 0 ? book.item(q) : book.section(section);
    if (&piece == shown_)
        return;
    shown_ = &piece;
    if (piece.isEmpty())
        setPlainText(resultstexts::paneEmpty);
    else
        setMarkdownText(piece);
}

void AnswerBookPane::setMarkdownText(const QString &markdown) {
    // Markdown sets no sizes of its own, so the pane's font carries the zoom; headings scale
    // with it.
    document()->setMarkdown(markdown, QTextDocument::MarkdownDialectCommonMark);
    verticalScrollBar()->setValue(0);
}

void AnswerBookPane::setZoom(int percent) {
    percent = std::clamp(percent, designedZoom, maxZoom);
    if (percent == zoom_)
        return;
    zoom_ = percent;
    QFont f = font();
    f.setPointSizeF(kDesignedPointSize * zoom_ / designedZoom);
    setFont(f);
    document()->setDefaultFont(f);
}

QSize AnswerBookPane::sizeHint() const {
    // About 36 full-width characters a line at the designed size.
    const QFontMetrics metrics(designFont(kDesignedPointSize));
    return {metrics.horizontalAdvance(QStringLiteral("あ")) * 36 + 2 * frameWidth() + 24,
            QTextBrowser::sizeHint().height()};
}
