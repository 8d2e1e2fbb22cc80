#pragma once

#include <QAbstractTableModel>

#include "review/attempts.h"

// The attempts of the run for a list: one row each, oldest first, with the time it was scored,
// the time it took, its total and its section subtotals. Read-only.
class AttemptsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { NumberColumn, TimeColumn, MinutesColumn, TotalColumn, FirstSectionColumn };
    static constexpr int ColumnCount = FirstSectionColumn + sectionCount;

    explicit AttemptsModel(QObject *parent = nullptr);

    void setAttempts(const AttemptLog &log);

    // Hours and minutes, as the exam clock shows them: 1:05.
    static QString minutesText(int minutes);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QString displayText(const Attempt &attempt, int row, int column) const;
    QString accessibleText(const Attempt &attempt, int row) const;

    AttemptLog log_;
};
