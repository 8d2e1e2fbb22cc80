#pragma once

#include <QAbstractItemModel>

#include "review/attempts.h"

// A marked attempt for a tree view: the six sections as top-level rows with their subtotals,
// the items of each as its children, each with how it changed since the attempt before and
// whether the learner marked it. Read-only; the key's column is empty until asked for.
class ResultsModel : public QAbstractItemModel {
    Q_OBJECT

public:
    enum Column {
        LabelColumn,
        GivenColumn,
        VerdictColumn,
        PointsColumn,
        ChangeColumn,
        FlagColumn,
        KeyColumn,
        ColumnCount
    };
    // The question number of an item's row; 0 on a section's row.
    static constexpr int QuestionRole = Qt::UserRole;
    // The section number (1 to 6) of a section's row and of its items' rows.
    static constexpr int SectionRole = Qt::UserRole + 1;

    explicit ResultsModel(QObject *parent = nullptr);

    void setReview(const MarkingReview &review, const ItemChanges &changes = {},
                   ItemFlags flagged = {});
    const MarkingReview &review() const { return review_; }
    void setKeyShown(bool shown);
    bool isKeyShown() const { return keyShown_; }

    // Circled numbers in ascending order, "－" for none.
    static QString choicesText(std::uint16_t ticks);
    static QString sectionName(int section);

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QVariant sectionData(const SectionSubtotal &section, int column, int role) const;
    QVariant itemData(const ItemOutcome &item, int column, int role) const;

    MarkingReview review_;
    ItemChanges changes_{};
    ItemFlags flagged_;
    bool keyShown_ = false;
};
