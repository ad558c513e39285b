#pragma once

#include <QRect>
#include <QString>

class Canvas;
class StringGrid;
class TextMetrics;

// The grid's cell texts: word-wrapped by the program's one wrap rule, each word put out 3 pixels
// right of the box's left edge (plus the line's indent) and 1 below its top.
inline constexpr int CellTextInset = 3;

// Draws text wrapped into box (alignment "left", "center" or "right"); gives its height.
int DrawCellText(Canvas &canvas, const QString &text, QStringView alignment, const QRect &box);
// The height text takes when wrapped to limit.
int MeasureCellText(const TextMetrics &metrics, QStringView text, int limit);

// A value is never cut: where it is wider than its cell it is broken at characters onto as many
// lines as it needs, left-aligned; where it fits it is drawn as DrawCellText draws it.
int DrawValueText(Canvas &canvas, const QString &text, const QRect &box);
int MeasureValueText(const TextMetrics &metrics, QStringView text, int limit);

// The sum of all column widths: a section band's wrap limit.
int sectionBandWidth(const StringGrid &grid);
// Paints title as the band across the whole of row r, centred; gives the row's height.
int DrawSectionBand(Canvas &canvas, const StringGrid &grid, const QString &title, int r);
