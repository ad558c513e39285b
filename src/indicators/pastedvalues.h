#pragma once

#include <QList>
#include <QString>

#include <variant>

class IndicatorModel;

// Values pasted as text, as a spreadsheet copies them (lines of cells separated by tabs): one
// number for the indicator at, a column of numbers for the indicators from at on in catalogue
// order, or two columns of labels or designations and numbers, each number for the indicator
// it names. Numbers take "," or "." as decimal mark and blanks, non-breaking or thin spaces
// between thousands; an empty line stores nothing.
struct PastedValues
{
    QList<int> indicators;
    QList<double> values;
};

// Why a paste is refused as a whole: its first line that cannot be taken, counted from 1.
struct PasteRefusal
{
    int line = 0;
    QString text;
    QString reason;
};

std::variant<PastedValues, PasteRefusal> readPastedValues(const QString &text, const IndicatorModel &model, int at);
// "Нічого не вставлено: рядок 3 («abc») — не число."
QString pasteRefusalText(const PasteRefusal &refusal);
// A pasted number; false for what is no number.
bool readPastedNumber(QString text, double &value);
