#pragma once

#include "fontwords.h"

#include <QPointF>

class QPainter;

// Paint devices that keep text as text, such as recorded pages, take it through this.
class TextKeepingDevice
{
public:
    virtual ~TextKeepingDevice() = default;
    virtual void keepText(QPainter &painter, const QPointF &baseline, const FontWords::Word &word) = 0;
};

// Whether the painter's engine takes glyphs (raster and PDF) rather than text.
bool paintsGlyphs(const QPainter &painter);

// Draws a word with its baseline starting at baseline, in the painter's pen, without a
// background box. Raster and PDF painters get its glyphs, shaped once, unless the font is
// underlined, overlined or struck out; text-keeping devices the word; other engines its text.
void drawShapedText(QPainter &painter, const QPointF &baseline, const FontWords::Word &word);
