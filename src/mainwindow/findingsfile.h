#pragma once

#include "checks/finding.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The list of doubtful values as it is sent back to the schools: a table for spreadsheets or
// landscape A4 pages in the report's fonts and table lines.
struct FindingsDocument
{
    QByteArray year;
    QString subject; // the school's name, or the summary's
    QList<FindingRow> rows;
    int doubtfulCount = 0; // values, a value with two reasons counted once
};

// CSV in the summary table's conventions: №;Заклад;Файл з даними;Розділ;Показник;Зміст
// показника;Значення;Причина.
QByteArray findingsTableBytes(const FindingsDocument &document);
// Composes and writes the pages as a PDF file. Throws ZorisError when it could not be written.
void writeFindingsPdf(const FindingsDocument &document, const QString &path);
// "Сумнівні значення(<year>)", without an extension.
QString proposedFindingsName(const FindingsDocument &document);
