#include "celltext.h"

#include "platform/canvas.h"
#include "platform/skin.h"
#include "platform/stringgrid.h"
#include "platform/wordwrap.h"
#include "text/textmetrics.h"

int DrawCellText(Canvas &canvas, const QString &text, QStringView alignment, const QRect &box)
{
    return drawWrappedText(canvas, text, alignmentFromWord(alignment), box.left(), box.top(),
                           box.left() + box.width(), CellTextInset);
}

int MeasureCellText(const TextMetrics &metrics, QStringView text, int limit)
{
    return measureWrappedText(metrics, text, limit);
}

namespace {

// The text in pieces that each stay on one line within limit by the wrap rule; a piece holds at
// least one character.
QList<QStringView> valueLines(const TextMetrics &metrics, QStringView text, int limit)
{
    QList<QStringView> lines;
    while (unbrokenLimit(metrics, text) > limit) {
        qsizetype length = 1;
        while (length < text.size() && unbrokenLimit(metrics, text.first(length + 1)) <= limit)
            ++length;
        if (length < text.size() && text[length].isLowSurrogate())
            ++length;
        lines.append(text.first(length));
        text = text.sliced(length);
        if (text.isEmpty())
            return lines;
    }
    lines.append(text);
    return lines;
}

} // namespace

int DrawValueText(Canvas &canvas, const QString &text, const QRect &box)
{
    const TextMetrics &metrics = canvas.metrics();
    const QList<QStringView> lines = valueLines(metrics, text, box.width());
    if (lines.size() == 1)
        return DrawCellText(canvas, text, u"left", box);
    for (qsizetype i = 0; i < lines.size(); ++i)
        canvas.textOut(box.left() + CellTextInset, box.top() + int(i) * metrics.height() + 1, lines[i]);
    return int(lines.size()) * metrics.height() + 2;
}

int MeasureValueText(const TextMetrics &metrics, QStringView text, int limit)
{
    const QList<QStringView> lines = valueLines(metrics, text, limit);
    return lines.size() == 1 ? MeasureCellText(metrics, text, limit) : int(lines.size()) * metrics.height() + 2;
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
