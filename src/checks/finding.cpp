#include "finding.h"

#include "indicators/datafile.h"
#include "indicators/encoding.h"
#include "indicators/model.h"
#include "indicators/numbertext.h"
#include "indicators/plural.h"
#include "summary/summary.h"

#include <QSet>

QList<FindingRow> findingRows(const IndicatorModel &model, const QList<Finding> &findings, const SchoolSummary *schools)
{
    QList<std::pair<int, int>> places;
    for (int s = 0; s < model.Catalog.size(); ++s) {
        for (int j = 0; j < model.Catalog[s].Items.size(); ++j)
            places.append({s, j});
    }
    QList<FindingRow> rows;
    rows.reserve(findings.size());
    for (const Finding &finding : findings) {
        const auto [s, j] = places.at(finding.indicator);
        const pokazatel &item = model.Catalog[s].Items[j];
        const bool ofSchool = schools && finding.school >= 0;
        rows.append({ofSchool ? fromCp1251(schools->schoolNames.at(finding.school)) : QString(),
                     ofSchool ? shownFileName(schools->paths.at(finding.school)) : QString(),
                     fromCp1251(model.Catalog[s].Name), indicatorName(item), fromCp1251(item.Name),
                     numberText(ofSchool ? schools->values.at(finding.school).at(finding.indicator) : item.Value),
                     finding.reason});
    }
    return rows;
}

QString failedValuesText(int count)
{
    return countText(count, u"значення", u"значення", u"значень")
        + (pluralForm(count) == 0 ? QStringLiteral(" не пройшло перевірку") : QStringLiteral(" не пройшли перевірку"));
}

int doubtfulValueCount(const QList<Finding> &findings)
{
    QSet<std::pair<int, int>> values;
    for (const Finding &finding : findings)
        values.insert({finding.school, finding.indicator});
    return int(values.size());
}
