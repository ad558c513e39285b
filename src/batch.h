#pragma once

#include <QString>
#include <QStringList>

// The district summary from the command line, without a window: the catalogue and the school's
// name come from the working folder. Each returns the exit status; an error goes to standard
// error and leaves the output file as it was.

// zoris --merge OUT.zrs FILE.zrs FILE.zrs...
int writeMergedDataFile(const QString &out, const QStringList &files);
// zoris --table OUT.csv FILE.zrs... (one file is enough).
int writeSummaryTableFile(const QString &out, const QStringList &files);
// zoris --pdf OUT.pdf [FILE.zrs...]: the report, of the summary when two or more files are given.
int writeReportPdfFile(const QString &out, const QStringList &files);
// zoris --check FILE.zrs...: a line per doubtful value on standard output, its school, label,
// value and reason separated by tabs; 0 when every value passes, 1 when something is doubtful,
// 2 when a file cannot be read (named on standard error; the others are still checked).
int checkDataFiles(const QStringList &files);
// zoris --compare OUT.csv|OUT.pdf OLD.zrs NEW.zrs: the two files' values side by side, matched by
// label to the catalogue's indicators; OLD must be of an earlier year than NEW.
int writeComparisonFile(const QString &out, const QStringList &files);
