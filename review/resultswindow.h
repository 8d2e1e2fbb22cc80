#pragma once

#include <QWidget>
#include <functional>
#include <optional>

#include "sheet/marking.h"

class AnswerBookPane;
class QCheckBox;
class QLabel;
class QTreeView;
class ResultsModel;
class SectionChart;

// The results window frm結果: an attempt as it stood at the last Score, item by item under its
// sections, with the subtotals, the total, the counts, the time used and a chart by section;
// beside the list, the answer book for the row the learner is on, once the key is shown.
// It only formats; the review comes from the marking.
class ResultsWindow : public QWidget {
public:
    // Called with the question number when a learner activates an item's row.
    using ItemActivated = std::function<void(int q)>;

    explicit ResultsWindow(ItemActivated onItemActivated, QWidget *parent = nullptr);

    // minutesUsed is the time from Start to that Score; none when Score came without a Start.
    void setAttempt(const MarkingReview &review, std::optional<int> minutesUsed);

    ResultsModel *model() const { return model_; }
    QTreeView *list() const { return list_; }
    AnswerBookPane *pane() const { return pane_; }

private:
    void chkKey_Toggled(bool checked);
    void list_Activated(const QModelIndex &index);
    void list_CurrentChanged();
    void showCurrentRow();
    void fitWidthToContent();

    ItemActivated onItemActivated_;
    ResultsModel *model_ = nullptr;
    QLabel *lblTotal_ = nullptr;
    QLabel *lblCounts_ = nullptr;
    SectionChart *chart_ = nullptr;
    QCheckBox *chkKey_ = nullptr;
    QTreeView *list_ = nullptr;
    AnswerBookPane *pane_ = nullptr;
};
