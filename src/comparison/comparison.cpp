#include "comparison.h"

#include "indicators/encoding.h"
#include "indicators/numbertext.h"
#include "summary/csv.h"
#include "summary/summary.h"

#include <QHash>

#include <algorithm>
#include <cmath>

namespace {

const QString MissingSectionTitle = QStringLiteral("Показники, яких немає в каталозі");

// For each of the catalogue's indicators the pair of the file it takes, or -1; the n-th
// indicator with a label takes the n-th pair of that label, so repeated labels pair off in order.
struct LabelMatch
{
    QList<int> pairOfIndicator;
    QList<bool> pairUsed;
};

LabelMatch matchLabels(const IndicatorModel &catalogue, const DataFileContents &file)
{
    QHash<QByteArray, QList<int>> pairsOfLabel;
    pairsOfLabel.reserve(file.keys.size());
    for (int i = 0; i < file.keys.size(); ++i)
        pairsOfLabel[file.keys[i]].append(i);
    QHash<QByteArray, int> taken;
    taken.reserve(catalogue.indicatorCount());
    LabelMatch match;
    match.pairUsed.fill(false, file.keys.size());
    match.pairOfIndicator.reserve(catalogue.indicatorCount());
    for (const razdel &section : catalogue.Catalog) {
        for (const pokazatel &item : section.Items) {
            const auto pairs = pairsOfLabel.constFind(item.Key);
            int &next = taken[item.Key];
            if (pairs != pairsOfLabel.constEnd() && next < pairs->size()) {
                const int pair = (*pairs)[next++];
                match.pairOfIndicator.append(pair);
                match.pairUsed[pair] = true;
            } else {
                match.pairOfIndicator.append(-1);
            }
        }
    }
    return match;
}

std::optional<double> valueOf(const DataFileContents &file, int pair)
{
    if (pair < 0)
        return std::nullopt;
    return file.values[pair];
}

// The pairs no indicator took, one row a label: last year's first, then this year's, a label
// of both years on one row.
QList<ComparisonRow> unmatchedRows(const DataFileContents &last, const LabelMatch &lastMatch,
                                   const DataFileContents &current, const LabelMatch &currentMatch, int section)
{
    QList<ComparisonRow> rows;
    QHash<QByteArray, QList<int>> rowsOfLabel;
    const auto row = [&](const QByteArray &label) -> ComparisonRow & {
        ComparisonRow added;
        added.section = section;
        added.name = fromCp1251(label);
        rows.append(added);
        rowsOfLabel[label].append(int(rows.size()) - 1);
        return rows.back();
    };
    for (int i = 0; i < last.keys.size(); ++i) {
        if (!lastMatch.pairUsed[i])
            row(last.keys[i]).last = last.values[i];
    }
    for (int i = 0; i < current.keys.size(); ++i) {
        if (currentMatch.pairUsed[i])
            continue;
        ComparisonRow *free = nullptr;
        for (const int r : rowsOfLabel.value(current.keys[i])) {
            if (!rows[r].current) {
                free = &rows[r];
                break;
            }
        }
        (free ? *free : row(current.keys[i])).current = current.values[i];
    }
    for (qsizetype r = 0; r < rows.size(); ++r)
        rows[r].number = indicatorNumber(section + 1, r + 1);
    return rows;
}

ComparisonRow sectionRow(int section, const QString &title)
{
    ComparisonRow row;
    row.kind = ComparisonRow::Section;
    row.section = section;
    row.number = QString::number(section + 1);
    row.name = title;
    return row;
}

QString optionalNumberText(const std::optional<double> &value)
{
    return value ? numberText(*value) : QString();
}

// b - a without the binary noise of the subtraction: both have at most 15 significant digits, so
// their difference is rounded to the 15th digit of the larger (99999,99 - 100000 is -0,01, not
// -0,00999999999476131).
double difference(double a, double b)
{
    const double exact = b - a;
    const double larger = std::max(std::fabs(a), std::fabs(b));
    if (larger == 0)
        return exact;
    const double quantum = std::pow(10.0, std::floor(std::log10(larger)) - 14);
    const double rounded = std::round(exact / quantum) * quantum;
    // Near the ends of the double range the quantum itself is out of reach.
    return std::isfinite(rounded) ? rounded : exact;
}

} // namespace

std::optional<double> ComparisonRow::change() const
{
    if (!last || !current)
        return std::nullopt;
    return difference(*last, *current);
}

