#pragma once

#include "findingsfile.h"

#include <QDialog>

class QTableWidget;
class StandardBoxes;

// The list of doubtful values: section, label, wording, value and reason, a school column in
// front before a summary. Reviewing the window's own values, Enter or a double click on a line
// closes the list with that line chosen; before a summary its buttons go on with the summary
// (accepted) or cancel it. Either way the list can be saved as PDF or as a table.
class FindingsList : public QDialog
{
    Q_OBJECT

public:
    enum Purpose { Review, BeforeSummary };

    FindingsList(const FindingsDocument &document, Purpose purpose, StandardBoxes &boxes, QWidget *parent = nullptr);

    // The line chosen, or -1 when the list was closed without one.
    int chosenRow() const { return m_chosen; }

    QTableWidget *table = nullptr;

private:
    void savePdf();
    void saveTable();

    const FindingsDocument m_document;
    StandardBoxes &m_boxes;
    int m_chosen = -1;
};
