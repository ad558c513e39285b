#pragma once

#include "checks/finding.h"

#include <QDialog>

class QTableWidget;

// The list of doubtful values: section, label, wording, value and reason, a school column in
// front when the values are several schools'. Enter or a double click on a line closes the list
// with that line chosen.
class FindingsList : public QDialog
{
    Q_OBJECT

public:
    FindingsList(const QList<FindingRow> &rows, bool withSchools, QWidget *parent = nullptr);

    // The line chosen, or -1 when the list was closed without one.
    int chosenRow() const { return m_chosen; }

    QTableWidget *table = nullptr;

private:
    int m_chosen = -1;
};
