#include "model.h"

int IndicatorModel::indicatorCount() const
{
    int n = 0;
    for (const razdel &section : Catalog)
        n += int(section.Items.size());
    return n;
}

int IndicatorModel::gridRowCount() const
{
    return 1 + int(Catalog.size()) + indicatorCount();
}

// Walks the sections with one running row counter, stepping over a whole section at a time.
GridRow IndicatorModel::gridRow(int row) const
{
    if (row == 0)
        return {GridRow::Header, -1, -1};
    if (row < 0)
        return {};
    int r = 1;
    for (int s = 0; s < Catalog.size(); ++s) {
        if (row == r)
            return {GridRow::Section, s, -1};
        const int count = int(Catalog[s].Items.size());
        if (row <= r + count)
            return {GridRow::Indicator, s, row - r - 1};
        r += 1 + count;
    }
    return {};
}

int IndicatorModel::sectionRow(int section) const
{
    int r = 1;
    for (int s = 0; s < section && s < Catalog.size(); ++s)
        r += 1 + int(Catalog[s].Items.size());
    return r;
}

int IndicatorModel::indicatorRow(int section, int item) const
{
    return sectionRow(section) + 1 + item;
}

void IndicatorModel::SetValueAtRow(int Row, double Value)
{
    const GridRow at = gridRow(Row);
    if (at.kind == GridRow::Indicator)
        storeValue(Catalog[at.section].Items[at.item], Value);
}

void IndicatorModel::storeValue(pokazatel &item, double value)
{
    if (item.Value == value)
        return;
    item.Value = value;
    m_valuesUnsaved = true;
}

QByteArray IndicatorModel::SectionTitleAtRow(int r) const
{
    const GridRow at = gridRow(r);
    return at.kind == GridRow::Section ? Catalog[at.section].Name : QByteArray();
}
