#pragma once

#include <QString>

// The application's title: the name on the task bar and the caption of its error box.
inline QString applicationTitle()
{
    return QStringLiteral("АС \"ЗОРІС\"");
}