std::optional<double> ComparisonRow::percent() const
{
    const std::optional<double> difference = change();
    if (!difference || *last == 0)
        return std::nullopt;
    return *difference / std::fabs(*last) * 100;
}

DataFileContents readComparedFile(const QString &path)
{
    try {
        return readEveryPair(path);
    } catch (const ZorisError &error) {
        throw ZorisError(QStringLiteral("Файл \"") + shownFileName(path) + QStringLiteral("\": ") + error.message());
    }
}

DataFileContents modelContents(const IndicatorModel &model)
{
    DataFileContents contents;
    contents.year = model.CatalogYear;
    contents.schoolName = model.SchoolName;
    for (const razdel &section : model.Catalog) {
        for (const pokazatel &item : section.Items) {
            contents.keys.append(item.Key);
            contents.values.append(item.Value);
        }
    }
    return contents;
}

Comparison compareYears(const IndicatorModel &catalogue, const DataFileContents &last, const DataFileContents &current)
{
    const LabelMatch lastMatch = matchLabels(catalogue, last);
    const LabelMatch currentMatch = matchLabels(catalogue, current);
    Comparison comparison{last.year, current.year, current.schoolName, {}};
    comparison.rows.reserve(catalogue.indicatorCount() + catalogue.Catalog.size() + 1);
    int k = 0;
    for (int s = 0; s < catalogue.Catalog.size(); ++s) {
        const razdel &section = catalogue.Catalog[s];
        comparison.rows.append(sectionRow(s, fromCp1251(section.Name)));
        for (qsizetype m = 0; m < section.Items.size(); ++m) {
            const pokazatel &item = section.Items[m];
            ComparisonRow row;
            row.section = s;
            row.number = indicatorNumber(s + 1, m + 1);
            row.code = fromCp1251(item.Code);
            row.name = fromCp1251(item.Name);
            row.kindLetter = summaryKindLetter(item);
            row.measure = fromCp1251(item.Measure);
            row.last = valueOf(last, lastMatch.pairOfIndicator[k]);
            row.current = valueOf(current, currentMatch.pairOfIndicator[k]);
            comparison.rows.append(row);
            ++k;
        }
    }
    const int extraSection = int(catalogue.Catalog.size());
    const QList<ComparisonRow> unmatched = unmatchedRows(last, lastMatch, current, currentMatch, extraSection);
    if (!unmatched.isEmpty()) {
        comparison.rows.append(sectionRow(extraSection, MissingSectionTitle));
        comparison.rows.append(unmatched);
    }
    return comparison;
}

void updateCurrentValues(Comparison &comparison, const IndicatorModel &model)
{
    comparison.schoolName = model.SchoolName;
    qsizetype r = 0;
    for (const razdel &section : model.Catalog) {
        ++r; // the section's own row
        for (const pokazatel &item : section.Items)
            comparison.rows[r++].current = item.Value;
    }
}

bool isSameSchool(const DataFileContents &lastYear, const IndicatorModel &model)
{
    const bool lastIsSummary = !lastYear.schools.isEmpty() || isSummaryName(lastYear.schoolName);
    const bool thisIsSummary = !model.SummarySchools.isEmpty() || isSummaryName(model.SchoolName);
    if (lastIsSummary || thisIsSummary)
        return lastIsSummary == thisIsSummary;
    return fromCp1251(lastYear.schoolName).simplified().compare(fromCp1251(model.SchoolName).simplified(),
                                                                Qt::CaseInsensitive)
        == 0;
}

QList<std::optional<double>> lastYearValues(const IndicatorModel &catalogue, const DataFileContents &last)
{
    QList<std::optional<double>> values;
    for (const int pair : matchLabels(catalogue, last).pairOfIndicator)
        values.append(valueOf(last, pair));
    return values;
}

std::optional<int> yearNumber(const QByteArray &year)
{
    constexpr qsizetype MaxDigits = 9;
    if (year.isEmpty() || year.size() > MaxDigits)
        return std::nullopt;
    for (const char c : year) {
        if (c < '0' || c > '9')
            return std::nullopt;
    }
    return year.toInt();
}

bool precedesYear(const QByteArray &earlier, const QByteArray &later)
{
    const std::optional<int> from = yearNumber(earlier);
    const std::optional<int> to = yearNumber(later);
    return from && to && *from < *to;
}

