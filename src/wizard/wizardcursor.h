#pragma once

#include "indicators/document.h"
#include "indicators/model.h"

// The wizard's walk over the model's WizardSection/WizardItem in catalogue order. Sections
// without indicators are stepped over both ways, so the cursor never rests on a missing one.
class WizardCursor
{
public:
    explicit WizardCursor(IndicatorDocument &document) : m_document(document), m_model(document.model()) {}

    // Whether the catalogue has any indicator to walk.
    bool anyIndicator() const;

    // What the cursor names, or nullptr when it names no indicator.
    pokazatel *item() const;
    const razdel *section() const;
    // Stores value into the indicator the cursor names, if it names one, through the document.
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

    IndicatorDocument &m_document;
    IndicatorModel &m_model;
};
