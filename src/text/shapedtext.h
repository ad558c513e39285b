#pragma once

#include "fontwords.h"

#include <QPointF>

class QPainter;

// Keeps words as words where a page is recorded rather than drawn.
class WordRecorder
{
public:
    virtual ~WordRecorder() = default;
    // Keeps word with its baseline starting at baseline, with the pen, transform and clip of
    // the painter's state.
    virtual void recordWord(const QPainter &painter, const QPointF &baseline, const FontWords::Word &word) = 0;
};

// Whether the painter's engine takes glyphs (raster and PDF) rather than text.
bool paintsGlyphs(const QPainter &painter);

// Draws a word with its baseline starting at baseline, in the painter's pen, without a
// background box. Raster and PDF painters get its glyphs, shaped once, unless the font is
// underlined, overlined or struck out; other engines its text.
void drawShapedText(QPainter &painter, const QPointF &baseline, const FontWords::Word &word);
