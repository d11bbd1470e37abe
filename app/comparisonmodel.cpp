#include "comparisonmodel.h"

#include <QFont>

namespace {

// The name and the status come first; then each value of the comparison beside its delta.
constexpr int Leading = 2;

} // namespace

void ComparisonModel::setComparison(const Comparison &comparison)
{
    beginResetModel();
    table = comparison;
    sortTable();
    endResetModel();
}

int ComparisonModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : table.rowCount();
}

int ComparisonModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Leading + 2 * table.columnCount();
}

QVariant ComparisonModel::data(const QModelIndex &index, int role) const
{
    const int row = index.row();
    const int column = index.column();
    if (role == Qt::FontRole && row == table.baseline()) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    if (role == Qt::TextAlignmentRole && column >= Leading)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return QVariant();
    if (column == 0)
        return table.name(row);
    if (column == 1)
        return table.status(row);
    const int value = (column - Leading) / 2;
    return (column - Leading) % 2 == 0 ? table.shown(row, value) : table.shownDelta(row, value);
}

QVariant ComparisonModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == 0)
        return tr("section");
    if (section == 1)
        return tr("status");
    const QString head = table.header((section - Leading) / 2);
    return (section - Leading) % 2 == 0 ? head : tr("Δ %1").arg(head);
}

void ComparisonModel::sort(int column, Qt::SortOrder order)
{
    sortColumn = column;
    sortOrder = order;
    emit layoutAboutToBeChanged();
    sortTable();
    emit layoutChanged();
}

void ComparisonModel::sortTable()
{
    // A value and its delta sort alike: the delta is the value less one number.
    if (sortColumn == 0)
        table.sortByName(sortOrder);
    else if (sortColumn >= Leading)
        table.sort((sortColumn - Leading) / 2, sortOrder);
}
