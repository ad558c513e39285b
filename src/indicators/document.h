#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>

class IndicatorModel;
struct DataFileContents;

// The one way in for changes of the model's values and school name, made by any window: each
// change is stored, marks the values unsaved when it changes anything, and is told to whoever
// listens (the caption, the recovery file, the checks, the grid, the comparison).
class IndicatorDocument : public QObject
{
    Q_OBJECT

public:
    explicit IndicatorDocument(IndicatorModel &model, QObject *parent = nullptr);

    // Its values and school name change only through the functions below; start-up fills the
    // catalogue and the first school name, and the wizard moves its cursor, in the model itself.
    IndicatorModel &model() { return m_model; }
    const IndicatorModel &model() const { return m_model; }

    // Stores the value of one indicator (an index in catalogue order; any other index changes
    // nothing).
    void setValue(int indicator, double value);
    void setSchoolName(const QByteArray &name);
    // Every value and the school name from a data file (opened: saved), from a recovery file or
    // a summary (unsaved, since they are in no file of their own yet).
    void replaceContents(const DataFileContents &contents, bool saved);

    // Whether a value or the name changed since the values were last opened or saved.
    bool unsaved() const { return m_unsaved; }
    void setSaved();

signals:
    // The values of these indicators changed.
    void valuesChanged(const QList<int> &indicators);
    void schoolNameChanged();
    // Every value and the school name may differ.
    void contentsReplaced();
    // After every change above, and when the values were saved.
    void stateChanged();

private:
    IndicatorModel &m_model;
    bool m_unsaved = false;
};
