#include "rule.h"

#include "indicators/numbertext.h"

#include <cmath>

namespace {

QString relationText(Relation relation)
{
    switch (relation) {
    case Relation::Equal: return QStringLiteral("=");
    case Relation::LessOrEqual: return QStringLiteral("<=");
    case Relation::GreaterOrEqual: return QStringLiteral(">=");
    case Relation::Less: return QStringLiteral("<");
    case Relation::Greater: break;
    }
    return QStringLiteral(">");
}

// The sign that says how a broken relation stands instead.
QString brokenText(Relation relation)
{
    switch (relation) {
    case Relation::Equal: return QStringLiteral("≠");
    case Relation::LessOrEqual: return QStringLiteral(">");
    case Relation::GreaterOrEqual: return QStringLiteral("<");
    case Relation::Less: return QStringLiteral("≥");
    case Relation::Greater: break;
    }
    return QStringLiteral("≤");
}

// The right-hand side with each term given by term(): "a + b - c", "-a + b".
template<typename TermText>
QString sumText(const QList<RuleTerm> &terms, TermText term)
{
    QString text;
    for (qsizetype i = 0; i < terms.size(); ++i) {
        if (i > 0)
            text += terms[i].subtracted ? QStringLiteral(" - ") : QStringLiteral(" + ");
        else if (terms[i].subtracted)
            text += QLatin1Char('-');
        text += term(terms[i]);
    }
    return text;
}

double termValue(const RuleTerm &term, const QList<double> &values)
{
    return term.indicator >= 0 ? values[term.indicator] : term.number;
}

bool holds(Relation relation, double left, double right, double scale)
{
    // Sums of decimals such as 0,1 + 0,2 miss 0,3 by a rounding step: values that close are equal.
    const bool equal = std::fabs(left - right) <= 1e-9 * scale + 1e-12;
    switch (relation) {
    case Relation::Equal: return equal;
    case Relation::LessOrEqual: return equal || left < right;
    case Relation::GreaterOrEqual: return equal || left > right;
    case Relation::Less: return !equal && left < right;
    case Relation::Greater: break;
    }
    return !equal && left > right;
}

} // namespace

QString ruleText(const Rule &rule)
{
    return rule.name + QLatin1Char(' ') + relationText(rule.relation) + QLatin1Char(' ')
        + sumText(rule.terms, [](const RuleTerm &term) { return term.indicator >= 0 ? term.name : numberText(term.number); });
}

bool ruleHolds(const Rule &rule, const QList<double> &values)
{
    const double left = values[rule.indicator];
    double right = 0;
    double scale = std::fabs(left);
    for (const RuleTerm &term : rule.terms) {
        const double value = termValue(term, values);
        right += term.subtracted ? -value : value;
        scale += std::fabs(value);
    }
    return holds(rule.relation, left, right, scale);
}

std::optional<QString> ruleBreach(const Rule &rule, const QList<double> &values)
{
    if (ruleHolds(rule, values))
        return std::nullopt;
    const double left = values[rule.indicator];
    QString reason = ruleText(rule) + QStringLiteral(": ") + numberText(left) + QLatin1Char(' ')
        + brokenText(rule.relation) + QLatin1Char(' ')
        + sumText(rule.terms, [&](const RuleTerm &term) { return numberText(termValue(term, values)); });
    if (!rule.note.isEmpty())
        reason += QStringLiteral(" (") + rule.note + QLatin1Char(')');
    return reason;
}
