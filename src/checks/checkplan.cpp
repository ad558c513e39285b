#include "checkplan.h"

#include "indicators/model.h"

CheckPlan::CheckPlan(const IndicatorModel &model, QList<Rule> rules)
    : m_rules(std::move(rules))
{
    m_units.reserve(model.indicatorCount());
    forEachIndicator(model.Catalog, [&](int, const pokazatel &item) { m_units.append(unitRuleFor(item.Measure, item.Kind)); });
    m_rulesAbout.resize(m_units.size());
    m_rulesNaming.resize(m_units.size());
    for (int r = 0; r < m_rules.size(); ++r) {
        const Rule &rule = m_rules[r];
        m_rulesAbout[rule.indicator].append(r);
        m_rulesNaming[rule.indicator].append(r);
        for (const RuleTerm &term : rule.terms) {
            if (term.indicator >= 0 && m_rulesNaming[term.indicator].value(m_rulesNaming[term.indicator].size() - 1, -1) != r)
                m_rulesNaming[term.indicator].append(r);
        }
    }
}

QStringList CheckPlan::reasons(int indicator, const QList<double> &values) const
{
    QStringList result;
    if (const std::optional<QString> breach = unitBreach(m_units[indicator], values[indicator]))
        result.append(*breach);
    for (int r : m_rulesAbout[indicator]) {
        if (const std::optional<QString> breach = ruleBreach(m_rules[r], values))
            result.append(*breach);
    }
    return result;
}

QList<Finding> CheckPlan::findings(const QList<double> &values, int school) const
{
    QList<Finding> result;
    for (int i = 0; i < size(); ++i) {
        for (const QString &reason : reasons(i, values))
            result.append({i, reason, school});
    }
    return result;
}
