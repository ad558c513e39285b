#include "canvas.h"

#include "core/muldiv.h"

#include <QPainter>

Canvas::Canvas(QPainter &painter, int pixelsPerInch, WordCache &words, WordRecorder *recorder)
    : m_painter(painter)
    , m_ppi(pixelsPerInch)
    , m_words(words)
    , m_recorder(recorder)
    , m_font(painter.font())
    , m_fontColor(painter.pen().color())
{
}

void Canvas::setFont(const QFont &font)
{
    if (font.pixelSize() != m_font.pixelSize())
        m_fontSize = 0;
    m_font = font;
    m_metrics.reset();
}

void Canvas::setFontHandle(const FontHandle &handle)
{
    setFont(handle.font);
    m_escapement = handle.escapement;
}

void Canvas::setFontName(const QString &face)
{
    m_font.setFamily(face);
#ifdef _WIN32
    // The light hinting that Linux's font configuration asks for, so that FreeType gives the
    // same widths and a report breaks its lines and pages alike on both systems.
    m_font.setHintingPreference(QFont::PreferVerticalHinting);
#endif
    m_metrics.reset();
}

void Canvas::setFontSize(int points)
{
    m_font.setPixelSize(sizeInUnits(points));
    m_fontSize = points;
    m_metrics.reset();
}

void Canvas::setFontStyle(bool bold, bool italic, bool underline)
{
    m_font.setBold(bold);
    m_font.setItalic(italic);
    m_font.setUnderline(underline);
    m_metrics.reset();
}

void Canvas::setBrushColor(const QColor &color)
{
    m_brush = QBrush(color);
}

const TextMetrics &Canvas::metrics() const
{
    if (!m_metrics)
        m_metrics.emplace(m_words, m_font, m_painter.device());
    return *m_metrics;
}

TextMetrics Canvas::metricsAtSize(int points) const
{
    QFont font = m_font;
    font.setPixelSize(sizeInUnits(points));
    return TextMetrics(m_words, font, m_painter.device());
}

int Canvas::sizeInUnits(int points) const
{
    return qMax(1, MulDiv(points, m_ppi, 72));
}

void Canvas::textOut(int x, int y, QStringView text)
{
    const TextMetrics &m = metrics();
    const FontWords::Word &word = m.word(text);
    const int w = word.width;
    const int h = m.height();
    // Recorded pages keep every state change: the painter is touched only where it differs.
    if (m_painter.pen().color() != m_fontColor || m_painter.pen().style() != Qt::SolidLine)
        m_painter.setPen(m_fontColor);
    // The box behind the text is the brush's alone: the text itself never paints a background.
    if (m_escapement == 0) {
        if (m_brush.style() != Qt::NoBrush)
            m_painter.fillRect(QRect(x, y, w, h), m_brush);
        putWord(QPointF(x, y + m.fontMetrics().ascent()), word);
        return;
    }
    m_painter.save();
    m_painter.translate(x, y);
    m_painter.rotate(-m_escapement);
    if (m_brush.style() != Qt::NoBrush)
        m_painter.fillRect(QRect(0, 0, w, h), m_brush);
    putWord(QPointF(0, m.fontMetrics().ascent()), word);
    m_painter.restore();
}

void Canvas::putWord(const QPointF &baseline, const FontWords::Word &word)
{
    const FontWords::Word *shown = &word;
    QPointF start = baseline;
    if (FontWords::isLong(word)) {
        // Only what falls on the device is kept or drawn: a long word may run far past the page.
        const QPaintDevice *device = m_painter.device();
        const QRectF visible = m_painter.combinedTransform().inverted().mapRect(
            QRectF(0, 0, device->width(), device->height()));
        FontWords &words = m_words.of(word.owner->font(), word.owner->dpi());
        const FontWords::Part part =
            words.visiblePart(word, visible.left() - baseline.x(), visible.right() - baseline.x());
        if (!part.word)
            return;
        shown = part.word;
        start += QPointF(part.offset, 0);
    }
    if (m_recorder)
        m_recorder->recordWord(m_painter, start, *shown);
    else
        drawShapedText(m_painter, start, *shown);
}

void Canvas::rectangle(int left, int top, int right, int bottom)
{
    const int w = right - left;
    const int h = bottom - top;
    if (w <= 0 || h <= 0)
        return;
    const qreal pw = qMax(1, m_pen.width());
    if (m_pen.style() == Qt::NoPen || w <= pw || h <= pw) {
        if (m_brush.style() != Qt::NoBrush)
            m_painter.fillRect(QRect(left, top, w, h), m_brush);
        if (m_pen.style() == Qt::NoPen)
            return;
    }
    // The outline lies inside the covered area: its last column is right - 1 and its last row
    // bottom - 1, whatever the pen width; the fill inside it and the outline are one call. The
    // painter keeps this pen, which text of the same colour can use as it is.
    QPen outline = m_pen;
    outline.setWidthF(pw);
    outline.setJoinStyle(Qt::MiterJoin);
    if (m_painter.pen() != outline)
        m_painter.setPen(outline);
    const QBrush fill = w <= pw || h <= pw ? QBrush(Qt::NoBrush) : m_brush;
    if (m_painter.brush() != fill)
        m_painter.setBrush(fill);
    m_painter.drawRect(QRectF(left + pw / 2, top + pw / 2, qMax<qreal>(0, w - pw), qMax<qreal>(0, h - pw)));
}

void Canvas::fillRect(const QRect &rect)
{
    m_painter.fillRect(rect, m_brush);
}
