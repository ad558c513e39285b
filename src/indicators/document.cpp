#include "document.h"

#include "datafile.h"
#include "model.h"

IndicatorDocument::IndicatorDocument(IndicatorModel &model, QObject *parent)
    : QObject(parent)
    , m_model(model)
{
}

void IndicatorDocument::setValue(int indicator, double value)
{
    if (m_model.rows().ofIndicator(indicator).kind != GridRow::Indicator)
        return;
    double &stored = m_model.indicator(indicator).Value;
    if (stored == value)
        return;
    stored = value;
    m_unsaved = true;
    emit valuesChanged({indicator});
    emit stateChanged();
}

void IndicatorDocument::setSchoolName(const QByteArray &name)
{
    if (name == m_model.SchoolName)
        return;
    m_model.SchoolName = name;
    m_unsaved = true;
    emit schoolNameChanged();
    emit stateChanged();
}

void IndicatorDocument::replaceContents(const DataFileContents &contents, bool saved)
{
    applyDataFile(contents, m_model);
    m_unsaved = !saved;
    emit contentsReplaced();
    emit stateChanged();
}

void IndicatorDocument::setSaved()
{
    m_unsaved = false;
    emit stateChanged();
}
