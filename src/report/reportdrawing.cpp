#include "reportdrawing.h"

#include "platform/wordwrap.h"

namespace {

constexpr int TextInset = 1;

int textLimit(const TableColumns &columns, size_t k, const Inset &inset)
{
    return columns.widths[k] - inset.left - inset.right;
}

// The size cell k is drawn in: the canvas font's own unless the column shrinks its texts.
int cellFontSize(const Canvas &canvas, const TableColumns &columns, const Inset &inset, const RowCells &cells, size_t k)
{
    if (!columns.shrinking[k])
        return canvas.fontSize();
    return fittingFontSize(canvas, cells[k], textLimit(columns, k, inset), SmallestFittedSize);
}

std::array<int, 8> cellHeights(const Canvas &canvas, const TableColumns &columns, const Inset &inset,
                               const RowCells &cells)
{
    std::array<int, 8> heights{};
    for (size_t k = 0; k < cells.size(); ++k) {
        const int size = cellFontSize(canvas, columns, inset, cells, k);
        const int limit = textLimit(columns, k, inset);
        heights[k] = size == canvas.fontSize() ? MeasureWrappedText(canvas, cells[k], limit)
                                               : measureWrappedText(canvas.metricsAtSize(size), cells[k], limit);
    }
    return heights;
}

int rowHeight(const std::array<int, 8> &heights, const Inset &inset, int minHeight)
{
    int height = 0;
    for (const int h : heights)
        height = qMax(height, h + inset.top + inset.bottom);
    return qMax(height, minHeight);
}

} // namespace

RowCells rowCellsOf(const QStringList &texts)
{
    RowCells cells;
    for (size_t k = 0; k < cells.size(); ++k)
        cells[k] = texts.value(qsizetype(k));
    return cells;
}

int MeasureWrappedText(const Canvas &canvas, const QString &text, int limit)
{
    return measureWrappedText(canvas.metrics(), text, limit);
}

int DrawWrappedText(Canvas &canvas, const QString &text, const QString &alignment, int left, int top, int right)
{
    return drawWrappedText(canvas, text, alignmentFromWord(alignment), left, top, right, TextInset);
}

int MeasureTableRow(const Canvas &canvas, const TableColumns &columns, const Inset &inset, const RowCells &cells,
                    int minHeight)
{
    return rowHeight(cellHeights(canvas, columns, inset, cells), inset, minHeight);
}

int DrawTableRow(Canvas &canvas, const TableColumns &columns, int x, int y, const Inset &inset, bool centreVertically,
                 const QString &alignment, const RowCells &cells, int minHeight)
{
    const std::array<int, 8> heights = cellHeights(canvas, columns, inset, cells);
    const int height = rowHeight(heights, inset, minHeight);
    for (size_t k = 0; k < cells.size(); ++k) {
        const int width = columns.widths[k];
        canvas.rectangle(x, y, x + width + 1, y + height + 1);
        const int dy = centreVertically ? height / 2 - heights[k] / 2 : inset.top;
        const int size = canvas.fontSize();
        const int cellSize = cellFontSize(canvas, columns, inset, cells, k);
        if (cellSize != size)
            canvas.setFontSize(cellSize);
        DrawWrappedText(canvas, cells[k], columns.centred[k] ? QStringLiteral("center") : alignment, x + inset.left,
                        y + dy, x + width - inset.right);
        if (cellSize != size)
            canvas.setFontSize(size);
        x += width;
    }
    return height;
}

int MeasureSpanRow(const Canvas &canvas, const Inset &inset, const QString &text, int minHeight, int width)
{
    const int height = MeasureWrappedText(canvas, text, width - inset.left - inset.right) + inset.top + inset.bottom;
    return qMax(height, minHeight);
}

int DrawSpanRow(Canvas &canvas, int x, int y, const Inset &inset, bool centreVertically, const QString &alignment,
                const QString &text, int minHeight, int width)
{
    const int height = MeasureSpanRow(canvas, inset, text, minHeight, width);
    canvas.rectangle(x, y, x + width + 1, y + height + 1);
    const int textHeight = MeasureWrappedText(canvas, text, width - inset.left - inset.right);
    const int dy = centreVertically ? height / 2 - textHeight / 2 : inset.top;
    DrawWrappedText(canvas, text, alignment, x + inset.left, y + dy + 1, x + width - inset.right);
    return height;
}

FontHandle CreateRotatedFont(const FontHandle &font, int angle)
{
    return {font.font, angle};
}

void DrawPageFooter(Canvas &canvas, int left, int top, int right, int finishedPages)
{
    canvas.setFontName(QStringLiteral("Times New Roman"));
    canvas.setFontSize(28);
    canvas.setFontStyle(true, true, false);
    canvas.setFontColor(QColor(128, 128, 128));
    const QString mark = QStringLiteral("АС \"Зоріс\"");
    canvas.textOut(left + (right - left) / 2 - canvas.textWidth(mark) / 2, top + 5, mark);
    const QString page = QStringLiteral("Сторінка №") + QString::number(finishedPages + 1);
    canvas.textOut(right - canvas.textWidth(page) - 50, top + 5, page);
}
