#include "review/resultswindow.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

#include "review/answerbookpane.h"
#include "review/attemptsmodel.h"
#include "review/pacingview.h"
#include "review/resultsmodel.h"
#include "review/resultstexts.h"
#include "review/sectionchart.h"
#include "sheet/questiongroups.h"
#include "toolkit/fonts.h"
#include "toolkit/utf8text.h"
#include "toolkit/zoomkeys.h"

namespace {

constexpr int kVisibleRows = 20;
constexpr int kColumnGap = 8; // keeps right-aligned points clear of the key's column
constexpr int kVisibleAttempts = 4;

QString itemList(const std::vector<int> &items) {
    QStringList labels;
    for (int q : items)
        labels << fromUtf8(sheetlayout::group(q).label);
    return resultstexts::flaggedItems.arg(labels.join(resultstexts::itemSeparator));
}

} // namespace

ResultsWindow::ResultsWindow(const QString &paperTitle, const QString &answerBookPath,
                             ItemActivated onItemActivated, QWidget *parent)
    : QWidget(parent), onItemActivated_(std::move(onItemActivated)), paperTitle_(paperTitle) {
    setObjectName(QStringLiteral("frm結果"));
    setWindowTitle(resultstexts::caption);
    setAccessibleName(windowTitle());
    setFont(designFont(9));

    model_ = new ResultsModel(this);

    lblTotal_ = new QLabel(this);
    lblTotal_->setObjectName(QStringLiteral("lbl合計"));
    lblTotal_->setFont(designFont(14.25, true));
    lblCounts_ = new QLabel(this);
    lblCounts_->setObjectName(QStringLiteral("lbl内訳"));
    lblFlagged_ = new QLabel(this);
    lblFlagged_->setObjectName(QStringLiteral("lbl見直し"));
    lblFlagged_->setWordWrap(true);
    lblFlagged_->hide();
    chart_ = new SectionChart(this);

    pacing_ = new PacingView(this);
    pacing_->hide();
    chkKey_ = new QCheckBox(resultstexts::showKey, this);
    chkKey_->setObjectName(QStringLiteral("chk正解"));

    list_ = new QTreeView(this);
    list_->setObjectName(QStringLiteral("lst結果"));
    list_->setAccessibleName(resultstexts::listName);
    list_->setModel(model_);
    list_->setUniformRowHeights(true);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setColumnHidden(ResultsModel::KeyColumn, true);
    list_->header()->setStretchLastSection(true);
    list_->header()->setSectionsMovable(false);

    pane_ = new AnswerBookPane(answerBookPath, this);

    // Made after the list and the pane, so that the focus comes to it after them.
    attemptsModel_ = new AttemptsModel(this);
    attempts_ = new QTreeView(this);
    attempts_->setObjectName(QStringLiteral("lst解答履歴"));
    attempts_->setAccessibleName(resultstexts::attemptsName);
    attempts_->setModel(attemptsModel_);
    attempts_->setRootIsDecorated(false);
    attempts_->setUniformRowHeights(true);
    attempts_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    attempts_->setSelectionBehavior(QAbstractItemView::SelectRows);
    attempts_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    attempts_->header()->setStretchLastSection(false);
    attempts_->header()->setSectionsMovable(false);

    auto *rows = new QHBoxLayout;
    rows->addWidget(list_);
    rows->addWidget(pane_, 1);
    auto *figures = new QHBoxLayout;
    figures->addWidget(chart_);
    figures->addWidget(attempts_, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblTotal_);
    layout->addWidget(lblCounts_);
    layout->addWidget(lblFlagged_);
    layout->addLayout(figures);
    layout->addWidget(pacing_);
    layout->addWidget(chkKey_);
    layout->addLayout(rows, 1);

    connect(chkKey_, &QCheckBox::toggled, this, &ResultsWindow::chkKey_Toggled);
    connect(list_, &QTreeView::activated, this, &ResultsWindow::list_Activated);
    connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &ResultsWindow::list_CurrentChanged);

    addZoomKeys(this, pane_, &AnswerBookPane::zoomIn, &AnswerBookPane::zoomOut,
                &AnswerBookPane::resetZoom);
}

