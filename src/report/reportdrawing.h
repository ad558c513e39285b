#pragma once

#include "platform/canvas.h"

#include <QString>
#include <QStringList>

#include <array>

// Drawing of the report's eight-column table on a page canvas, in paper units.

inline constexpr std::array<int, 8> ColumnWidths = {110, 150, 940, 100, 100, 800, 250, 200};

// The edges of a table whose left edge is at left: edge k is where column k begins, the last
// one where the table ends.
constexpr std::array<int, ColumnWidths.size() + 1> columnEdges(int left)
{
    std::array<int, ColumnWidths.size() + 1> edges{left};
    for (size_t k = 0; k < ColumnWidths.size(); ++k)
        edges[k + 1] = edges[k] + ColumnWidths[k];
    return edges;
}

inline constexpr int TableWidth = columnEdges(0).back();
// The form's table is this wide: a column made wider must be paid for by another.
static_assert(TableWidth == 2650, "the columns no longer add up to the form's width");

// A table's columns: their widths, which of them centre their text, and which draw a text too
// wide for one line in a smaller size of the font (never below SmallestFittedSize points) before
// they wrap it.
struct TableColumns
{
    std::array<int, 8> widths;
    std::array<bool, 8> centred;
    std::array<bool, 8> shrinking{};

    constexpr int width() const
    {
        int sum = 0;
        for (const int w : widths)
            sum += w;
        return sum;
    }
};

inline constexpr int SmallestFittedSize = 6;

// The values are never cut: a long one is drawn smaller.
inline constexpr TableColumns ReportColumns{ColumnWidths,
                                            {true, true, false, true, true, false, false, true},
                                            {false, false, false, false, false, false, true, false}};

struct Inset
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

using RowCells = std::array<QString, 8>;
// The first eight texts as a row's cells, empty ones for texts missing.
RowCells rowCellsOf(const QStringList &texts);

int MeasureWrappedText(const Canvas &canvas, const QString &text, int limit);
int DrawWrappedText(Canvas &canvas, const QString &text, const QString &alignment, int left, int top, int right);

int MeasureTableRow(const Canvas &canvas, const TableColumns &columns, const Inset &inset, const RowCells &cells,
                    int minHeight);
// Each cell is outlined so that neighbours and the next row share their border lines; the
// centred columns are centred, the others take alignment. Gives the row's height.
int DrawTableRow(Canvas &canvas, const TableColumns &columns, int x, int y, const Inset &inset, bool centreVertically,
                 const QString &alignment, const RowCells &cells, int minHeight);
// The report's own columns: 0, 1, 3, 4 and 7 centred.
inline int MeasureTableRow(const Canvas &canvas, const Inset &inset, const RowCells &cells, int minHeight)
{
    return MeasureTableRow(canvas, ReportColumns, inset, cells, minHeight);
}
inline int DrawTableRow(Canvas &canvas, int x, int y, const Inset &inset, bool centreVertically,
                        const QString &alignment, const RowCells &cells, int minHeight)
{
    return DrawTableRow(canvas, ReportColumns, x, y, inset, centreVertically, alignment, cells, minHeight);
}

// One cell across a table of the given width, the report's table by default.
int MeasureSpanRow(const Canvas &canvas, const Inset &inset, const QString &text, int minHeight,
                   int width = TableWidth);
int DrawSpanRow(Canvas &canvas, int x, int y, const Inset &inset, bool centreVertically, const QString &alignment,
                const QString &text, int minHeight, int width = TableWidth);

// The same font turned counter-clockwise by angle degrees; angle 0 gives the upright font.
FontHandle CreateRotatedFont(const FontHandle &font, int angle);

// The grey band at the foot of a page: the system mark centred, "Сторінка №" with the page's
// number (finishedPages + 1) ending 50 units left of the band's right edge.
void DrawPageFooter(Canvas &canvas, int left, int top, int right, int finishedPages);
