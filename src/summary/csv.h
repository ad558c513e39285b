#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Tables for spreadsheets, as the summary and the comparison write them: CSV in UTF-8 with a
// byte-order mark, ";" between fields and CR LF rows.

// One row of such a table: the fields between ";", CR LF at its end.
void appendCsvRow(QString &table, const QStringList &fields);
// The table as it is written: UTF-8 after a byte-order mark.
QByteArray csvFileBytes(const QString &table);
// A text read from a school's or the catalogue's file that a spreadsheet would take for a
// formula (a school named "=HYPERLINK(...)"): after an apostrophe, so that it stays a text.
QString inertText(const QString &text);
// Rows of cells as spreadsheets copy and paste them: tabs between cells, a line break after each
// row, a cell holding a tab, a line break or a double quote in double quotes.
QString tabSeparatedText(const QList<QStringList> &rows);
// A field as it stands between the separators: quoted when it holds ";", a double quote, a line
// break, or blanks at either end that a spreadsheet would drop.
QString csvField(const QString &text);