void ResultsWindow::setAttempts(const AttemptLog &log) {
    const Attempt &latest = log.latest();
    const MarkingReview &review = latest.review;
    model_->setReview(review, log.latestChanges(), latest.flagged);
    chart_->setSections(review.sections);
    int possible = 0;
    for (const SectionSubtotal &section : review.sections)
        possible += section.possible;
    lblTotal_->setText(resultstexts::total.arg(paperTitle_).arg(review.total).arg(possible));
    QString counts = resultstexts::counts.arg(review.correctCount)
                         .arg(review.wrongCount)
                         .arg(review.unansweredCount);
    if (latest.minutesUsed)
        counts += resultstexts::timeUsed.arg(AttemptsModel::minutesText(*latest.minutesUsed));
    lblCounts_->setText(counts);
    lblFlagged_->setText(flaggedText(latest));
    lblFlagged_->setVisible(latest.flagged.any());

    if (latest.pacing)
        pacing_->setPacing(*latest.pacing, builtInPacingPlan(latest.pacing->lengthMinutes));
    pacing_->setVisible(latest.pacing.has_value());

    attemptsModel_->setAttempts(log);
    fitAttemptColumns();
    const QModelIndex last = attemptsModel_->index(log.count() - 1, 0);
    attempts_->setCurrentIndex(last);
    attempts_->scrollTo(last);

    list_->expandAll();
    fitWidthToContent();
    showCurrentRow();
}

QString ResultsWindow::flaggedText(const Attempt &attempt) const {
    const FlaggedOutcome outcome = flaggedOutcome(attempt);
    auto withItems = [](const QString &words, const std::vector<int> &items) {
        return words.arg(items.size()) + (items.empty() ? QString() : itemList(items));
    };
    return resultstexts::flagged.arg(attempt.flagged.count()) +
           withItems(resultstexts::flaggedRight, outcome.right) +
           withItems(resultstexts::flaggedWrong, outcome.wrong);
}

void ResultsWindow::fitAttemptColumns() {
    // Every column as wide as its widest figure; a few rows show, the list scrolls for more.
    for (int column = 0; column < AttemptsModel::ColumnCount; ++column) {
        attempts_->resizeColumnToContents(column);
        attempts_->setColumnWidth(column, attempts_->columnWidth(column) + kColumnGap);
    }
    const int rowHeight = attempts_->sizeHintForRow(0) > 0 ? attempts_->sizeHintForRow(0)
                                                           : fontMetrics().height() + 2;
    attempts_->setFixedHeight(kVisibleAttempts * rowHeight +
                              attempts_->header()->sizeHint().height() +
                              2 * attempts_->frameWidth());
}

void ResultsWindow::fitWidthToContent() {
    // Wide enough for every column, the key's included, so that neither showing the key nor a
    // long row ever calls for a horizontal scroll bar; only the list's height scrolls.
    const bool keyShown = model_->isKeyShown();
    model_->setKeyShown(true);
    list_->setColumnHidden(ResultsModel::KeyColumn, false);
    int width = 0;
    for (int column = 0; column < ResultsModel::ColumnCount; ++column) {
        list_->resizeColumnToContents(column);
        list_->setColumnWidth(column, list_->columnWidth(column) + kColumnGap);
        width += list_->columnWidth(column);
    }
    list_->setColumnHidden(ResultsModel::KeyColumn, !keyShown);
    model_->setKeyShown(keyShown);

    width += 2 * list_->frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4;
    list_->setMinimumWidth(width);
    const int rows = kVisibleRows * list_->sizeHintForRow(0) + list_->header()->sizeHint().height();
    list_->setMinimumHeight(rows + 2 * list_->frameWidth());
    adjustSize();
}

void ResultsWindow::chkKey_Toggled(bool checked) {
    model_->setKeyShown(checked);
    list_->setColumnHidden(ResultsModel::KeyColumn, !checked);
    showCurrentRow();
}

void ResultsWindow::list_CurrentChanged() {
    showCurrentRow();
}

void ResultsWindow::showCurrentRow() {
    const QModelIndex current = list_->currentIndex();
    pane_->showRow(current.data(ResultsModel::SectionRole).toInt(),
                   current.data(ResultsModel::QuestionRole).toInt(), model_->isKeyShown());
}

void ResultsWindow::list_Activated(const QModelIndex &index) {
    const int q = index.data(ResultsModel::QuestionRole).toInt();
    if (q > 0 && onItemActivated_)
        onItemActivated_(q);
}
