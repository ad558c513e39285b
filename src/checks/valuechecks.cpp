#include "valuechecks.h"

#include "changerule.h"

void ValueChecks::setPlan(CheckPlan plan)
{
    m_plan = std::move(plan);
    setValues(QList<double>(m_plan.size(), 0.0));
}

void ValueChecks::setValues(QList<double> values)
{
    m_values = std::move(values);
    m_values.resize(m_plan.size());
    m_unitBroken.fill(false, m_values.size());
    m_ruleBroken.fill(false, m_plan.rules().size());
    m_changeBroken.fill(false, m_values.size());
    m_lastYear.resize(m_values.size());
    m_breaches.fill(0, m_values.size());
    m_doubtful = 0;
    for (int i = 0; i < m_values.size(); ++i)
        setBroken(m_unitBroken, i, i, unitBreach(m_plan.unitRule(i), m_values[i]).has_value());
    for (int r = 0; r < m_plan.rules().size(); ++r)
        checkRule(r);
    for (int i = 0; i < m_values.size(); ++i)
        checkChange(i);
}

void ValueChecks::setLastYearValues(QList<std::optional<double>> lastYear)
{
    m_lastYear = std::move(lastYear);
}

QList<int> ValueChecks::updateValue(int indicator, double value)
{
    if (indicator < 0 || indicator >= m_values.size())
        return {};
    m_values[indicator] = value;
    m_marksChanged.clear();
    setBroken(m_unitBroken, indicator, indicator, unitBreach(m_plan.unitRule(indicator), value).has_value());
    for (int r : m_plan.rulesNaming(indicator))
        checkRule(r);
    checkChange(indicator);
    return m_marksChanged;
}

QStringList ValueChecks::reasons(int indicator) const
{
    QStringList result = m_plan.reasons(indicator, m_values);
    if (m_changeBroken[indicator])
        result.append(changeReason(indicator));
    return result;
}

QList<Finding> ValueChecks::findings() const
{
    QList<Finding> result;
    for (int i = 0; i < m_values.size(); ++i) {
        for (const QString &reason : reasons(i))
            result.append({i, reason});
    }
    return result;
}

void ValueChecks::setBroken(QList<bool> &flags, int at, int indicator, bool now)
{
    if (flags[at] == now)
        return;
    flags[at] = now;
    int &count = m_breaches[indicator];
    const bool wasDoubtful = count > 0;
    count += now ? 1 : -1;
    if ((count > 0) == wasDoubtful)
        return;
    m_doubtful += wasDoubtful ? -1 : 1;
    // A mark that flips back within one change did not change.
    const qsizetype listed = m_marksChanged.indexOf(indicator);
    if (listed >= 0)
        m_marksChanged.removeAt(listed);
    else
        m_marksChanged.append(indicator);
}

void ValueChecks::checkRule(int rule)
{
    const Rule &checked = m_plan.rules()[rule];
    setBroken(m_ruleBroken, rule, checked.indicator, !ruleHolds(checked, m_values));
}

QString ValueChecks::changeReason(int indicator) const
{
    const std::optional<double> &last = m_lastYear[indicator];
    return last ? doubtfulChangeReason(*last, m_values[indicator]) : QString();
}

void ValueChecks::checkChange(int indicator)
{
    setBroken(m_changeBroken, indicator, indicator, !changeReason(indicator).isEmpty());
}
