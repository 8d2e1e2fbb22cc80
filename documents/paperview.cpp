#include "documents/paperview.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QWheelEvent>
#include <QWindow>
#include <algorithm>

#include "documents/figuredescriptions.h"
#include "documents/richtextview.h"
#include "toolkit/announcer.h"
#include "toolkit/picturebox.h"

namespace {

struct FigurePage {
    const char *caption; // UTF-8
    const char *boxName;
    QRect geometry; // from the control's corner, tab row included
};

constexpr FigurePage kFigures[] = {
    {"図１", "Picture2", {168, 136, 337, 121}},
    {"図２", "Picture3", {96, 88, 473, 225}},
    {"図３", "Picture4", {80, 48, 521, 305}},
};

// A copy of the document with every font size and paragraph spacing scaled by the factor.
QTextDocument *scaledCopy(const QTextDocument &designed, double factor, QObject *parent) {
    QTextDocument *copy = designed.clone(parent);
    copy->setUndoRedoEnabled(false);
    QFont font = copy->defaultFont();
    font.setPointSizeF(font.pointSizeF() * factor);
    copy->setDefaultFont(font);

    auto scaleFont = [factor](QTextCharFormat format) {
        if (format.hasProperty(QTextFormat::FontPointSize))
            format.setFontPointSize(format.fontPointSize() * factor);
        return format;
    };
    struct Run {
        int position;
        int length;
        QTextCharFormat format;
    };
    // Collected first: setting a format can merge the fragments being walked.
    std::vector<Run> runs;
    QTextCursor cursor(copy);
    cursor.beginEditBlock();
    for (QTextBlock block = copy->begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat paragraph = block.blockFormat();
        paragraph.setLeftMargin(paragraph.leftMargin() * factor);
        paragraph.setRightMargin(paragraph.rightMargin() * factor);
        paragraph.setTextIndent(paragraph.textIndent() * factor);
        paragraph.setTopMargin(paragraph.topMargin() * factor);
        paragraph.setBottomMargin(paragraph.bottomMargin() * factor);
        cursor.setPosition(block.position());
        cursor.setBlockFormat(paragraph);
        cursor.setBlockCharFormat(scaleFont(block.charFormat()));
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            runs.push_back({fragment.position(), fragment.length(), fragment.charFormat()});
        }
    }
    for (const Run &run : runs) {
        cursor.setPosition(run.position);
        cursor.setPosition(run.position + run.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(scaleFont(run.format));
    }
    cursor.endEditBlock();
    return copy;
}

} // namespace

PaperView::PaperView(const PaperDocuments &paper, QWidget *parent)
    : MultiRowTabWidget(4, parent), paper_(paper) {
    setObjectName(QStringLiteral("stb英語"));
    setAccessibleName(QStringLiteral("問題用紙"));
    QWidget *paperPage = addTab(QStringLiteral("問題"));
    for (const FigurePage &figure : kFigures)
        addTab(QString::fromUtf8(figure.caption));

    const int top = -tabAreaHeight();
    // The paper is read and laid out once the window is mapped, before its first frame: by then
    // the view has its final width, so the text is laid out once. Until then the vertical bar
    // the paper needs holds its place, so that the width does not change when the text comes.
    RichTextBox1 = createRichTextView(paperPage);
    RichTextBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichTextBox1->setGeometry(8, top + 24, 641, 361);
    RichTextBox1->setAccessibleName(QStringLiteral("問題"));

    for (int i = 0; i < 3; ++i) {
        const FigurePage &figure = kFigures[i];
        // Unscaled from the inner corner; what does not fit is cut off at the right and bottom.
        auto *box =
            new PictureBox(QString::fromLatin1(paper_.figures[std::size_t(i)]), page(i + 1));
        box->setObjectName(QString::fromLatin1(figure.boxName));
        box->setGeometry(figure.geometry.translated(0, top));
        box->setAccessibleName(QString::fromUtf8(figure.caption));
        box->installEventFilter(this);
        pictures_.push_back(box);
    }
    describeFigures();
    connect(this, &MultiRowTabWidget::currentChanged, this, &PaperView::announceFigure);

    // The text view zooms its own font on Ctrl + wheel, which the paper's sized runs ignore.
    RichTextBox1->viewport()->installEventFilter(this);
    connect(RichTextBox1->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { sectionAtTop_ = -1; });
    RichTextBox1->verticalScrollBar()->installEventFilter(this);
    addZoomKeys(this, this, &PaperView::zoomIn, &PaperView::zoomOut, &PaperView::resetZoom);
}

PaperView::~PaperView() = default;

