#include "review/attemptsmodel.h"

#include <iterator>

#include "review/resultsmodel.h"
#include "review/resultstexts.h"

AttemptsModel::AttemptsModel(QObject *parent) : QAbstractTableModel(parent) {}

void AttemptsModel::setAttempts(const AttemptLog &log) {
    beginResetModel();
    log_ = log;
    endResetModel();
}

QString AttemptsModel::minutesText(int minutes) {
    return QStringLiteral("%1:%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

int AttemptsModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : log_.count();
}

int AttemptsModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString AttemptsModel::displayText(const Attempt &attempt, int row, int column) const {
    switch (column) {
    case NumberColumn:
        return QString::number(row + 1);
    case TimeColumn:
        return attempt.scoredAt.toLocalTime().toString(QStringLiteral("H:mm"));
    case MinutesColumn:
        return attempt.minutesUsed ? minutesText(*attempt.minutesUsed) : resultstexts::none;
    case TotalColumn:
        return QString::number(attempt.review.total);
    default:
        return QString::number(
            attempt.review.sections[static_cast<std::size_t>(column - FirstSectionColumn)].earned);
    }
}

// One sentence per row, so that a screen reader moving down the list hears each attempt whole.
QString AttemptsModel::accessibleText(const Attempt &attempt, int row) const {
    QStringList words{resultstexts::attemptNumber.arg(row + 1),
                      resultstexts::attemptTime.arg(displayText(attempt, row, TimeColumn))};
    if (attempt.minutesUsed)
        words << resultstexts::attemptMinutes.arg(minutesText(*attempt.minutesUsed));
    words << resultstexts::attemptTotal.arg(attempt.review.total);
    for (const SectionSubtotal &section : attempt.review.sections)
        words << ResultsModel::sectionName(section.section) +
                     QStringLiteral(" %1/%2").arg(section.earned).arg(section.possible) +
                     resultstexts::pointsUnit;
    return words.join(QLatin1Char(' '));
}

QVariant AttemptsModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= log_.count())
        return {};
    const Attempt &attempt = log_.at(index.row() + 1);
    switch (role) {
    case Qt::DisplayRole:
        return displayText(attempt, index.row(), index.column());
    case Qt::AccessibleTextRole:
        return index.column() == NumberColumn
                   ? accessibleText(attempt, index.row())
                   : QVariant(displayText(attempt, index.row(), index.column()));
    case Qt::TextAlignmentRole:
        return index.column() == TimeColumn ? QVariant()
                                            : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant AttemptsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return {};
    static_assert(std::size(resultstexts::attemptHeaders) == FirstSectionColumn);
    if (section < FirstSectionColumn)
        return resultstexts::attemptHeaders[section];
    return ResultsModel::sectionName(section - FirstSectionColumn + 1);
}
