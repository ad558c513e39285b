// The main window's indicator grid: filling, widths, row heights, cell drawing, hints and value
// editing.

#include "celltext.h"
#include "mainwindow.h"

#include "core/errors.h"
#include "indicators/document.h"
#include "indicators/encoding.h"
#include "indicators/model.h"
#include "indicators/numbertext.h"
#include "platform/balloons.h"
#include "platform/boxes.h"
#include "platform/canvas.h"
#include "text/textmetrics.h"

#include <QScopedValueRollback>

namespace {

// A value that breaks a check stands out; the current cell keeps the selection's colours.
const QColor DoubtfulBackground(255, 214, 214);
const QColor DoubtfulText(150, 0, 0);

const QStringList HeaderTexts = {
    QStringLiteral("№ п/п"),       QStringLiteral("Позн. показн."),      QStringLiteral("Вхідні дані"),
    QStringLiteral("Стат."),       QStringLiteral("Аналіт."),            QStringLiteral("Джерело інформації"),
    QStringLiteral("Цифрові дані"), QStringLiteral("Одиниця вимірювання"),
};
constexpr int FillWidths[] = {24, 44, 400, 40, 45, 280, 70, 70};

constexpr QStringView EmptyValueNotice = u"Порожнє значення не записано; щоб очистити, натисніть Delete";

// Whether a cell's text shows the value held ("12," shows 12).
bool readsAs(const QString &text, double held)
{
    double value = 0;
    return tryNumberFromText(text, value) && value == held;
}

QStringList indicatorTexts(int number, const pokazatel &item)
{
    return {
        QString::number(number),
        fromCp1251(item.Code),
        fromCp1251(item.Name),
        item.Kind == "C" ? QStringLiteral("C") : QString(),
        item.Kind == "A" ? QStringLiteral("A") : QString(),
        fromCp1251(item.Source),
        numberText(item.Value),
        fromCp1251(item.Measure),
    };
}

} // namespace

void TForm1::FillGrid()
{
    fillCells();
    updateRowHeights();
}

void TForm1::fillCells()
{
    const RowMap &rows = m_model.rows();
    Grid1->setColCount(8);
    Grid1->setRowCount(rows.gridRowCount());
    for (int col = 0; col < 8; ++col)
        Grid1->setColWidths(col, FillWidths[col]);
    Grid1->setRowTexts(0, HeaderTexts);
    for (int section = 0; section < rows.sectionCount(); ++section)
        Grid1->setRowTexts(rows.sectionRow(section), {});
    forEachIndicator(m_model.Catalog, [&](int indicator, const pokazatel &item) {
        Grid1->setRowTexts(rows.indicatorRow(indicator), indicatorTexts(indicator + 1, item));
    });
}

// A section row's cells are empty: its title is only painted over them. It is told once, in the
// column of the indicators' wordings, since a screen reader reads a row cell by cell.
QString TForm1::cellSpeech(int col, int row) const
{
    return col == 2 && m_model.rows().at(row).kind == GridRow::Section ? fromCp1251(m_model.SectionTitleAtRow(row))
                                                                       : QString();
}

// "5 Кількість учнів, Цифрові дані": the indicator's number and wording, and the column's header.
QString TForm1::editorSpeech(int col, int row) const
{
    return Grid1->cells(0, row) + u' ' + Grid1->cells(2, row) + QStringLiteral(", ") + Grid1->cells(col, 0);
}

void TForm1::RefreshValues()
{
    const RowMap &rows = m_model.rows();
    forEachIndicator(m_model.Catalog,
                     [&](int indicator, const pokazatel &item) { showValueAt(rows.indicatorRow(indicator), item.Value); });
}

void TForm1::showValues(const QList<int> &indicators)
{
    for (const int indicator : indicators) {
        const int row = m_model.rows().indicatorRow(indicator);
        // The cell typed in shows what was typed ("12," for 12).
        if (row != m_typedRow)
            showValueAt(row, m_model.indicator(indicator).Value);
    }
}

void TForm1::showValueAt(int row, double value)
{
    const QString text = numberText(value);
    if (Grid1->cells(ValueCol, row) != text) {
        Grid1->setCells(ValueCol, row, text);
        updateRowHeight(row);
    }
}

void TForm1::FormResize()
{
    if (applyWidthRule())
        updateRowHeights();
}

bool TForm1::applyWidthRule()
{
    if (Grid1->colCount() < 8)
        return false;
    const int G = Grid1->width();
    int S = 0;
    for (int col : {0, 1, 3, 4, 6, 7})
        S += Grid1->colWidths(col);
    const int width = (G - S - 33) / 2;
    if (width < 0 || (Grid1->colWidths(2) == width && Grid1->colWidths(5) == width))
        return false;
    Grid1->setColWidths(2, width);
    Grid1->setColWidths(5, width);
    Grid1->viewport()->update();
    return true;
}

int TForm1::Grid1RowHeight(int row) const
{
    const TextMetrics metrics(Grid1->words(), Grid1->font(), Grid1->viewport());
    if (Grid1->cells(2, row).isEmpty())
        return MeasureCellText(metrics, fromCp1251(m_model.SectionTitleAtRow(row)), sectionBandWidth(*Grid1));
    int h = -999;
    for (int k = 0; k < Grid1->colCount(); ++k) {
        const int limit = Grid1->colWidths(k);
        h = qMax(h, row > 0 && k == ValueCol ? MeasureValueText(metrics, Grid1->cells(k, row), limit)
                                             : MeasureCellText(metrics, Grid1->cells(k, row), limit));
    }
    return h;
}

