#pragma once

#include <QWidget>
#include <functional>
#include <optional>

#include "review/attempts.h"

class AnswerBookPane;
class AttemptsModel;
class PacingView;
class QCheckBox;
class QLabel;
class QTreeView;
class ResultsModel;
class SectionChart;

// The results window frm結果: the latest attempt as it stood at its Score, item by item under its
// sections, with the subtotals, the total, the counts, the time used, how the marked items came
// out and a chart by section; beside the chart, the run's attempts one per row; below them, for
// an attempt run with the clock, its pacing; beside the list, the answer book for the row the
// learner is on, once the key is shown. It only formats; the
// reviews come from the marking.
class ResultsWindow : public QWidget {
public:
    // Called with the question number when a learner activates an item's row.
    using ItemActivated = std::function<void(int q)>;

    // The attempts are of the paper named paperTitle, whose answer book is at answerBookPath.
    ResultsWindow(const QString &paperTitle, const QString &answerBookPath,
                  ItemActivated onItemActivated, QWidget *parent = nullptr);

    // Shows the latest of the attempts, set against the one before it. The log holds at least one.
    void setAttempts(const AttemptLog &log);

    ResultsModel *model() const { return model_; }
    QTreeView *list() const { return list_; }
    QTreeView *attemptList() const { return attempts_; }
    PacingView *pacing() const { return pacing_; }
    AnswerBookPane *pane() const { return pane_; }

private:
    void chkKey_Toggled(bool checked);
    void list_Activated(const QModelIndex &index);
    void list_CurrentChanged();
    void showCurrentRow();
    void fitWidthToContent();
    void fitAttemptColumns();
    QString flaggedText(const Attempt &attempt) const;

    ItemActivated onItemActivated_;
    const QString paperTitle_;
    ResultsModel *model_ = nullptr;
    QLabel *lblTotal_ = nullptr;
    QLabel *lblCounts_ = nullptr;
    QLabel *lblFlagged_ = nullptr;
    AttemptsModel *attemptsModel_ = nullptr;
    QTreeView *attempts_ = nullptr;
    PacingView *pacing_ = nullptr;
    SectionChart *chart_ = nullptr;
    QCheckBox *chkKey_ = nullptr;
    QTreeView *list_ = nullptr;
    AnswerBookPane *pane_ = nullptr;
};
