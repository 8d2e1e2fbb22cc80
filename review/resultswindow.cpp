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
#include "review/resultsmodel.h"
#include "review/resultstexts.h"
#include "review/sectionchart.h"
#include "toolkit/fonts.h"
#include "toolkit/zoomkeys.h"

namespace {

constexpr int kVisibleRows = 20;
constexpr int kColumnGap = 8; // keeps right-aligned points clear of the key's column

QString hoursMinutes(int minutes) {
    return QStringLiteral("%1:%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

ResultsWindow::ResultsWindow(ItemActivated onItemActivated, QWidget *parent)
    : QWidget(parent), onItemActivated_(std::move(onItemActivated)) {
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
    chart_ = new SectionChart(this);
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

    pane_ = new AnswerBookPane(this);

    auto *rows = new QHBoxLayout;
    rows->addWidget(list_);
    rows->addWidget(pane_, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblTotal_);
    layout->addWidget(lblCounts_);
    layout->addWidget(chart_);
    layout->addWidget(chkKey_);
    layout->addLayout(rows, 1);

    connect(chkKey_, &QCheckBox::toggled, this, &ResultsWindow::chkKey_Toggled);
    connect(list_, &QTreeView::activated, this, &ResultsWindow::list_Activated);
    connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &ResultsWindow::list_CurrentChanged);

    addZoomKeys(this, pane_, &AnswerBookPane::zoomIn, &AnswerBookPane::zoomOut,
                &AnswerBookPane::resetZoom);
}

void ResultsWindow::setAttempt(const MarkingReview &review, std::optional<int> minutesUsed) {
    model_->setReview(review);
    chart_->setSections(review.sections);
    lblTotal_->setText(resultstexts::total.arg(review.total).arg(AnswerKey::maxTotal()));
    QString counts = resultstexts::counts.arg(review.correctCount)
                         .arg(review.wrongCount)
                         .arg(review.unansweredCount);
    if (minutesUsed)
        counts += resultstexts::timeUsed.arg(hoursMinutes(*minutesUsed));
    lblCounts_->setText(counts);
    list_->expandAll();
    fitWidthToContent();
    showCurrentRow();
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
