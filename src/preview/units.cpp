#include "preview/units.h"

#include "core/muldiv.h"

namespace {

// Units per inch; 0 for mmPixel, which has none.
int unitsPerInch(TUnits units)
{
    switch (units) {
    case mmPixel:
        return 0;
    case mmLoMetric:
        return 254;
    case mmHiMetric:
        return 2540;
    case mmLoEnglish:
        return 10;
    case mmHiEnglish:
        return 100;
    case mmTWIPS:
        return 1440;
    }
    return 0;
}

} // namespace

int ConvertUnits(int value, int dpi, TUnits fromUnits, TUnits toUnits)
{
    if (const int from = unitsPerInch(fromUnits))
        value = MulDiv(value, dpi, from);
    if (const int to = unitsPerInch(toUnits))
        value = MulDiv(value, to, dpi);
    return value;
}

int ToLoMetric(int value, int dpi, TUnits units)
{
    const int perInch = unitsPerInch(units);
    return MulDiv(value, unitsPerInch(mmLoMetric), perInch ? perInch : dpi);
}
