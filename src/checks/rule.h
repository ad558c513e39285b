#pragma once

#include <QList>
#include <QString>

#include <optional>

// A rule between indicators: an indicator compared with a sum of indicators and numbers.
enum class Relation { Equal, LessOrEqual, GreaterOrEqual, Less, Greater };

struct RuleTerm
{
    bool subtracted = false;
    int indicator = -1; // in catalogue order; -1 for a number
    double number = 0;
    QString name;       // the indicator as messages name it (indicatorName)
};

struct Rule
{
    int line = 0; // in the rules file, from 1
    int indicator = -1;
    QString name;
    Relation relation = Relation::Equal;
    QList<RuleTerm> terms;
    QString note; // the rule's own words, after ";" in the rules file
};

// The rule as it reads, its indicators named: "K1_01 (Кл) = K1_02 (Кл1) + K1_03 (Кл2)".
QString ruleText(const Rule &rule);
// Whether values keep rule. Values of "=" that differ only by the rounding of sums of decimals
// are equal.
bool ruleHolds(const Rule &rule, const QList<double> &values);
// Why values break rule, with the numbers: "K1_01 (Кл) = K1_02 (Кл1) + K1_03 (Кл2): 12 ≠ 4 + 4", then
// the rule's own words in brackets; nothing when it holds.
std::optional<QString> ruleBreach(const Rule &rule, const QList<double> &values);
