#pragma once

#include "model.h"

#include <QString>

#include <optional>

// A data file as read, before anything of it reaches the model.
struct DataFileContents
{
    QByteArray year;
    QByteArray schoolName;
    QList<QByteArray> keys;
    QList<double> values;
    QList<SummarySchool> schools;
};

// Year, school name, then a Key line and a Value line per indicator in catalogue order. A
// summary's file then lists its schools after the heading SummarySchoolsHeading, a name line
// and a file-name line each: beyond the pairs, where readers of one school's file stop.
QByteArray dataFileBytes(const IndicatorModel &model);
void writeDataFile(const QString &path, const IndicatorModel &model);

// Reads as many key/value pairs as there are indicators; missing pairs read as an empty key and
// 0, surplus lines are ignored but for a summary's list of schools. Throws IoError
// (InvalidNumericInput for a bad number).
DataFileContents parseDataFile(const QByteArray &bytes, int indicatorCount);
DataFileContents readDataFile(const QString &path, int indicatorCount);
// "Заклади, що увійшли до зведення" in the data file's code page.
QByteArray summarySchoolsHeading();
// The lines contents take in a data file.
qsizetype dataFileLineCount(const DataFileContents &contents);
// Every key/value pair up to the end of the file or the list of schools, however many, for a
// file that is only read and never enters the model (last year's values beside this year's).
// Errors as above.
DataFileContents parseEveryPair(const QByteArray &bytes);
DataFileContents readEveryPair(const QString &path);
// The year line alone, so that a file of another year is refused before its values are read.
QByteArray dataFileYear(const QByteArray &bytes);
// A year as the screen shows it: compared whole, shown by its first 64 characters, since a file
// that is no text file may have megabytes before its first line break and a box or caption of
// that length takes minutes to lay out.
QString shownYear(const QByteArray &year);
// Any line of a file as a message shows it, by the same rule.
QString shownLine(const QByteArray &line);
QString shownText(QStringView text);
// The warning for a data file made for another year than the catalogue's.
QString yearMismatchText(const QByteArray &fileYear, const QByteArray &catalogYear);
// The data file at path when it was made for the catalogue's year, read for the model's
// indicators; nothing (fileYear set) for another year, whose values are not read. IoError when
// unreadable.
std::optional<DataFileContents> readDataFileOfYear(const QString &path, const IndicatorModel &model, QByteArray &fileYear);
// Replaces the school name, the summary's schools and every indicator's Key and Value, by
// position.
void applyDataFile(const DataFileContents &contents, IndicatorModel &model);

// SchoolName + "(" + CatalogYear + ")".
QString proposedDataFileName(const IndicatorModel &model);
// Appends ".zrs" unless the name already ends in exactly ".zrs" (case-sensitive).
QString withDataFileExtension(const QString &name);
