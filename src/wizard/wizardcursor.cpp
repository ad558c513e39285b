#include "wizardcursor.h"

bool WizardCursor::anyIndicator() const
{
    return m_model.indicatorCount() > 0;
}

const razdel *WizardCursor::section() const
{
    const int s = m_model.WizardSection;
    return s >= 0 && s < m_model.Catalog.size() ? &m_model.Catalog[s] : nullptr;
}

pokazatel *WizardCursor::item() const
{
    const razdel *current = section();
    const int i = m_model.WizardItem;
    if (!current || i < 0 || i >= current->Items.size())
        return nullptr;
    return &m_model.Catalog[m_model.WizardSection].Items[i];
}

void WizardCursor::storeValue(double value)
{
    if (item())
        m_document.setValue(m_model.rows().indicatorIndex(m_model.WizardSection, m_model.WizardItem), value);
}

bool WizardCursor::settle()
{
    return item() || firstItemFrom(0);
}

bool WizardCursor::forward()
{
    if (!item())
        return false;
    if (m_model.WizardItem + 1 < section()->Items.size()) {
        ++m_model.WizardItem;
        return true;
    }
    return firstItemFrom(m_model.WizardSection + 1);
}

bool WizardCursor::firstItemFrom(int s)
{
    for (; s < m_model.Catalog.size(); ++s) {
        if (!m_model.Catalog[s].Items.isEmpty()) {
            m_model.WizardSection = s;
            m_model.WizardItem = 0;
            return true;
        }
    }
    return false;
}

bool WizardCursor::back()
{
    if (!item())
        return false;
    if (m_model.WizardItem > 0) {
        --m_model.WizardItem;
        return true;
    }
    for (int s = m_model.WizardSection - 1; s >= 0; --s) {
        if (!m_model.Catalog[s].Items.isEmpty()) {
            m_model.WizardSection = s;
            m_model.WizardItem = int(m_model.Catalog[s].Items.size()) - 1;
            return true;
        }
    }
    return false;
}
