#include "summarytable.h"

#include "csv.h"
#include "indicators/datafile.h"
#include "indicators/encoding.h"
#include "indicators/model.h"
#include "indicators/numbertext.h"
#include "platform/files/fileio.h"
#include "summary.h"

namespace {

QString inertText(const QByteArray &cp1251)
{
    return inertText(fromCp1251(cp1251));
}

} // namespace

QByteArray summaryTableBytes(const IndicatorModel &model, const SchoolSummary &summary)
{
    const int schools = summary.fileCount();
    QString table;
    table.reserve((qsizetype(model.indicatorCount()) + model.Catalog.size()) * (120 + 12 * schools));
    QStringList row{QStringLiteral("№"), QStringLiteral("Позначення"), QStringLiteral("Показник"),
                    QStringLiteral("Вид"), QStringLiteral("Одиниці")};
    for (const QByteArray &name : summary.schoolNames)
        row << inertText(name);
    row << QStringLiteral("Разом (C — сума, A — середнє)");
    appendCsvRow(table, row);

    int k = 0;
    for (qsizetype s = 0; s < model.Catalog.size(); ++s) {
        const razdel &section = model.Catalog[s];
        row.clear();
        row << QString::number(s + 1) << QString() << inertText(section.Name);
        for (int i = 0; i < schools + 3; ++i)
            row << QString();
        appendCsvRow(table, row);
        for (qsizetype m = 0; m < section.Items.size(); ++m) {
            const pokazatel &item = section.Items[m];
            row.clear();
            row << indicatorNumber(s + 1, m + 1) << inertText(item.Code) << inertText(item.Name)
                << summaryKindLetter(item) << inertText(item.Measure);
            for (int f = 0; f < schools; ++f)
                row << numberText(summary.values[f][k]);
            row << numberText(summary.totals[k]);
            appendCsvRow(table, row);
            ++k;
        }
    }
    return csvFileBytes(table);
}

void writeSummaryTable(const QString &path, const IndicatorModel &model, const SchoolSummary &summary)
{
    writeFileAtomically(path, summaryTableBytes(model, summary));
}

QString proposedTableFileName(const IndicatorModel &model)
{
    return QStringLiteral("Зведення(") + fromCp1251(model.CatalogYear) + QStringLiteral(").csv");
}

QString withTableFileExtension(const QString &name)
{
    if (name.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        return name;
    return name + QLatin1String(".csv");
}