QString notEarlierYearText(const QByteArray &fileYear, const QByteArray &catalogYear)
{
    return QStringLiteral("Рік файлу з даними (") + shownYear(fileYear)
        + QStringLiteral(") не передує поточному року (") + shownYear(catalogYear) + QLatin1Char(')');
}

QString notEarlierFileText(const QString &oldPath, const QByteArray &oldYear, const QString &newPath,
                           const QByteArray &newYear)
{
    return QStringLiteral("Рік файлу з даними \"%1\" (%2) не передує року файлу з даними \"%3\" (%4)")
        .arg(shownFileName(oldPath), shownYear(oldYear), shownFileName(newPath), shownYear(newYear));
}

QString comparisonCell(const ComparisonRow &row, int column)
{
    switch (column) {
    case NumberColumn: return row.number;
    case CodeColumn: return row.code;
    case NameColumn: return row.name;
    case MeasureColumn: return row.measure;
    case LastColumn: return optionalNumberText(row.last);
    case CurrentColumn: return optionalNumberText(row.current);
    case ChangeColumn: return optionalNumberText(row.change());
    case PercentColumn: {
        const std::optional<double> percent = row.percent();
        // Adding 0 turns a rounded -0 into 0.
        return percent ? numberText(std::round(*percent * 10) / 10 + 0.0) : QString();
    }
    default: return QString();
    }
}

std::optional<double> comparisonNumber(const ComparisonRow &row, int column)
{
    switch (column) {
    case LastColumn: return row.last;
    case CurrentColumn: return row.current;
    case ChangeColumn: return row.change();
    case PercentColumn: return row.percent();
    default: return std::nullopt;
    }
}

QStringList comparisonHeadings(const Comparison &comparison)
{
    return {QStringLiteral("№"),          QStringLiteral("Позначення"),   QStringLiteral("Показник"),
            QStringLiteral("Одиниці"),    shownYear(comparison.lastYear), shownYear(comparison.thisYear),
            QStringLiteral("Зміна"),      QStringLiteral("Зміна, %")};
}

QString comparisonCaption(const Comparison &comparison)
{
    return QStringLiteral("Порівняння з ") + shownYear(comparison.lastYear) + QStringLiteral(" роком");
}

QList<int> chartRows(const Comparison &comparison, int row, bool wholeSection)
{
    QList<int> rows;
    if (row < 0 || row >= comparison.rows.size())
        return rows;
    const ComparisonRow &chosen = comparison.rows[row];
    const bool bothYears = chosen.last && chosen.current;
    if (chosen.kind == ComparisonRow::Indicator && !wholeSection) {
        if (bothYears)
            rows.append(row);
        return rows;
    }
    std::optional<QString> measure;
    int first = row + 1;
    if (chosen.kind == ComparisonRow::Indicator) {
        measure = chosen.measure;
        first = row;
        while (comparison.rows[first - 1].kind == ComparisonRow::Indicator)
            --first;
    }
    for (int r = first; r < comparison.rows.size() && comparison.rows[r].kind == ComparisonRow::Indicator; ++r) {
        const ComparisonRow &candidate = comparison.rows[r];
        if (!measure)
            measure = candidate.measure;
        if (candidate.measure == *measure && candidate.last && candidate.current)
            rows.append(r);
    }
    return rows;
}

QByteArray comparisonTableBytes(const Comparison &comparison)
{
    QString table;
    table.reserve(comparison.rows.size() * 160);
    QStringList headings = comparisonHeadings(comparison);
    headings.insert(MeasureColumn, QStringLiteral("Вид"));
    appendCsvRow(table, headings);
    for (const ComparisonRow &row : comparison.rows) {
        QStringList fields;
        for (int column = 0; column < ComparisonColumnCount; ++column) {
            if (column == MeasureColumn)
                fields << row.kindLetter;
            const bool text = column == CodeColumn || column == NameColumn || column == MeasureColumn;
            fields << (text ? inertText(comparisonCell(row, column)) : comparisonCell(row, column));
        }
        appendCsvRow(table, fields);
    }
    return csvFileBytes(table);
}

QString proposedComparisonName(const Comparison &comparison)
{
    return fromCp1251(comparison.schoolName) + QLatin1Char('(') + shownYear(comparison.lastYear) + QLatin1Char('-')
        + shownYear(comparison.thisYear) + QLatin1Char(')');
}
