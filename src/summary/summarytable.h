#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class IndicatorModel;
struct SchoolSummary;

// The summary as a spreadsheet table: every indicator against every school, then the total
// (sum or mean, as the heading says). A text that a spreadsheet would take for a formula is
// written after an apostrophe, so that it stays a text.
// CSV in UTF-8 with a byte-order mark, ";" between fields, the decimal comma of the number text
// and CR LF rows, which spreadsheets with Ukrainian settings read as they are.
QByteArray summaryTableBytes(const IndicatorModel &model, const SchoolSummary &summary);
// Written atomically: on failure an existing file stays as it was. Throws IoError.
void writeSummaryTable(const QString &path, const IndicatorModel &model, const SchoolSummary &summary);

// "Зведення(<year>).csv".
QString proposedTableFileName(const IndicatorModel &model);
// Appends ".csv" unless the name already ends in it (any case).
QString withTableFileExtension(const QString &name);
