#include "rowmap.h"

#include "model.h"

#include <algorithm>

RowMap::RowMap(const QList<razdel> &catalog)
{
    m_firstIndicator.reserve(catalog.size() + 1);
    for (const razdel &section : catalog)
        m_firstIndicator.append(m_firstIndicator.back() + int(section.Items.size()));
}

bool RowMap::describes(const QList<razdel> &catalog) const
{
    if (catalog.size() != sectionCount())
        return false;
    for (qsizetype s = 0; s < catalog.size(); ++s) {
        if (catalog[s].Items.size() != m_firstIndicator[s + 1] - m_firstIndicator[s])
            return false;
    }
    return true;
}

GridRow RowMap::at(int row) const
{
    if (row == 0)
        return {GridRow::Header};
    if (row < 0 || row >= gridRowCount())
        return {};
    // The last section whose own row is at or above row.
    int low = 0;
    int high = sectionCount() - 1;
    while (low < high) {
        const int middle = (low + high + 1) / 2;
        if (sectionRow(middle) <= row)
            low = middle;
        else
            high = middle - 1;
    }
    const int item = row - sectionRow(low) - 1;
    if (item < 0)
        return {GridRow::Section, low};
    return {GridRow::Indicator, low, item, indicatorIndex(low, item)};
}

GridRow RowMap::ofIndicator(int indicator) const
{
    if (indicator < 0 || indicator >= indicatorCount())
        return {};
    // The section holding it: the last one whose first indicator is at or before it.
    const auto next = std::upper_bound(m_firstIndicator.cbegin(), m_firstIndicator.cend() - 1, indicator);
    const int section = int(next - m_firstIndicator.cbegin()) - 1;
    return {GridRow::Indicator, section, indicator - m_firstIndicator[section], indicator};
}

int RowMap::indicatorRow(int indicator) const
{
    const GridRow at = ofIndicator(indicator);
    return sectionRow(at.section) + 1 + at.item;
}
