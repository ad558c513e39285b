#include "unitrules.h"

#include "indicators/encoding.h"
#include "indicators/numbertext.h"

#include <QHash>

#include <cmath>

namespace {

enum class UnitClass { Count, Percent, Other };

const QHash<QString, UnitClass> &unitTable()
{
    static const QHash<QString, UnitClass> table = {
        {QStringLiteral("осіб"), UnitClass::Count},      {QStringLiteral("од."), UnitClass::Count},
        {QStringLiteral("прим."), UnitClass::Count},     {QStringLiteral("%"), UnitClass::Percent},
        {QStringLiteral("бал"), UnitClass::Other},       {QStringLiteral("грн"), UnitClass::Other},
        {QStringLiteral("тис. грн"), UnitClass::Other},  {QStringLiteral("кв. м"), UnitClass::Other},
        {QStringLiteral("год."), UnitClass::Other},      {QStringLiteral("дн."), UnitClass::Other},
        {QStringLiteral("Мбіт/с"), UnitClass::Other},
    };
    return table;
}

} // namespace

UnitRule unitRuleFor(const QByteArray &measure, const QByteArray &kind)
{
    const auto found = unitTable().constFind(fromCp1251(measure).trimmed());
    if (found == unitTable().constEnd())
        return UnitRule::None;
    switch (*found) {
    case UnitClass::Count:
        return kind == "C" ? UnitRule::WholeNotNegative : UnitRule::NotNegative;
    case UnitClass::Percent:
        return UnitRule::Percent;
    case UnitClass::Other:
        break;
    }
    return UnitRule::NotNegative;
}

std::optional<QString> unitBreach(UnitRule rule, double value)
{
    if (rule == UnitRule::None)
        return std::nullopt;
    if (value < 0)
        return QStringLiteral("значення не може бути від'ємним: ") + numberText(value);
    if (rule == UnitRule::Percent && value > 100)
        return QStringLiteral("відсоток має бути від 0 до 100: ") + numberText(value);
    if (rule == UnitRule::WholeNotNegative && value != std::floor(value))
        return QStringLiteral("кількість має бути цілим числом: ") + numberText(value);
    return std::nullopt;
}
