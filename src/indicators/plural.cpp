#include "plural.h"

#include <cstdlib>

int pluralForm(int count)
{
    const int lastTwo = std::abs(count) % 100;
    const int last = lastTwo % 10;
    if (last == 1 && lastTwo != 11)
        return 0;
    if (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14))
        return 1;
    return 2;
}

QString countText(int count, QStringView one, QStringView few, QStringView many)
{
    const QStringView forms[] = {one, few, many};
    return QString::number(count) + QLatin1Char(' ') + forms[pluralForm(count)].toString();
}
