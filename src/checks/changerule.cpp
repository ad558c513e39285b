#include "changerule.h"

#include "indicators/numbertext.h"

QString doubtfulChangeReason(double last, double current)
{
    const bool manyfold = last > 0 && current > 0 && (current / last > 3 || last / current > 3);
    if (!manyfold && !(last > 0 && current == 0))
        return QString();
    return QStringLiteral("Минулого року: ") + numberText(last) + QStringLiteral(", цього року: ") + numberText(current);
}
