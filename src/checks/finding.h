#pragma once

#include <QList>
#include <QString>

class IndicatorModel;
struct SchoolSummary;

// A doubtful value and why: what every check gives, whatever its source.
struct Finding
{
    int indicator = -1; // in catalogue order, counted across the sections
    QString reason;
    int school = -1;    // the school's file among several; -1 for the values in the window
};

// A line of the list of doubtful values.
struct FindingRow
{
    QString school;
    QString file;  // the school's data file, without its folder
    QString section;
    QString label;  // indicatorName
    QString wording;
    QString value; // number text
    QString reason;
};

// The lines for findings: the section, label and wording from the model; the value and the
// school from schools for a school's finding, from the model for the window's own.
QList<FindingRow> findingRows(const IndicatorModel &model, const QList<Finding> &findings,
                              const SchoolSummary *schools = nullptr);
// "1 значення не пройшло перевірку", "3 значення не пройшли перевірку", "5 значень ...".
QString failedValuesText(int count);
// How many values the findings are about: a value with two reasons counts once.
int doubtfulValueCount(const QList<Finding> &findings);
