#include "model.h"

#include "encoding.h"

QString indicatorName(const pokazatel &item)
{
    const QString label = fromCp1251(item.Key).trimmed();
    const QString code = fromCp1251(item.Code).trimmed();
    return code.isEmpty() ? label : label + QStringLiteral(" (") + code + QLatin1Char(')');
}

const RowMap &IndicatorModel::rows() const
{
    if (!m_rows)
        m_rows.emplace(Catalog);
    Q_ASSERT(m_rows->describes(Catalog));
    return *m_rows;
}

pokazatel &IndicatorModel::indicator(int index)
{
    const GridRow at = rows().ofIndicator(index);
    return Catalog[at.section].Items[at.item];
}

const pokazatel &IndicatorModel::indicator(int index) const
{
    const GridRow at = rows().ofIndicator(index);
    return Catalog[at.section].Items[at.item];
}

QList<double> IndicatorModel::values() const
{
    QList<double> result;
    result.reserve(indicatorCount());
    forEachIndicator(Catalog, [&](int, const pokazatel &item) { result.append(item.Value); });
    return result;
}

QByteArray IndicatorModel::SectionTitleAtRow(int r) const
{
    const GridRow at = rows().at(r);
    return at.kind == GridRow::Section ? Catalog[at.section].Name : QByteArray();
}
