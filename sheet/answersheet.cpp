#include "sheet/answersheet.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPixmap>

#include "sheet/questiongroups.h"
#include "toolkit/captionedframe.h"
#include "toolkit/utf8text.h"

namespace {

const QString kFrameCaption = QStringLiteral("答え");
const QString kFlagNote = QStringLiteral("見直し");
const QKeySequence kFlagKey(Qt::CTRL | Qt::Key_M);
constexpr std::array<char16_t, 10> kCircledDigits{u'①', u'②', u'③', u'④', u'⑤',
                                                  u'⑥', u'⑦', u'⑧', u'⑨', u'⑩'};
constexpr int kBoxWidth = 40;

// Names as in the design: chk英語5(1) is box 1 of group 5, pctマル(5) its mark.
QString boxName(int q, int k) {
    return QStringLiteral("chk英語%1(%2)").arg(q).arg(k);
}
QString markName(int q) {
    return QStringLiteral("pctマル(%1)").arg(q);
}

// A label draws its picture unsmoothed; on a scaled screen the ring is enlarged here instead.
QPixmap smoothForScreen(QPixmap picture) {
    const qreal ratio = qApp->devicePixelRatio();
    if (ratio == 1.0 || picture.isNull())
        return picture;
    picture =
        picture.scaled(picture.size() * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    picture.setDevicePixelRatio(ratio);
    return picture;
}

} // namespace

AnswerSheet::AnswerSheet(QWidget *parent) : MultiRowTabWidget(tabsPerRow, parent) {
    setObjectName(QStringLiteral("SSTab2"));
    setAccessibleName(QStringLiteral("解答用紙"));
    groups_.resize(sheetlayout::groups.size());
    for (const QuestionGroup &group : sheetlayout::groups)
        addTab(fromUtf8(group.label));
    preparePage(currentIndex());

    // Anywhere in the exam window, whichever of its widgets has the focus.
    flagAction_ = new QAction(kFlagNote, this);
    flagAction_->setObjectName(QStringLiteral("act見直し"));
    flagAction_->setShortcut(kFlagKey);
    flagAction_->setShortcutContext(Qt::WindowShortcut);
    addAction(flagAction_);
    connect(flagAction_, &QAction::triggered, this,
            [this] { setFlagged(currentIndex() + 1, !isFlagged(currentIndex() + 1)); });
}

// The tab under the pointer, or the current one when the menu comes from the keyboard or from
// the page below the tabs.
void AnswerSheet::contextMenuEvent(QContextMenuEvent *event) {
    int index = event->reason() == QContextMenuEvent::Mouse ? tabAt(event->pos()) : -1;
    if (index < 0)
        index = currentIndex();
    const int q = index + 1;
    // Shown without a nested event loop, as the window's other questions are.
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("mnu見直し"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction *flag = menu->addAction(kFlagNote + QLatin1Char('\t') +
                                    kFlagKey.toString(QKeySequence::NativeText));
    flag->setCheckable(true);
    flag->setChecked(isFlagged(q));
    connect(flag, &QAction::toggled, this, [this, q](bool on) { setFlagged(q, on); });
    menu->popup(event->globalPos());
}

void AnswerSheet::preparePage(int index) {
    ensureBuilt(index + 1);
}

AnswerSheet::GroupWidgets &AnswerSheet::ensureBuilt(int q) {
    GroupWidgets &widgets = groups_.at(static_cast<std::size_t>(q - 1));
    if (!widgets.mark)
        buildGroup(q);
    return widgets;
}

void AnswerSheet::buildGroup(int q) {
    static const QPixmap markPicture =
        smoothForScreen(QPixmap(QStringLiteral(":/content/mark.png")));
    const QuestionGroup &layout = sheetlayout::group(q);
    QWidget *page = this->page(q - 1);
    // Page positions are given from the control's corner, tab rows included.
    const int top = -tabAreaHeight();

    auto *frame = new CaptionedFrame(kFrameCaption, page);
    frame->setObjectName(QStringLiteral("Frame%1").arg(q));
    frame->setGeometry(layout.frameLeft, top + sheetlayout::frameTop, layout.frameWidth,
                       sheetlayout::frameHeight);

    GroupWidgets &widgets = groups_[static_cast<std::size_t>(q - 1)];
    for (int k = 1; k <= layout.choiceCount; ++k) {
        auto *box =
            new QCheckBox(QString(QChar(kCircledDigits[static_cast<std::size_t>(k - 1)])), frame);
        box->setObjectName(boxName(q, k));
        box->setAccessibleName(groupLabel(q) + QLatin1Char(' ') + box->text());
        box->setGeometry(layout.boxLefts[static_cast<std::size_t>(k - 1)], sheetlayout::boxTop,
                         kBoxWidth, sheetlayout::boxHeight);
        widgets.boxes.push_back(box);
    }

    auto *mark = new QLabel(page);
    mark->setObjectName(markName(q));
    mark->setAccessibleName(groupLabel(q) + QStringLiteral(" 正解"));
    mark->setGeometry(layout.markLeft, top + layout.markTop, layout.markWidth, layout.markHeight);
    mark->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    mark->setPixmap(markPicture);
    mark->hide();
    widgets.mark = mark;
}

int AnswerSheet::groupCount() const {
    return static_cast<int>(groups_.size());
}

int AnswerSheet::choiceCount(int q) const {
    return sheetlayout::group(q).choiceCount;
}

QString AnswerSheet::groupLabel(int q) const {
    return fromUtf8(sheetlayout::group(q).label);
}

bool AnswerSheet::isTicked(int q, int k) const {
    const GroupWidgets &widgets = groups_.at(static_cast<std::size_t>(q - 1));
    return !widgets.boxes.empty() && widgets.boxes.at(static_cast<std::size_t>(k - 1))->isChecked();
}

std::uint16_t AnswerSheet::tickBits(int q) const {
    std::uint16_t bits = 0;
    const std::vector<QCheckBox *> &boxes = groups_.at(static_cast<std::size_t>(q - 1)).boxes;
    for (std::size_t k = 0; k < boxes.size(); ++k)
        if (boxes[k]->isChecked())
            bits |= static_cast<std::uint16_t>(1u << k);
    return bits;
}

QCheckBox *AnswerSheet::box(int q, int k) {
    return ensureBuilt(q).boxes.at(static_cast<std::size_t>(k - 1));
}

void AnswerSheet::setMarkVisible(int q, bool visible) {
    GroupWidgets &widgets = groups_.at(static_cast<std::size_t>(q - 1));
    if (widgets.mark || visible)
        ensureBuilt(q).mark->setVisible(visible);
}

bool AnswerSheet::isMarkVisible(int q) const {
    // A mark on a page that is not selected is hidden on screen but still set.
    const QLabel *mark = groups_.at(static_cast<std::size_t>(q - 1)).mark;
    return mark && !mark->isHidden();
}

void AnswerSheet::hideAllMarks() {
    for (int q = 1; q <= groupCount(); ++q)
        setMarkVisible(q, false);
}

void AnswerSheet::clearTicks(int q) {
    for (QCheckBox *box : groups_.at(static_cast<std::size_t>(q - 1)).boxes)
        box->setChecked(false);
}

bool AnswerSheet::isFlagged(int q) const {
    return flags_.test(static_cast<std::size_t>(q - 1));
}

void AnswerSheet::setFlagged(int q, bool flagged) {
    flags_.set(static_cast<std::size_t>(q - 1), flagged);
    setTabMarked(q - 1, flagged);
    setTabDescription(q - 1, flagged ? kFlagNote : QString());
}

void AnswerSheet::clearFlags() {
    for (int q = 1; q <= groupCount(); ++q)
        setFlagged(q, false);
}

void AnswerSheet::clearAllTicks() {
    // Pages not yet filled have no ticks to clear.
    for (GroupWidgets &widgets : groups_)
        for (QCheckBox *box : widgets.boxes)
            box->setChecked(false);
}
