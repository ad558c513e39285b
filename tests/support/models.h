#pragma once

// Models built in memory, and what a test reads back from one.

#include "indicators/encoding.h"
#include "indicators/model.h"

#include <functional>

// Sections with the given numbers of indicators: section s is "Розділ s+1", its indicator j is
// "Показник s+1.j+1"; fill, when given, sets the rest of each indicator.
inline IndicatorModel modelOf(const QList<int> &counts,
                              const std::function<void(pokazatel &, int section, int item)> &fill = {})
{
    IndicatorModel model;
    for (int s = 0; s < counts.size(); ++s) {
        razdel section;
        section.Name = toCp1251(QStringLiteral("Розділ %1").arg(s + 1));
        for (int j = 0; j < counts[s]; ++j) {
            pokazatel item;
            item.Name = toCp1251(QStringLiteral("Показник %1.%2").arg(s + 1).arg(j + 1));
            if (fill)
                fill(item, s, j);
            section.Items.append(item);
        }
        model.Catalog.append(section);
    }
    return model;
}

// Every indicator's value, in the order of the catalogue.
inline QList<double> values(const IndicatorModel &model)
{
    return model.values();
}
