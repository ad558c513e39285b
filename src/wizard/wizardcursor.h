#pragma once

#include "indicators/model.h"

// The wizard's walk over the model's WizardSection/WizardItem in catalogue order. Sections
// without indicators are stepped over both ways, so the cursor never rests on a missing one.
class WizardCursor
{
public:
    explicit WizardCursor(IndicatorModel &model) : m_model(model) {}

    static bool hasIndicators(const IndicatorModel &model);

    // What the cursor names, or nullptr when it names no indicator.
    pokazatel *item() const;
    const razdel *section() const;
    // Stores value into the indicator the cursor names, if it names one.
    void storeValue(double value);

    // Keeps the cursor on the indicator it names, or puts it on the catalogue's first one;
    // false when the catalogue has none.
    bool settle();
    // Steps to the next or previous indicator; false, the cursor unchanged, when there is none.
    bool forward();
    bool back();

private:
    // The first indicator of the first section from s on that has any.
    bool firstItemFrom(int s);

    IndicatorModel &m_model;
};