// Heard instead of seen: each figure's caption and what it shows, kept with the content.
void PaperView::describeFigures() {
    const auto &descriptions = figureDescriptions(QString::fromLatin1(paper_.descriptions));
    for (std::size_t i = 0; i < pictures_.size(); ++i) {
        PictureBox *box = pictures_[i];
        const auto description = descriptions.find(box->accessibleName());
        const QString text = description != descriptions.end() ? description->second : QString();
        box->setAccessibleDescription(text);
        // Said with the tab too, so that choosing the figure's tab tells what it shows.
        setTabDescription(int(i) + 1, text);
    }
}

// A screen reader names a tab it moves to but does not read its description: what a figure
// shows is told when its tab is chosen, caption first.
void PaperView::announceFigure(int index) {
    if (index < 1 || !QAccessible::isActive())
        return;
    const QString description = tabDescription(index);
    if (description.isEmpty())
        return;
    if (!announcer_)
        announcer_ = new Announcer(this);
    announcer_->announce(tabText(index) + QStringLiteral("。") + description);
}

void PaperView::findSections() {
    sectionsFound_ = true;
    sectionStarts_.clear();
    figureSections_ = {};
    sectionAtTop_ = -1;
    int section = 0;
    for (QTextBlock block = designedDocument_->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        // "第１問" … "第６問" head the sections; "図１" … "図３" stand alone where a figure
        // belongs.
        if (text.size() >= 3 && text[0] == u'第' && text[2] == u'問' && text[1].digitValue() > 0) {
            section = text[1].digitValue();
            sectionStarts_.push_back({block.position(), section});
        } else if (text.size() == 2 && text[0] == u'図' && text[1].digitValue() >= 1 &&
                   text[1].digitValue() <= 3) {
            figureSections_[std::size_t(text[1].digitValue() - 1)] = section;
        }
    }
}

int PaperView::sectionInView() {
    if (!designedDocument_)
        return 0;
    if (!sectionsFound_)
        findSections(); // the first time the clock asks, not on the way to the first frame
    if (currentIndex() > 0)
        return figureSections_[std::size_t(currentIndex() - 1)];
    if (sectionAtTop_ < 0) {
        // The last heading at or above the top of the view; the text before the first heading
        // (the title, the instructions) counts as the first section's.
        QTextDocument *shown = RichTextBox1->document();
        QAbstractTextDocumentLayout *layout = shown->documentLayout();
        const int top = RichTextBox1->verticalScrollBar()->value();
        sectionAtTop_ = sectionStarts_.empty() ? 0 : sectionStarts_.front().second;
        for (const auto &[start, section] : sectionStarts_) {
            if (layout->blockBoundingRect(shown->findBlock(start)).top() > top + 1)
                break;
            sectionAtTop_ = section;
        }
    }
    return sectionAtTop_;
}

void PaperView::showPaper(const PaperDocuments &paper) {
    paper_ = paper;
    for (std::size_t i = 0; i < pictures_.size(); ++i)
        pictures_[i]->setImagePath(QString::fromLatin1(paper_.figures[i]));
    describeFigures();
    setCurrentIndex(0);
    if (designedDocument_) {
        // Read anew; a zoomed copy of the old one goes with it.
        QTextDocument *old = designedDocument_;
        designedDocument_ =
            readRichTextDocument(QString::fromLatin1(paper_.document), RichTextBox1);
        QTextDocument *zoomed = zoomedDocument_;
        zoomedDocument_ = zoom_ == designedZoom
                              ? nullptr
                              : scaledCopy(*designedDocument_, zoom_ / 100.0, RichTextBox1);
        RichTextBox1->setDocument(zoomedDocument_ ? zoomedDocument_ : designedDocument_);
        delete zoomed;
        delete old;
        sectionsFound_ = false;
    } else if (firstScreen_) {
        attachPaper(); // the new paper's, whole
    }
    RichTextBox1->verticalScrollBar()->setValue(0);
    RichTextBox1->horizontalScrollBar()->setValue(0);
}

QTextEdit *PaperView::document() {
    attachPaper();
    return RichTextBox1;
}

void PaperView::stopWatchingWindow() {
    if (watchedWindow_)
        watchedWindow_->removeEventFilter(this);
    watchedWindow_ = nullptr;
}

void PaperView::attachPaper() {
    if (designedDocument_)
        return;
    stopWatchingWindow();
    designedDocument_ = readRichTextDocument(QString::fromLatin1(paper_.document), RichTextBox1);
    const int top = RichTextBox1->verticalScrollBar()->value();
    RichTextBox1->setDocument(designedDocument_);
    RichTextBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    RichTextBox1->verticalScrollBar()->setValue(top);
    delete firstScreen_;
    firstScreen_ = nullptr;
}

