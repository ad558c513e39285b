#include "comparisontable.h"

#include "platform/skin.h"

#include <QBrush>
#include <QFont>

void ComparisonTableModel::setComparison(Comparison comparison)
{
    if (comparison.rows.size() != m_comparison.rows.size()) {
        beginResetModel();
        m_comparison = std::move(comparison);
        endResetModel();
    } else {
        m_comparison = std::move(comparison);
        if (!m_comparison.rows.isEmpty())
            emit dataChanged(index(0, 0), index(rowCount() - 1, ComparisonColumnCount - 1));
    }
    emit headerDataChanged(Qt::Horizontal, 0, ComparisonColumnCount - 1);
}

void ComparisonTableModel::updateCurrentValues(const IndicatorModel &model)
{
    ::updateCurrentValues(m_comparison, model);
    if (!m_comparison.rows.isEmpty())
        emit dataChanged(index(0, CurrentColumn), index(rowCount() - 1, PercentColumn));
}

int ComparisonTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_comparison.rows.size());
}

int ComparisonTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ComparisonColumnCount;
}

QVariant ComparisonTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const ComparisonRow &row = m_comparison.rows[index.row()];
    const bool section = row.kind == ComparisonRow::Section;
    switch (role) {
    case Qt::DisplayRole:
        return comparisonCell(row, index.column());
    case Qt::ToolTipRole:
        return index.column() == NameColumn ? QVariant(row.name) : QVariant();
    case Qt::TextAlignmentRole:
        if (index.column() >= LastColumn)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        if (index.column() == NameColumn)
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        return QVariant::fromValue(Qt::AlignCenter);
    case Qt::FontRole:
        if (section) {
            QFont bold = Skin::tahoma();
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::BackgroundRole:
        return section ? QBrush(Skin::FixedColor) : QVariant();
    default:
        return {};
    }
}

QVariant ComparisonTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    // The largest changes come to the top with the first click.
    if (role == Qt::InitialSortOrderRole && (section == ChangeColumn || section == PercentColumn))
        return int(Qt::DescendingOrder);
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return comparisonHeadings(m_comparison).value(section);
}

ComparisonSortModel::ComparisonSortModel(ComparisonTableModel *table, QObject *parent)
    : QSortFilterProxyModel(parent)
    , m_table(table)
{
    setSourceModel(table);
    setDynamicSortFilter(true);
}

void ComparisonSortModel::sort(int column, Qt::SortOrder order)
{
    QSortFilterProxyModel::sort(column, order);
    invalidateFilter();
}

int ComparisonSortModel::comparisonRow(int viewRow) const
{
    const QModelIndex shown = index(viewRow, 0);
    return shown.isValid() ? mapToSource(shown).row() : -1;
}

bool ComparisonSortModel::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    const bool ascending = sortOrder() == Qt::AscendingOrder;
    // Equal keys keep the catalogue's order whichever way the column is sorted.
    const bool inCatalogueOrder = ascending ? left.row() < right.row() : left.row() > right.row();
    const int column = left.column();
    if (column == NumberColumn)
        return left.row() < right.row();
    const ComparisonRow &l = m_table->comparison().rows[left.row()];
    const ComparisonRow &r = m_table->comparison().rows[right.row()];
    int order = 0;
    bool leftEmpty = false;
    bool rightEmpty = false;
    if (column >= LastColumn) {
        const std::optional<double> a = comparisonNumber(l, column);
        const std::optional<double> b = comparisonNumber(r, column);
        leftEmpty = !a;
        rightEmpty = !b;
        if (a && b)
            order = *a < *b ? -1 : (*b < *a ? 1 : 0);
    } else {
        const QString a = comparisonCell(l, column);
        const QString b = comparisonCell(r, column);
        leftEmpty = a.isEmpty();
        rightEmpty = b.isEmpty();
        order = a.localeAwareCompare(b);
    }
    // An empty cell goes after every filled one, in either direction.
    if (leftEmpty != rightEmpty)
        return ascending ? rightEmpty : leftEmpty;
    if (leftEmpty || order == 0)
        return inCatalogueOrder;
    return order < 0;
}

bool ComparisonSortModel::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    if (m_table->comparison().rows[sourceRow].kind == ComparisonRow::Indicator)
        return true;
    return sortColumn() < 0 || (sortColumn() == NumberColumn && sortOrder() == Qt::AscendingOrder);
}
