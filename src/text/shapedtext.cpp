#include "shapedtext.h"

#include <QPaintEngine>
#include <QPainter>

bool paintsGlyphs(const QPainter &painter)
{
    const QPaintEngine *engine = painter.paintEngine();
    return engine && (engine->type() == QPaintEngine::Raster || engine->type() == QPaintEngine::Pdf);
}

void drawShapedText(QPainter &painter, const QPointF &baseline, const FontWords::Word &word)
{
    if (word.text.isEmpty())
        return;
    const QFont &font = word.owner->font();
    // Qt places the decorations of a glyph run by the run's own origin, not by the painter's
    // position: decorated text is left to the painter.
    const bool decorated = font.underline() || font.overline() || font.strikeOut();
    if (paintsGlyphs(painter) && !decorated) {
        for (const QGlyphRun &run : FontWords::shaped(word).runs)
            painter.drawGlyphRun(baseline, run);
        return;
    }
    // A point size means pixels at the word's resolution; the device may count others.
    const FontWords &words = *word.owner;
    QFont deviceFont = font;
    const int deviceDpi = painter.device()->logicalDpiY();
    if (deviceFont.pixelSize() <= 0 && words.dpi() > 0 && deviceDpi > 0 && deviceDpi != words.dpi())
        deviceFont.setPointSizeF(deviceFont.pointSizeF() * words.dpi() / deviceDpi);
    const Qt::BGMode mode = painter.backgroundMode();
    const QFont previous = painter.font();
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setFont(deviceFont);
    painter.drawText(baseline, word.text);
    painter.setFont(previous);
    painter.setBackgroundMode(mode);
}
