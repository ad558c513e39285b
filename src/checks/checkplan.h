#pragma once

#include "finding.h"
#include "rule.h"
#include "unitrules.h"

#include <QList>

class IndicatorModel;

// What is checked for one catalogue: each indicator's unit rule and the rules between
// indicators, indexed both by the indicator each rule is about (its left-hand label) and by every
// indicator it names, so that a changed value is checked against only the rules that name it.
class CheckPlan
{
public:
    CheckPlan() = default;
    CheckPlan(const IndicatorModel &model, QList<Rule> rules);

    int size() const { return int(m_units.size()); }
    UnitRule unitRule(int indicator) const { return m_units[indicator]; }
    const QList<Rule> &rules() const { return m_rules; }
    // The rules about indicator, in file order.
    const QList<int> &rulesAbout(int indicator) const { return m_rulesAbout[indicator]; }
    // The rules that name indicator anywhere, each once.
    const QList<int> &rulesNaming(int indicator) const { return m_rulesNaming[indicator]; }

    // Why values[indicator] is doubtful: its unit first, then the rules about it.
    QStringList reasons(int indicator, const QList<double> &values) const;
    // Every finding for one set of values, in catalogue order.
    QList<Finding> findings(const QList<double> &values, int school = -1) const;

private:
    QList<UnitRule> m_units;
    QList<Rule> m_rules;
    QList<QList<int>> m_rulesAbout;
    QList<QList<int>> m_rulesNaming;
};
