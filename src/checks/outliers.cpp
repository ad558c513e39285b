#include "outliers.h"

#include "checkplan.h"

#include "indicators/numbertext.h"
#include "indicators/plural.h"

#include <algorithm>
#include <cmath>

namespace {

// The median of sorted without its element at position left out.
double medianWithout(const QList<double> &sorted, qsizetype leftOut)
{
    const qsizetype count = sorted.size() - 1;
    const auto at = [&](qsizetype k) { return sorted[k < leftOut ? k : k + 1]; };
    if (count % 2 == 1)
        return at(count / 2);
    return (at(count / 2 - 1) + at(count / 2)) / 2;
}

bool isOutlier(double value, double median)
{
    if (value == 0 || median <= 0 || std::fabs(value - median) < 1)
        return false;
    return value > OutlierFactor * median || value < median / OutlierFactor;
}

QString outlierReason(double value, double median)
{
    const QString ofMedian = QStringLiteral("медіану інших закладів (") + numberText(median) + QLatin1Char(')');
    if (value > median) {
        const int times = int(std::min(std::round(value / median), 1e9));
        return QStringLiteral("у ") + countText(times, u"раз", u"рази", u"разів") + QStringLiteral(" більше за ") + ofMedian;
    }
    if (value <= 0)
        return QStringLiteral("менше за десяту частину медіани інших закладів (") + numberText(median) + QLatin1Char(')');
    const int times = int(std::min(std::round(median / value), 1e9));
    return QStringLiteral("у ") + countText(times, u"раз", u"рази", u"разів") + QStringLiteral(" менше за ") + ofMedian;
}

} // namespace

QList<Finding> outlierFindings(const QList<QList<double>> &values)
{
    QList<Finding> findings;
    const qsizetype schools = values.size();
    if (schools < OutlierMinSchools)
        return findings;
    const qsizetype indicators = values.front().size();
    QList<std::pair<double, int>> column(schools);
    QList<double> sorted(schools);
    for (qsizetype i = 0; i < indicators; ++i) {
        for (qsizetype s = 0; s < schools; ++s)
            column[s] = {values[s][i], int(s)};
        std::sort(column.begin(), column.end());
        for (qsizetype k = 0; k < schools; ++k)
            sorted[k] = column[k].first;
        for (qsizetype k = 0; k < schools; ++k) {
            const double median = medianWithout(sorted, k);
            const double value = sorted[k];
            if (isOutlier(value, median))
                findings.append({int(i), outlierReason(value, median), column[k].second});
        }
    }
    return findings;
}

QList<Finding> checkSchools(const CheckPlan &plan, const QList<QList<double>> &values)
{
    QList<Finding> findings;
    for (qsizetype s = 0; s < values.size(); ++s)
        findings += plan.findings(values[s], int(s));
    findings += outlierFindings(values);
    std::stable_sort(findings.begin(), findings.end(), [](const Finding &a, const Finding &b) {
        return std::pair(a.school, a.indicator) < std::pair(b.school, b.indicator);
    });
    return findings;
}
