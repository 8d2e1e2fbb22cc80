#pragma once

#include <QString>
#include <array>
#include <vector>

#include "sheet/marking.h"
#include "toolkit/multirowtabwidget.h"

class QCheckBox;
class QLabel;

// The answer sheet: one tab per question group, each page holding the group's frame of choice
// boxes and its hidden correct mark. It only holds state; nothing runs when a box is ticked.
class AnswerSheet : public MultiRowTabWidget, public SheetTicks {
    Q_OBJECT

public:
    static constexpr int tabsPerRow = 12;

    explicit AnswerSheet(QWidget *parent = nullptr);

    int groupCount() const;
    int choiceCount(int q) const;
    QString groupLabel(int q) const;
    bool isTicked(int q, int k) const override;
    void setMarkVisible(int q, bool visible);
    void hideAllMarks();

    bool isMarkVisible(int q) const;
    QCheckBox *box(int q, int k) const;

private:
    struct GroupWidgets {
        std::vector<QCheckBox *> boxes; // box k at k - 1
        QLabel *mark = nullptr;
    };

    void buildGroup(int q);

    std::vector<GroupWidgets> groups_; // group q at q - 1
};
