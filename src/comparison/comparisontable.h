#pragma once

#include "comparison/comparison.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

// The comparison as the window's table shows it: one row per section and indicator.
class ComparisonTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    // A comparison of the same rows changes cells only, so that sorting and the selection stay.
    void setComparison(Comparison comparison);
    const Comparison &comparison() const { return m_comparison; }
    // This year's values from the model the comparison was made with (updateCurrentValues).
    void updateCurrentValues(const IndicatorModel &model);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    Comparison m_comparison;
};

// Sorting of the table: numbers as numbers, texts in the language's order, empty cells last in
// either direction, catalogue order among equals. Section rows stand only in the catalogue's
// own order (by № upwards, or unsorted); sorted by anything else the table ranks indicators.
class ComparisonSortModel : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit ComparisonSortModel(ComparisonTableModel *table, QObject *parent = nullptr);

    void sort(int column, Qt::SortOrder order) override;
    // The comparison's row shown on the view's row, or -1.
    int comparisonRow(int viewRow) const;

protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    const ComparisonTableModel *m_table;
};
