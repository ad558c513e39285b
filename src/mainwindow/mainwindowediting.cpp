// The main window's editing commands over the grid: undo and redo, Delete, copy, cut, paste,
// select all and find.

#include "findbar.h"
#include "mainwindow.h"

#include "indicators/document.h"
#include "indicators/encoding.h"
#include "indicators/finder.h"
#include "indicators/model.h"
#include "indicators/pastedvalues.h"
#include "platform/boxes.h"
#include "summary/csv.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QScrollBar>
#include <QShortcut>

void TForm1::addEditingKeys()
{
    const auto onKeys = [this](std::initializer_list<QKeySequence> keys, void (TForm1::*handler)(),
                               Qt::ShortcutContext context = Qt::WindowShortcut) {
        for (const QKeySequence &key : keys) {
            auto *shortcut = new QShortcut(key, context == Qt::WindowShortcut ? static_cast<QWidget *>(this) : Grid1);
            shortcut->setContext(context);
            connect(shortcut, &QShortcut::activated, this, handler);
        }
    };
    onKeys({Qt::CTRL | Qt::Key_Z}, &TForm1::undoStep);
    onKeys({Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::SHIFT | Qt::Key_Z}, &TForm1::redoStep);
    onKeys({Qt::CTRL | Qt::Key_C}, &TForm1::copyCells);
    onKeys({Qt::CTRL | Qt::Key_X}, &TForm1::cutCells);
    onKeys({Qt::CTRL | Qt::Key_V, Qt::SHIFT | Qt::Key_Insert}, &TForm1::pasteCells);
    onKeys({Qt::CTRL | Qt::Key_A}, &TForm1::selectAllCells);
    onKeys({Qt::CTRL | Qt::Key_F}, &TForm1::openFind);
    onKeys({Qt::Key_F3}, &TForm1::findNext);
    onKeys({Qt::SHIFT | Qt::Key_F3}, &TForm1::findPrevious);
    // In the grid, not in its editor, where Delete deletes a character.
    onKeys({Qt::Key_Delete}, &TForm1::clearValues, Qt::WidgetShortcut);
}

void TForm1::undoStep()
{
    // What is being typed is one step already; it closes first, so that it is the one undone.
    Grid1->setEditorMode(false);
    m_document.history().undo();
}

void TForm1::redoStep()
{
    Grid1->setEditorMode(false);
    m_document.history().redo();
}

void TForm1::clearValues()
{
    if (Grid1->editorMode())
        return;
    QList<int> indicators;
    const QRect cells = Grid1->selectedCells();
    if (cells.left() > ValueCol || cells.right() < ValueCol)
        return;
    for (int row = cells.top(); row <= cells.bottom(); ++row) {
        if (const int indicator = m_model.rows().indicatorAt(row); indicator >= 0)
            indicators.append(indicator);
    }
    m_document.setValues(indicators, QList<double>(indicators.size(), 0.0));
}

QList<QStringList> TForm1::cellTexts(const QRect &cells) const
{
    QList<QStringList> rows;
    for (int row = cells.top(); row <= cells.bottom(); ++row) {
        const QByteArray title = m_model.SectionTitleAtRow(row);
        QStringList texts;
        for (int col = cells.left(); col <= cells.right(); ++col) {
            // A section's title stands in the wording's column.
            const QString text = title.isNull() ? Grid1->cells(col, row) : col == 2 ? fromCp1251(title) : QString();
            texts << (col == ValueCol ? text : inertText(text));
        }
        rows << texts;
    }
    return rows;
}

void TForm1::copyCells()
{
    QRect cells = Grid1->selectedCells();
    if (cells.isNull())
        return;
    // The whole table comes with its header.
    if (cells.top() == 1 && cells.bottom() == Grid1->rowCount() - 1 && cells.width() == Grid1->colCount())
        cells.setTop(0);
    QApplication::clipboard()->setText(tabSeparatedText(cellTexts(cells)));
}

void TForm1::cutCells()
{
    Grid1->setEditorMode(false);
    copyCells();
    clearValues();
}

void TForm1::pasteCells()
{
    Grid1->setEditorMode(false);
    const std::variant<PastedValues, PasteRefusal> pasted =
        readPastedValues(QApplication::clipboard()->text(), m_model, m_model.rows().indicatorAt(Grid1->row()));
    if (const auto *refusal = std::get_if<PasteRefusal>(&pasted)) {
        m_boxes.warning(pasteRefusalText(*refusal));
        return;
    }
    const PastedValues &values = std::get<PastedValues>(pasted);
    m_document.setValues(values.indicators, values.values);
}

void TForm1::selectAllCells()
{
    Grid1->setEditorMode(false);
    Grid1->selectAll();
}

void TForm1::openFind()
{
    Grid1->setEditorMode(false);
    placeFindBar();
    m_findBar->open();
}

void TForm1::findNext()
{
    findStep(1);
}

void TForm1::findPrevious()
{
    findStep(-1);
}

// From the current row on, the next or previous match, the first or last one past the end.
void TForm1::findStep(int step)
{
    if (!m_findBar->isVisible())
        return;
    const QList<int> found = findIndicators(m_model, m_findBar->query());
    if (found.isEmpty()) {
        m_findBar->showOutcome(-1, 0);
        return;
    }
    const GridRow here = m_model.rows().at(Grid1->row());
    // On a section row, the next match is its section's first.
    const int current = here.kind == GridRow::Indicator ? here.indicator
                                                         : m_model.rows().indicatorIndex(qMax(here.section, 0), 0) - 1;
    qsizetype match = step > 0 ? std::upper_bound(found.cbegin(), found.cend(), current) - found.cbegin()
                               : std::lower_bound(found.cbegin(), found.cend(), current) - found.cbegin() - 1;
    match = (match + found.size()) % found.size();
    Grid1->setRow(m_model.rows().indicatorRow(found[match]));
    Grid1->setCol(ValueCol);
    m_findBar->showOutcome(int(match), int(found.size()));
}

void TForm1::placeFindBar()
{
    const QRect grid = Grid1->geometry();
    const int width = qMin(420, grid.width());
    m_findBar->setGeometry(grid.right() - width - Grid1->verticalScrollBar()->width(),
                           grid.top() + Grid1->horizontalHeader()->height() + 2, width, m_findBar->sizeHint().height());
}
