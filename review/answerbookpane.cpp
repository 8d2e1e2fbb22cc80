#include "review/answerbookpane.h"

#include <QImage>
#include <QPainter>
#include <QTimer>
#include <algorithm>

#include "review/answerbook.h"
#include "review/resultstexts.h"
#include "sheet/marking.h"
#include "toolkit/fonts.h"

namespace {

constexpr double kDesignedPointSize = 10.5;

} // namespace

AnswerBookPane::AnswerBookPane(const QString &bookPath, QWidget *parent)
    : QTextBrowser(parent), bookPath_(bookPath) {
    setObjectName(QStringLiteral("txt解説"));
    setAccessibleName(resultstexts::paneName);
    setOpenLinks(false);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFont(designFont(kDesignedPointSize));
    showPiece(resultstexts::paneHint, false);
}

void AnswerBookPane::showRow(int section, int q, bool keyShown) {
    if (!keyShown) {
        if (shown_ != &resultstexts::paneHint)
            showPiece(resultstexts::paneHint, false);
        return;
    }
    // The book is read here, the first time the key is shown, and never at start-up.
    const AnswerBook &book = AnswerBook::builtIn(bookPath_);
    const QString &piece = q > 0 ? book.item(q) : book.section(section);
    if (piece.isEmpty())
        showPiece(resultstexts::paneEmpty, false);
    else
        showPiece(piece, true);
    if (!prepared_) {
        prepared_ = true;
        prepareSection(1);
    }
}

void AnswerBookPane::showPiece(const QString &piece, bool markdown) {
    if (&piece == shown_)
        return;
    shown_ = &piece;
    setDocument(documentFor(piece, markdown));
}

QTextDocument *AnswerBookPane::documentFor(const QString &piece, bool markdown) {
    QTextDocument *&document = documents_[&piece];
    if (!document) {
        // Filled before the view has it: a document the view is showing is laid out anew for
        // every paragraph read into it, several times the cost of reading the whole of it.
        document = new QTextDocument(this);
        // Markdown sets no sizes of its own, so the pane's font carries the zoom; headings
        // scale with it.
        document->setDefaultFont(font());
        if (markdown)
            document->setMarkdown(piece, QTextDocument::MarkdownDialectCommonMark);
        else
            document->setPlainText(piece);
    }
    return document;
}

void AnswerBookPane::prepareSection(int section) {
    // The translations are long enough that reading, laying out and first drawing one takes
    // most of a frame; done while the learner reads, one to an idle moment, a section's row
    // then shows at once.
    if (section > sectionCount)
        return;
    QTimer::singleShot(0, this, [this, section] {
        QTextDocument *document =
            documentFor(AnswerBook::builtIn(bookPath_).section(section), true);
        if (document != this->document() && !viewport()->size().isEmpty()) {
            document->setTextWidth(viewport()->width());
            QImage scratch(viewport()->size(), QImage::Format_ARGB32_Premultiplied);
            QPainter painter(&scratch);
            document->drawContents(&painter, scratch.rect());
        }
        prepareSection(section + 1);
    });
}

void AnswerBookPane::setZoom(int percent) {
    percent = std::clamp(percent, designedZoom, maxZoom);
    if (percent == zoom_)
        return;
    zoom_ = percent;
    QFont f = font();
    f.setPointSizeF(kDesignedPointSize * zoom_ / designedZoom);
    setFont(f);
    // Documents made at the old size are made again when next shown.
    for (auto it = documents_.begin(); it != documents_.end();) {
        if (it->second == document()) {
            it->second->setDefaultFont(f);
            ++it;
        } else {
            delete it->second;
            it = documents_.erase(it);
        }
    }
}

QSize AnswerBookPane::sizeHint() const {
    // About 36 full-width characters a line at the designed size.
    const QFontMetrics metrics(designFont(kDesignedPointSize));
    return {metrics.horizontalAdvance(QStringLiteral("あ")) * 36 + 2 * frameWidth() + 24,
            QTextBrowser::sizeHint().height()};
}
