#include "shapedtext.h"

#include "fontcache.h"

#include <QHash>
#include <QPaintEngine>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>


namespace {

// A resolution-independent stand-in device for the layout: only its resolution matters.
class ResolutionDevice : public QPaintDevice
{
public:
    explicit ResolutionDevice(int dpi) : m_dpi(dpi) {}
    QPaintEngine *paintEngine() const override { return nullptr; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return m_dpi;
        default:
            return QPaintDevice::metric(metric);
        }
    }

private:
    int m_dpi;
};

ShapedText shape(const QString &text, const QFont &font, int dpi)
{
    const ResolutionDevice device(dpi);
    QTextLayout layout(text, font, &device);
    layout.setCacheEnabled(true);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    ShapedText shaped;
    if (!line.isValid())
        return shaped;
    const qreal ascent = line.ascent();
    for (QGlyphRun run : layout.glyphRuns()) {
        QList<QPointF> positions = run.positions();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QRawFont font = run.rawFont();
        for (qsizetype i = 0; i < positions.size(); ++i) {
            positions[i].ry() -= ascent;
            if (i < glyphs.size())
                shaped.ink |= font.boundingRect(glyphs[i]).translated(positions[i]);
        }
        run.setPositions(positions);
        shaped.runs.append(run);
    }
    if (font.underline() || font.overline() || font.strikeOut())
        shaped.ink |= QRectF(0, -ascent, line.naturalTextWidth(), line.height());
    return shaped;
}

} // namespace

const ShapedText &shapedText(const QString &text, const QFont &font, int dpi)
{
    auto &cache = fontCache<QHash<QString, ShapedText>>(font, dpi);
    auto it = cache.find(text);
    if (it == cache.end())
        it = cache.insert(text, shape(text, font, dpi));
    return *it;
}

bool paintsGlyphs(const QPainter &painter)
{
    const QPaintEngine *engine = painter.paintEngine();
    return engine && (engine->type() == QPaintEngine::Raster || engine->type() == QPaintEngine::Pdf);
}

void drawShapedText(QPainter &painter, const QPointF &baseline, const QString &text, const QFont &font, int dpi)
{
    if (text.isEmpty())
        return;
    if (auto *keeper = dynamic_cast<TextKeepingDevice *>(painter.device())) {
        keeper->keepText(painter, baseline, text, font, dpi);
        return;
    }
    if (paintsGlyphs(painter)) {
        for (const QGlyphRun &run : shapedText(text, font, dpi).runs)
            painter.drawGlyphRun(baseline, run);
        return;
    }
    // A point size means dpi's pixels; the device may count others.
    QFont deviceFont = font;
    const int deviceDpi = painter.device()->logicalDpiY();
    if (font.pixelSize() <= 0 && deviceDpi > 0 && deviceDpi != dpi)
        deviceFont.setPointSizeF(font.pointSizeF() * dpi / deviceDpi);
    const Qt::BGMode mode = painter.backgroundMode();
    const QFont previous = painter.font();
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setFont(deviceFont);
    painter.drawText(baseline, text);
    painter.setFont(previous);
    painter.setBackgroundMode(mode);
}
