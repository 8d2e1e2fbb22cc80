#include "review/resultsmodel.h"

#include <QColor>
#include <iterator>

#include "review/resultstexts.h"
#include "sheet/questiongroups.h"
#include "toolkit/utf8text.h"

namespace {

// Section rows carry id 0; an item's row carries its section's number, which leads to its parent.
constexpr quintptr kSectionRow = 0;

const QColor kWrongColour(204, 0, 0);

QString pointsText(int earned, int possible) {
    return QStringLiteral("%1/%2").arg(earned).arg(possible);
}

QString outcomeWord(ItemOutcome::Kind kind) {
    switch (kind) {
    case ItemOutcome::Kind::Correct:
        return resultstexts::correctWord;
    case ItemOutcome::Kind::Wrong:
        return resultstexts::wrongWord;
    case ItemOutcome::Kind::Unanswered:
        break;
    }
    return resultstexts::unansweredWord;
}

QString changeSign(ItemChange change) {
    switch (change) {
    case ItemChange::Gained:
        return resultstexts::gainedSign;
    case ItemChange::Lost:
        return resultstexts::lostSign;
    case ItemChange::Same:
        break;
    }
    return {};
}

// Spoken after the item's own outcome: what it was the time before.
QString changeWords(ItemChange change) {
    return change == ItemChange::Gained ? resultstexts::gainedWords : resultstexts::lostWords;
}

} // namespace

ResultsModel::ResultsModel(QObject *parent) : QAbstractItemModel(parent) {}

void ResultsModel::setReview(const MarkingReview &review, const ItemChanges &changes,
                             ItemFlags flagged) {
    // The rows never change in number; only what they say does.
    review_ = review;
    changes_ = changes;
    flagged_ = flagged;
    emit dataChanged(index(0, 0), index(sectionCount - 1, ColumnCount - 1));
    for (int s = 0; s < sectionCount; ++s) {
        const QModelIndex section = index(s, 0);
        emit dataChanged(index(0, 0, section),
                         index(rowCount(section) - 1, ColumnCount - 1, section));
    }
}

void ResultsModel::setKeyShown(bool shown) {
    if (shown == keyShown_)
        return;
    keyShown_ = shown;
    for (int s = 0; s < sectionCount; ++s) {
        const QModelIndex section = index(s, 0);
        emit dataChanged(index(0, KeyColumn, section),
                         index(rowCount(section) - 1, KeyColumn, section));
    }
}

QString ResultsModel::choicesText(std::uint16_t ticks) {
    QString text;
    for (int k = 1; k <= sheetlayout::maxChoices; ++k)
        if ((ticks >> (k - 1)) & 1u)
            text += QChar(char16_t(u'①' + (k - 1)));
    return text.isEmpty() ? resultstexts::none : text;
}

QString ResultsModel::sectionName(int section) {
    return resultstexts::sectionName.arg(QChar(char16_t(u'０' + section)));
}

QModelIndex ResultsModel::index(int row, int column, const QModelIndex &parent) const {
    if (!hasIndex(row, column, parent))
        return {};
    if (!parent.isValid())
        return createIndex(row, column, kSectionRow);
    return createIndex(row, column, static_cast<quintptr>(parent.row() + 1));
}

QModelIndex ResultsModel::parent(const QModelIndex &child) const {
    if (!child.isValid() || child.internalId() == kSectionRow)
        return {};
    return createIndex(static_cast<int>(child.internalId()) - 1, 0, kSectionRow);
}

int ResultsModel::rowCount(const QModelIndex &parent) const {
    if (!parent.isValid())
        return sectionCount;
    if (parent.internalId() != kSectionRow || parent.column() != 0)
        return 0;
    const SectionSubtotal &section = review_.sections[static_cast<std::size_t>(parent.row())];
    return section.lastQuestion - section.firstQuestion + 1;
}

int ResultsModel::columnCount(const QModelIndex &) const {
    return ColumnCount;
}

QVariant ResultsModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid())
        return {};
    if (index.internalId() == kSectionRow)
        return sectionData(review_.sections[static_cast<std::size_t>(index.row())], index.column(),
                           role);
    const SectionSubtotal &section =
        review_.sections[static_cast<std::size_t>(index.internalId() - 1)];
    return itemData(review_.item(section.firstQuestion + index.row()), index.column(), role);
}

QVariant ResultsModel::sectionData(const SectionSubtotal &section, int column, int role) const {
    switch (role) {
    case Qt::DisplayRole:
        if (column == LabelColumn)
            return sectionName(section.section);
        if (column == PointsColumn)
            return pointsText(section.earned, section.possible);
        return {};
    case Qt::AccessibleTextRole:
        if (column == LabelColumn)
            return sectionName(section.section) + QLatin1Char(' ') +
                   pointsText(section.earned, section.possible) + resultstexts::pointsUnit;
        return data(index(section.section - 1, column), Qt::DisplayRole);
    case Qt::TextAlignmentRole:
        return column == PointsColumn ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    case QuestionRole:
        return 0;
    case SectionRole:
        return section.section;
    default:
        return {};
    }
}

QVariant ResultsModel::itemData(const ItemOutcome &item, int column, int role) const {
    const bool correct = item.kind == ItemOutcome::Kind::Correct;
    const ItemChange change = changes_[static_cast<std::size_t>(item.question - 1)];
    const bool flagged = flagged_.test(static_cast<std::size_t>(item.question - 1));
    switch (role) {
    case Qt::DisplayRole:
        switch (column) {
        case LabelColumn:
            return fromUtf8(sheetlayout::group(item.question).label);
        case GivenColumn:
            return choicesText(item.ticks);
        case VerdictColumn:
            return correct ? resultstexts::correctSign : resultstexts::wrongSign;
        case PointsColumn:
            return pointsText(item.earned, item.possible);
        case ChangeColumn:
            return changeSign(change);
        case FlagColumn:
            return flagged ? resultstexts::flagSign : QString();
        case KeyColumn:
            return keyShown_ ? choicesText(item.keyTicks) : QString();
        }
        return {};
    case Qt::AccessibleTextRole:
        if (column == LabelColumn) {
            // One sentence per row, so a screen reader moving down the list hears each item whole.
            QStringList words{fromUtf8(sheetlayout::group(item.question).label),
                              choicesText(item.ticks), outcomeWord(item.kind),
                              pointsText(item.earned, item.possible) + resultstexts::pointsUnit};
            if (change != ItemChange::Same)
                words << changeWords(change);
            if (flagged)
                words << resultstexts::flagWord;
            if (keyShown_)
                words << resultstexts::keyWord << choicesText(item.keyTicks);
            return words.join(QLatin1Char(' '));
        }
        return itemData(item, column, Qt::DisplayRole);
    case Qt::ForegroundRole:
        // A cross in red, and an item that went from right to wrong.
        return (column == VerdictColumn && !correct) ||
                       (column == ChangeColumn && change == ItemChange::Lost)
                   ? QVariant(kWrongColour)
                   : QVariant();
    case Qt::TextAlignmentRole:
        if (column == PointsColumn)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return column == VerdictColumn || column == ChangeColumn ? QVariant(Qt::AlignCenter)
                                                                 : QVariant();
    case QuestionRole:
        return item.question;
    case SectionRole:
        return sectionOf(item.question);
    default:
        return {};
    }
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static_assert(std::size(resultstexts::headers) == ColumnCount);
    return section >= 0 && section < ColumnCount ? resultstexts::headers[section] : QVariant();
}
