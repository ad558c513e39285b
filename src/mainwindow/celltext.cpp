#include "celltext.h"

#include "platform/canvas.h"
#include "platform/skin.h"
#include "platform/stringgrid.h"
#include "platform/wordwrap.h"

int DrawCellText(Canvas &canvas, const QString &text, QStringView alignment, const QRect &box)
{
    return drawWrappedText(canvas, text, alignmentFromWord(alignment), box.left(), box.top(),
                           box.left() + box.width(), CellTextInset);
}

int MeasureCellText(const TextMetrics &metrics, QStringView text, int limit)
{
    return measureWrappedText(metrics, text, limit);
}

int sectionBandWidth(const StringGrid &grid)
{
    int total = 0;
    for (int col = 0; col < grid.colCount(); ++col)
        total += grid.colWidths(col);
    return total;
}

int DrawSectionBand(Canvas &canvas, const StringGrid &grid, const QString &title, int r)
{
    const QRect first = grid.cellRect(0, r);
    const QRect last = grid.cellRect(grid.colCount() - 1, r);
    const QRect band(QPoint(first.left(), first.top()), QPoint(last.right(), last.bottom()));
    canvas.setBrushColor(Skin::TitleBandColor);
    canvas.fillRect(band);
    // The title reads the same whichever of the row's cells is current.
    canvas.setFontColor(grid.palette().color(QPalette::Text));
    DrawCellText(canvas, title, u"center", band);
    return grid.rowHeights(r);
}
