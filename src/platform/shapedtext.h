#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

class QPainter;

// Text put out many times over, as the grid and the report do with the same words, is shaped
// once per font and resolution and drawn from its glyphs afterwards.

// Paint devices that keep text as text, such as recorded pages, take it through this.
class TextKeepingDevice
{
public:
    virtual ~TextKeepingDevice() = default;
    virtual void keepText(QPainter &painter, const QPointF &baseline, const QString &text, const QFont &font,
                          int dpi) = 0;
};

struct ShapedText
{
    QList<QGlyphRun> runs; // positioned with the baseline at y = 0
    QRectF ink;            // what the glyphs and their decorations cover, from the same origin
};

// The glyphs of text in font as laid out for a device of dpi dots per inch; remembered.
const ShapedText &shapedText(const QString &text, const QFont &font, int dpi);

// Whether the painter's engine takes glyphs (raster and PDF) rather than text.
bool paintsGlyphs(const QPainter &painter);

// Draws text with its baseline starting at baseline, in the painter's pen, without a
// background box, as laid out for a device of dpi dots per inch. Raster and PDF painters get the
// remembered glyphs; text-keeping devices the text; other engines the text to shape themselves.
void drawShapedText(QPainter &painter, const QPointF &baseline, const QString &text, const QFont &font, int dpi);