// The first frame waits for no more of the paper than it shows: the first paragraphs, read and
// laid out on their own, and after them an empty paragraph as tall as a long paper, so that the
// scroll bar is drawn as for the whole. Once that frame is painted, the whole paper takes their
// place and looks the same.
void PaperView::showFirstScreen() {
    if (designedDocument_ || firstScreen_)
        return;
    stopWatchingWindow();
    firstScreen_ = readRichTextDocument(QString::fromLatin1(paper_.document), RichTextBox1,
                                        firstScreenParagraphs);
    if (firstScreen_->blockCount() <= firstScreenParagraphs) {
        // That was the whole paper.
        delete firstScreen_;
        firstScreen_ = nullptr;
        attachPaper();
        return;
    }
    QTextCursor rest(firstScreen_);
    rest.movePosition(QTextCursor::End);
    QTextBlockFormat format = rest.blockFormat();
    format.setTopMargin(restOfPaperScreens * RichTextBox1->viewport()->height());
    rest.setBlockFormat(format);
    RichTextBox1->setDocument(firstScreen_);
    RichTextBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    // Should the paragraphs not fill the view, the frame waits for the whole paper after all.
    const QTextBlock lastRead = firstScreen_->lastBlock().previous();
    if (firstScreen_->documentLayout()->blockBoundingRect(lastRead).bottom() <
        RichTextBox1->viewport()->height())
        attachPaper();
}

void PaperView::showEvent(QShowEvent *event) {
    MultiRowTabWidget::showEvent(event);
    if (designedDocument_ || firstScreen_ || watchedWindow_)
        return;
    // The window is shown, not yet mapped: the call waits for the event loop, which the map
    // comes before. Should the window's first expose come first, the paper is shown then.
    QMetaObject::invokeMethod(this, &PaperView::showFirstScreen, Qt::QueuedConnection);
    watchedWindow_ = window()->windowHandle();
    if (watchedWindow_)
        watchedWindow_->installEventFilter(this);
}

bool PaperView::eventFilter(QObject *watched, QEvent *event) {
    if (!designedDocument_) {
        const bool textPaint =
            watched == RichTextBox1->viewport() && event->type() == QEvent::Paint;
        // The first frame shows the paper, however it comes: exposed, or drawn off screen.
        if (!firstScreen_ &&
            (textPaint || (watched == watchedWindow_ && event->type() == QEvent::Expose)))
            showFirstScreen();
        // Once the first screen is painted, the whole paper follows.
        if (firstScreen_ && textPaint)
            QMetaObject::invokeMethod(this, &PaperView::attachPaper, Qt::QueuedConnection);
    }
    if (event->type() == QEvent::Wheel) {
        auto *wheel = static_cast<QWheelEvent *>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            // A touchpad sends a notch in small parts; a step is taken once a notch has come.
            wheelAngle_ += wheel->angleDelta().y();
            const int steps = wheelAngle_ / QWheelEvent::DefaultDeltasPerStep;
            wheelAngle_ -= steps * QWheelEvent::DefaultDeltasPerStep;
            if (steps != 0)
                setZoom(zoom_ + steps * zoomStep);
            return true;
        }
    }
    return MultiRowTabWidget::eventFilter(watched, event);
}

void PaperView::setZoom(int percent) {
    percent = std::clamp(percent, designedZoom, maxZoom);
    if (percent == zoom_)
        return;
    attachPaper();
    zoom_ = percent;
    zoomDocument();
    for (PictureBox *box : pictures_) {
        box->setZoom(zoom_);
        // Its scroll bars come with the first zoom; Ctrl + wheel over them zooms as well.
        for (QWidget *bar : box->findChildren<QScrollBar *>())
            bar->installEventFilter(this);
    }
}

void PaperView::zoomDocument() {
    // The passage at the top of the view stays at the top.
    const QTextCursor top = RichTextBox1->cursorForPosition(QPoint(0, 0));
    const int anchor = top.position();
    // Where that line stood in the view: at the very top, the document's margin above it.
    const int offset = RichTextBox1->cursorRect(top).top();
    QTextDocument *previous = zoomedDocument_;
    zoomedDocument_ = zoom_ == designedZoom
                          ? nullptr
                          : scaledCopy(*designedDocument_, zoom_ / 100.0, RichTextBox1);
    RichTextBox1->setDocument(zoomedDocument_ ? zoomedDocument_ : designedDocument_);
    delete previous;
    sectionAtTop_ = -1;

    QTextDocument *shown = RichTextBox1->document();
    const QTextBlock block = shown->findBlock(anchor);
    // Laying out the last block lays out the whole document, so the scroll range is whole.
    shown->documentLayout()->blockBoundingRect(shown->lastBlock());
    qreal y = shown->documentLayout()->blockBoundingRect(block).top();
    if (const QTextLayout *layout = block.layout()) {
        const QTextLine line = layout->lineForTextPosition(anchor - block.position());
        if (line.isValid())
            y += line.y();
    }
    RichTextBox1->verticalScrollBar()->setValue(qRound(y) - offset);
}
