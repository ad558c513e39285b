#pragma once

#include "indicators/datafile.h"

#include <QList>
#include <QString>

#include <optional>

// Last year beside this year: the catalogue's sections and indicators with the values of two
// data files matched by label. Last year's file is only read; it never enters the model.

struct ComparisonRow
{
    enum Kind { Section, Indicator };
    Kind kind = Indicator;
    int section = 0;        // the section the row belongs to, counted from 0
    QString number;         // "2." for a section, "2.3." for an indicator
    QString code;
    QString name;
    QString kindLetter;     // "C" for what a summary adds up, "A" for what it averages
    QString measure;
    std::optional<double> last;    // empty where last year's file lacks the indicator
    std::optional<double> current; // empty where this year's lacks it

    // This year's value less last year's; empty unless both are there.
    std::optional<double> change() const;
    // The change against last year's magnitude, in per cent; empty also where last year's is 0.
    std::optional<double> percent() const;
};

struct Comparison
{
    QByteArray lastYear;
    QByteArray thisYear;
    QByteArray schoolName; // this year's
    QList<ComparisonRow> rows;
};

// The columns of the comparison table, on screen and on paper.
enum ComparisonColumn { NumberColumn, CodeColumn, NameColumn, MeasureColumn, LastColumn, CurrentColumn,
                        ChangeColumn, PercentColumn, ComparisonColumnCount };

// A data file to compare, every pair of it (readEveryPair); an error it raises names the file.
DataFileContents readComparedFile(const QString &path);
// The model's school name, keys and values as a data file would hold them.
DataFileContents modelContents(const IndicatorModel &model);

// Every section of the catalogue with its indicators, values matched by label: the n-th
// indicator with a label takes the n-th pair of that label in a file. Pairs that match no
// indicator follow in a section of their own, named by their label.
Comparison compareYears(const IndicatorModel &catalogue, const DataFileContents &last, const DataFileContents &current);
// This year's values and school name again from the model, for a comparison made by
// compareYears with modelContents(model) as this year while the model had the same labels: the
// rows stay as matched, only the values change.
void updateCurrentValues(Comparison &comparison, const IndicatorModel &model);
// Whether last year's file may stand beside the model's values: a summary beside a summary,
// otherwise the same school by its name line (blanks and letter case aside).
bool isSameSchool(const DataFileContents &lastYear, const IndicatorModel &model);
// Last year's value of each of the catalogue's indicators, in catalogue order.
QList<std::optional<double>> lastYearValues(const IndicatorModel &catalogue, const DataFileContents &last);

// The year as a whole number; a year line that is none has none.
std::optional<int> yearNumber(const QByteArray &year);
// True when both are years and earlier comes before later.
bool precedesYear(const QByteArray &earlier, const QByteArray &later);
// The warnings for a file that is not of an earlier year than the catalogue, or than the other
// file, in the words of the year warning of "Відкрити".
QString notEarlierYearText(const QByteArray &fileYear, const QByteArray &catalogYear);
QString notEarlierFileText(const QString &oldPath, const QByteArray &oldYear, const QString &newPath,
                           const QByteArray &newYear);

// A cell as the table shows it: numbers in number text, the per cent to one decimal.
QString comparisonCell(const ComparisonRow &row, int column);
// What a numeric column sorts by; empty for an empty cell and for the text columns.
std::optional<double> comparisonNumber(const ComparisonRow &row, int column);
// The column headings; the two years head the value columns.
QStringList comparisonHeadings(const Comparison &comparison);
// "Порівняння з 2025 роком".
QString comparisonCaption(const Comparison &comparison);

// The rows a chart shows for the row chosen: that indicator alone or, with wholeSection, every
// indicator of its section with its unit; for a section's row, the indicators of the section
// with the unit of its first one. Only rows with values of both years.
QList<int> chartRows(const Comparison &comparison, int row, bool wholeSection);

// CSV with the summary table's conventions: №;Позначення;Показник;Вид;Одиниці;<last
// year>;<this year>;Зміна;Зміна, %.
QByteArray comparisonTableBytes(const Comparison &comparison);
// "<school>(2025-2026)".
QString proposedComparisonName(const Comparison &comparison);