void TForm1::updateRowHeights()
{
    const int rows = Grid1->rowCount();
    QList<int> heights;
    heights.reserve(rows);
    for (int row = 0; row < rows; ++row)
        heights.append(Grid1RowHeight(row));
    Grid1->setRowHeights(0, heights);
}

void TForm1::updateRowHeight(int row)
{
    Grid1->setRowHeights(row, Grid1RowHeight(row));
}

void TForm1::Grid1DrawCell(Canvas &canvas, int ACol, int ARow, const QRect &Rect)
{
    if (Grid1->cells(2, ARow).isEmpty()) {
        DrawSectionBand(canvas, *Grid1, fromCp1251(m_model.SectionTitleAtRow(ARow)), ARow);
        return;
    }
    if (ACol == ValueCol && m_checks.isDoubtful(m_model.rows().indicatorAt(ARow))
        && !(ARow == Grid1->row() && ACol == Grid1->col())) {
        canvas.setBrushColor(DoubtfulBackground);
        canvas.setFontColor(DoubtfulText);
    }
    canvas.fillRect(Rect);
    if (ARow > 0 && ACol == ValueCol)
        DrawValueText(canvas, Grid1->cells(ACol, ARow), Rect);
    else
        DrawCellText(canvas, Grid1->cells(ACol, ARow), ARow == 0 ? u"center" : u"left", Rect);
}

void TForm1::Grid1MouseMove(const QPoint &pos)
{
    const QPoint cell = Grid1->mouseCoord(pos);
    if (cell.x() < 0 || cell.y() < 0)
        return;
    if (cell.y() == HintRow && cell.x() == HintCol)
        return;
    HintRow = cell.y();
    HintCol = cell.x();
    Grid1->setHint(cellHint(HintCol, HintRow));
}

bool TForm1::isValueRow(int row) const
{
    return !Grid1->cells(0, row).isEmpty();
}

void TForm1::Grid1Click()
{
    Grid1->setEditing(Grid1->col() == ValueCol && isValueRow(Grid1->row()));
}

void TForm1::Grid1KeyPress(QChar &Key)
{
    if (!Grid1->editing())
        return;
    if (Key == QLatin1Char('\r')) {
        moveDownOverSection();
        return;
    }
    // Escape is no character of a value: it cancels the edit under way, if any.
    if (Key == QChar(27)) {
        Key = QChar();
        if (Grid1->editorMode())
            cancelValueEdit();
        return;
    }
    const char16_t admitted = filterNumberKey(Key.unicode(), Grid1->cells(Grid1->col(), Grid1->row()));
    if (admitted == 0) {
        Key = QChar();
        m_boxes.beep();
        m_keyNotice->show(RefusedKeyNotice.toString(), Grid1->viewport(), Grid1->cellRect(Grid1->col(), Grid1->row()));
        return;
    }
    Key = QChar(admitted);
}

// Enter goes to the next row, and one further when that is a section row. Below a trailing
// section row there is no row to go to, and Enter stays on it.
void TForm1::moveDownOverSection()
{
    if (Grid1->row() < Grid1->rowCount() - 1)
        Grid1->setRow(Grid1->row() + 1);
    stepOverSectionRow(1);
}

// From a section row, one row further by step (1 down, -1 up) when there is a row there below
// the header.
void TForm1::stepOverSectionRow(int step)
{
    const int target = Grid1->row() + step;
    if (!isValueRow(Grid1->row()) && target >= 1 && target < Grid1->rowCount())
        Grid1->setRow(target);
}

// The arrow has already moved the current cell; in the value column one that lands on a section
// row goes on to the row beyond it (row 1, with only the header above, is not left upward).
void TForm1::Grid1KeyUp(int Key)
{
    if (Grid1->col() != ValueCol)
        return;
    if (Key == Qt::Key_Up)
        stepOverSectionRow(-1);
    else if (Key == Qt::Key_Down)
        stepOverSectionRow(1);
}

void TForm1::Grid1SetEditText(int ACol, int ARow, const QString &Value)
{
    updateRowHeight(ARow);
    // Only a value is ever stored from an editor, whatever cell it stood on.
    if (Value.isEmpty() || ACol != ValueCol)
        return;
    run([&] { SetValueAtRow(ARow, numberFromText(Value)); });
}

void TForm1::SetValueAtRow(int Row, double Value)
{
    const QScopedValueRollback typed(m_typedRow, Row);
    m_document.setValue(m_model.rows().indicatorAt(Row), Value, m_edit);
}

void TForm1::Grid1EditorOpened(int ACol, int ARow)
{
    const int indicator = m_model.rows().indicatorAt(ARow);
    if (ACol != ValueCol || indicator < 0)
        return;
    ++m_edit;
    m_editStart = m_model.indicator(indicator).Value;
}

void TForm1::Grid1EditorClosed(int ACol, int ARow, const QString &Value)
{
    const int indicator = m_model.rows().indicatorAt(ARow);
    if (ACol != ValueCol || indicator < 0)
        return;
    const double held = m_model.indicator(indicator).Value;
    if (Value.isEmpty())
        m_keyNotice->show(EmptyValueNotice.toString(), Grid1->viewport(), Grid1->cellRect(ACol, ARow));
    else if (readsAs(Value, held))
        return;
    showValueAt(ARow, held);
}

void TForm1::cancelValueEdit()
{
    const int row = Grid1->row();
    Grid1->cancelEditor();
    m_document.setValue(m_model.rows().indicatorAt(row), m_editStart, m_edit);
    showValueAt(row, m_editStart);
}

void TForm1::showValueCell(int row)
{
    Grid1->setRow(row);
    Grid1->setCol(ValueCol);
    Grid1->setFocus();
}
