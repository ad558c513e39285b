#pragma once

#include "core/errors.h"
#include "indicators/datafile.h"

#include <QList>
#include <QString>
#include <QStringList>

// The district summary: the data files of several schools, checked against the catalogue and
// added up: sums for what adds up across schools, means rounded to two decimals for the rest.
struct SchoolSummary
{
    QStringList paths;
    QList<QByteArray> schoolNames;    // one a file, in the order given
    QList<QList<double>> values;      // values[file][indicator], indicators in catalogue order
    QList<double> totals;             // the exact sum or the rounded mean of each indicator

    int fileCount() const { return int(paths.size()); }
};

// Whether a summary averages the indicator over its schools instead of adding it up: every
// analytical one, and those whose values do not add up whatever kind the catalogue gives them:
// shares (unit "%"), rates (a unit per unit, "Мбіт/с"), averages ("Середня …") and values per
// head ("… у розрахунку на …").
bool isAveragedInSummary(const pokazatel &item);
// "A" for an indicator a summary averages, "C" for one it adds up.
QString summaryKindLetter(const pokazatel &item);

// A file that cannot take part in the summary; the message names the file.
class SummaryRefusal : public ZorisError
{
public:
    using ZorisError::ZorisError;
};

// Reads every file as "Відкрити" would (year check, number errors) and checks that it holds
// exactly the catalogue's keys in catalogue order and that no school comes twice. Nothing is
// changed; the first problem throws SummaryRefusal.
SchoolSummary readSchoolFiles(const QStringList &paths, const IndicatorModel &model);
// One school's file as readSchoolFiles reads it: its values in catalogue order and, in
// schoolName, the school's name. Throws SummaryRefusal.
QList<double> readSchoolFile(const QString &path, const IndicatorModel &model, QByteArray &schoolName);
// The summary itself needs two schools at least; throws SummaryRefusal for fewer files.
void requireSeveralFiles(const QStringList &paths);

// Whether a name line is that of a summary this program wrote, "Зведені показники (N …)".
bool isSummaryName(const QByteArray &name);

// "2 заклади", "5 закладів", "21 заклад".
QString schoolCountText(int count);
// "Зведені показники (N закладів)".
QString summarySchoolName(int count);
// The summary as a data file holds it: its name and totals, the keys being the files' keys,
// which equal the model's.
DataFileContents summaryContents(const SchoolSummary &summary, const IndicatorModel &model);

// How a file is named in messages.
QString shownFileName(const QString &path);
