#pragma once

#include "checkplan.h"

#include <QList>
#include <QStringList>

#include <optional>

// The checks of the values in the window, kept up to date as values change one at a time: a
// change checks again only its own unit rule, the rules that name it and its change since last
// year.
class ValueChecks
{
public:
    void setPlan(CheckPlan plan);
    const CheckPlan &plan() const { return m_plan; }

    // Checks every value anew.
    void setValues(QList<double> values);
    // Stores one value and checks again what names it; gives the indicators that became
    // doubtful or stopped being so.
    QList<int> updateValue(int indicator, double value);
    // Last year's value of each indicator in catalogue order, empty where last year's file lacks
    // it; a value that changed too much beside it is doubtful. Checked from the next setValues.
    void setLastYearValues(QList<std::optional<double>> lastYear);

    // How many values break a rule.
    int doubtfulCount() const { return m_doubtful; }
    bool isDoubtful(int indicator) const { return indicator >= 0 && indicator < m_breaches.size() && m_breaches[indicator] > 0; }
    // Its unit first, then the rules about it, then its change since last year.
    QStringList reasons(int indicator) const;
    QList<Finding> findings() const;

private:
    // Sets flags[at], whether a check of indicator fails, and counts the doubtful values.
    void setBroken(QList<bool> &flags, int at, int indicator, bool now);
    void checkRule(int rule);
    void checkChange(int indicator);
    QString changeReason(int indicator) const;

    CheckPlan m_plan;
    QList<double> m_values;
    QList<bool> m_unitBroken;
    QList<bool> m_ruleBroken;
    QList<std::optional<double>> m_lastYear;
    QList<bool> m_changeBroken;
    QList<int> m_breaches; // unit and rule breaches of each indicator
    int m_doubtful = 0;
    QList<int> m_marksChanged;
};
