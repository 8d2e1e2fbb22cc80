#pragma once

#include <QString>
#include <array>
#include <vector>

#include "sheet/marking.h"
#include "toolkit/multirowtabwidget.h"

class QAction;
class QCheckBox;
class QLabel;

// The answer sheet: one tab per question group, each page holding the group's frame of choice
// boxes and its hidden correct mark. It only holds state; nothing runs when a box is ticked.
// A learner may mark items to come back to (見直し), by a key anywhere in the window or from a
// tab's context menu; a marked item's tab carries a small marker.
class AnswerSheet : public MultiRowTabWidget, public SheetTicks {
    Q_OBJECT

public:
    static constexpr int tabsPerRow = 12;

    explicit AnswerSheet(QWidget *parent = nullptr);

    int groupCount() const;
    int choiceCount(int q) const;
    QString groupLabel(int q) const;
    bool isTicked(int q, int k) const override;
    // Group q's ticks, bit k - 1 for box k.
    std::uint16_t tickBits(int q) const;
    void setMarkVisible(int q, bool visible);
    void hideAllMarks();
    // Unticks every box on every tab; the marks stay as they are.
    void clearAllTicks();
    // Unticks the boxes of group q.
    void clearTicks(int q);

    bool isFlagged(int q) const;
    void setFlagged(int q, bool flagged);
    ItemFlags flags() const { return flags_; }
    void clearFlags();
    // Marks the current item, or unmarks it: what the key does.
    QAction *flagAction() const { return flagAction_; }

    bool isMarkVisible(int q) const;
    // Box k of group q, its page filled first if it was not yet.
    QCheckBox *box(int q, int k);

protected:
    void preparePage(int index) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    // A page's widgets are made when it is first shown or its mark first set: until then its
    // boxes are all unticked and its mark hidden, which is what an empty group reads as.
    struct GroupWidgets {
        std::vector<QCheckBox *> boxes; // box k at k - 1; empty until the page is filled
        QLabel *mark = nullptr;
    };

    GroupWidgets &ensureBuilt(int q);
    void buildGroup(int q);

    std::vector<GroupWidgets> groups_; // group q at q - 1
    ItemFlags flags_;
    QAction *flagAction_ = nullptr;
};
