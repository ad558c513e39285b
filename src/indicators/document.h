#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QUndoStack>

class IndicatorModel;
struct DataFileContents;

// The one way in for changes of the model's values and school name, made by any window: each
// change is stored as a step of the history (undone and redone there), and told to whoever
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
    // nothing) as a step of its own, or, with the same edit number (not 0) as the step before,
    // as part of that step: the keystrokes of one edit of a cell are undone at once.
    void setValue(int indicator, double value, int edit = 0);
    // Several values at once, one step.
    void setValues(const QList<int> &indicators, const QList<double> &values);
    void setSchoolName(const QByteArray &name);
    // Every value and the school name from a data file (opened: saved), from a recovery file or
    // a summary (unsaved, since they are in no file of their own yet); the history starts anew.
    void replaceContents(const DataFileContents &contents, bool saved);

    QUndoStack &history() { return m_history; }
    // Whether the values or the name differ from those last opened or saved.
    bool unsaved() const { return !m_history.isClean(); }
    void setSaved();

signals:
    // The values of these indicators changed.
    void valuesChanged(const QList<int> &indicators);
    void schoolNameChanged();
    // Every value and the school name may differ.
    void contentsReplaced();
    // After every change above, its undo and redo, and when the values were saved.
    void stateChanged();

private:
    friend class ValuesStep;
    friend class SchoolNameStep;
    void store(const QList<int> &indicators, const QList<double> &values);
    void storeSchoolName(const QByteArray &name);

    IndicatorModel &m_model;
    QUndoStack m_history;
};
