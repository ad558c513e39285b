#include "document.h"

#include "datafile.h"
#include "model.h"

#include <QUndoCommand>

// The values of some indicators before and after a step.
class ValuesStep : public QUndoCommand
{
public:
    ValuesStep(IndicatorDocument &document, QList<int> indicators, QList<double> after, int edit)
        : m_document(document)
        , m_indicators(std::move(indicators))
        , m_after(std::move(after))
        , m_edit(edit)
    {
        m_before.reserve(m_indicators.size());
        for (const int indicator : m_indicators)
            m_before.append(document.model().indicator(indicator).Value);
        // A step that changes nothing is not kept, unless an edit's earlier step takes it in.
        setObsolete(m_after == m_before);
    }

    void redo() override { m_document.store(m_indicators, m_after); }
    void undo() override { m_document.store(m_indicators, m_before); }

    // Steps of one edit merge; -1 keeps every other step apart.
    int id() const override { return m_edit != 0 ? 1 : -1; }
    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *next = static_cast<const ValuesStep *>(other);
        if (next->m_edit != m_edit || next->m_indicators != m_indicators)
            return false;
        m_after = next->m_after;
        // An edit that ends where it began leaves no step.
        setObsolete(m_after == m_before);
        return true;
    }

private:
    IndicatorDocument &m_document;
    QList<int> m_indicators;
    QList<double> m_before;
    QList<double> m_after;
    int m_edit;
};

class SchoolNameStep : public QUndoCommand
{
public:
    SchoolNameStep(IndicatorDocument &document, QByteArray after)
        : m_document(document)
        , m_before(document.model().SchoolName)
        , m_after(std::move(after))
    {
    }

    void redo() override { m_document.storeSchoolName(m_after); }
    void undo() override { m_document.storeSchoolName(m_before); }

private:
    IndicatorDocument &m_document;
    QByteArray m_before;
    QByteArray m_after;
};

IndicatorDocument::IndicatorDocument(IndicatorModel &model, QObject *parent)
    : QObject(parent)
    , m_model(model)
{
    connect(&m_history, &QUndoStack::indexChanged, this, &IndicatorDocument::stateChanged);
    connect(&m_history, &QUndoStack::cleanChanged, this, &IndicatorDocument::stateChanged);
}

void IndicatorDocument::setValue(int indicator, double value, int edit)
{
    if (m_model.rows().ofIndicator(indicator).kind != GridRow::Indicator)
        return;
    const double before = m_model.indicator(indicator).Value;
    if (before == value && edit == 0)
        return;
    m_history.push(new ValuesStep(*this, {indicator}, {value}, edit));
}

void IndicatorDocument::setValues(const QList<int> &indicators, const QList<double> &values)
{
    QList<int> changed;
    QList<double> after;
    for (qsizetype k = 0; k < indicators.size(); ++k) {
        if (m_model.rows().ofIndicator(indicators[k]).kind == GridRow::Indicator
            && m_model.indicator(indicators[k]).Value != values[k]) {
            changed.append(indicators[k]);
            after.append(values[k]);
        }
    }
    if (!changed.isEmpty())
        m_history.push(new ValuesStep(*this, std::move(changed), std::move(after), 0));
}

void IndicatorDocument::setSchoolName(const QByteArray &name)
{
    if (name != m_model.SchoolName)
        m_history.push(new SchoolNameStep(*this, name));
}

void IndicatorDocument::replaceContents(const DataFileContents &contents, bool saved)
{
    applyDataFile(contents, m_model);
    m_history.clear();
    if (!saved)
        m_history.resetClean();
    emit contentsReplaced();
    emit stateChanged();
}

void IndicatorDocument::setSaved()
{
    m_history.setClean();
    emit stateChanged();
}

void IndicatorDocument::store(const QList<int> &indicators, const QList<double> &values)
{
    for (qsizetype k = 0; k < indicators.size(); ++k)
        m_model.indicator(indicators[k]).Value = values[k];
    emit valuesChanged(indicators);
}

void IndicatorDocument::storeSchoolName(const QByteArray &name)
{
    m_model.SchoolName = name;
    emit schoolNameChanged();
}
