#ifndef LIFTWISE_COMPARISONMODEL_H
#define LIFTWISE_COMPARISONMODEL_H

#include "comparison.h"

#include <QAbstractTableModel>

// A comparison as a table view shows it: the section's name, its status, then each value
// beside its difference from the baseline. Sorted by a column, it stays sorted by it as the
// comparison is worked out anew.
class ComparisonModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void setComparison(const Comparison &comparison);
    const Comparison &comparison() const { return table; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    // Sorts the table as last asked, without telling the views.
    void sortTable();

    Comparison table;
    int sortColumn = -1;
    Qt::SortOrder sortOrder = Qt::AscendingOrder;
};

#endif // LIFTWISE_COMPARISONMODEL_H
