#include "preview/recordedpage.h"
#include "preview/pagedata.h"
#include "preview/whitefills.h"
#include "text/shapedtext.h"

#include <QGlyphRun>
#include <QPaintEngine>
#include <QPainter>
#include <QRawFont>

#include <optional>

namespace {

// Words drawn one after another in the same pen and font go to the painter as one run: glyph
// engines spend most per run, not per glyph.
class GlyphBatch
{
public:
    // False when the text cannot join the batch.
    bool add(const QPen &pen, const QPointF &baseline, const ShapedText &shaped)
    {
        if (shaped.runs.size() != 1)
            return false;
        const QGlyphRun &run = shaped.runs.front();
        // Decorations run from the first glyph to the last: joined words would be underlined
        // across the gaps between them.
        if (run.underline() || run.overline() || run.strikeOut())
            return false;
        if (!m_glyphs.isEmpty() && (pen != m_pen || run.rawFont() != m_font))
            return false;
        if (m_glyphs.isEmpty()) {
            m_pen = pen;
            m_font = run.rawFont();
        }
        m_glyphs.append(run.glyphIndexes());
        for (const QPointF &position : run.positions())
            m_positions.append(position + baseline);
        return true;
    }

    void flush(QPainter &painter)
    {
        if (m_glyphs.isEmpty())
            return;
        if (painter.pen() != m_pen)
            painter.setPen(m_pen);
        QGlyphRun run;
        run.setRawFont(m_font);
        run.setGlyphIndexes(m_glyphs);
        run.setPositions(m_positions);
        painter.drawGlyphRun(QPointF(), run);
        m_glyphs.clear();
        m_positions.clear();
    }

private:
    QPen m_pen;
    QRawFont m_font;
    QList<quint32> m_glyphs;
    QList<QPointF> m_positions;
};

// Replays the calls of a page; clip operations keep within the clip the target had. Pen and
// brush reach the painter only when something is drawn with them. On white paper, opaque
// white fills that cover no ink drawn before are left out: they cannot show.
class Player
{
public:
    Player(QPainter &painter, const PageData &data, const QTransform &base, bool whitePaper)
        : m_painter(painter)
        , m_data(data)
        , m_base(base)
        , m_batching(paintsGlyphs(painter))
    {
        if (painter.hasClipping())
            m_targetClip = painter.transform().map(painter.clipPath());
        if (whitePaper)
            m_whiteFills.emplace(data.frame);
    }

    void play()
    {
        // The state a page's painter starts in.
        m_painter.setWorldTransform(m_base);
        m_painter.setBrushOrigin(QPointF());
        m_painter.setBackground(Qt::white);
        m_painter.setBackgroundMode(Qt::TransparentMode);
        m_painter.setOpacity(1);
        m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        for (const PageData::Op &op : m_data.ops)
            playOp(op);
        m_batch.flush(m_painter);
    }

private:
    void setClip(const QPainterPath *path, const QRegion *region, Qt::ClipOperation operation)
    {
        if (m_targetClip && (operation == Qt::ReplaceClip || operation == Qt::NoClip)) {
            const QTransform current = m_painter.worldTransform();
            m_painter.setWorldTransform(QTransform());
            m_painter.setClipPath(*m_targetClip);
            m_painter.setWorldTransform(current);
            if (operation == Qt::NoClip)
                return;
            operation = Qt::IntersectClip;
        }
        if (path)
            m_painter.setClipPath(*path, operation);
        else
            m_painter.setClipRegion(*region, operation);
    }

    void drawRects(const QRectF *rects, int count)
    {
        if (m_whiteFills) {
            const QPainter::CompositionMode mode = m_painter.compositionMode();
            if (WhiteFills::whiteFillOnly(m_pen, m_brush, mode)) {
                if (!m_whiteFills->covers(rects, count, m_transform))
                    return;
                m_batch.flush(m_painter);
                applyPaint();
            } else {
                m_batch.flush(m_painter);
                applyPaint();
                m_whiteFills->inkRects(rects, count, m_transform, m_pen, m_brush, mode);
            }
        } else {
            m_batch.flush(m_painter);
            applyPaint();
        }
        m_painter.drawRects(rects, count);
    }

    void applyPaint()
    {
        applyPen();
        if (m_painter.brush() != m_brush)
            m_painter.setBrush(m_brush);
    }

    // Text is drawn in the pen alone.
    void applyPen()
    {
        if (m_painter.pen() != m_pen)
            m_painter.setPen(m_pen);
    }

    void drawn(const QRectF &bounds)
    {
        applyPaint();
        if (m_whiteFills)
            m_whiteFills->inkDrawn(bounds, m_transform, m_pen);
    }

    static QRectF pointBounds(const QPointF *points, int count)
    {
        QRectF bounds;
        for (int i = 0; i < count; ++i)
            bounds |= QRectF(points[i], QSizeF(0.001, 0.001));
        return bounds;
    }

    void playOp(const PageData::Op &op)
    {
        const PageData &d = m_data;
        QPainter &p = m_painter;
        // Pen and brush are applied when drawing; rectangles flush the words if they draw.
        if (op.type != PageData::Pen && op.type != PageData::Brush && op.type != PageData::Text
            && op.type != PageData::Rects)
            m_batch.flush(p);
        switch (op.type) {
        case PageData::Pen:
            m_pen = d.pens[op.index];
            break;
        case PageData::Brush:
            m_brush = d.brushes[op.index];
            break;
        case PageData::BrushOrigin:
            p.setBrushOrigin(d.points[op.index]);
            break;
        case PageData::Background:
            p.setBackground(d.brushes[op.index]);
            break;
        case PageData::BackgroundMode:
            p.setBackgroundMode(Qt::BGMode(op.index));
            break;
        case PageData::Transform:
            m_transform = d.transforms[op.index];
            p.setWorldTransform(m_transform * m_base);
            break;
        case PageData::ClipEnabled:
            if (!m_targetClip)
                p.setClipping(op.index != 0);
            break;
        case PageData::ClipRegion:
            setClip(nullptr, &d.regions[op.index], Qt::ClipOperation(op.mode));
            break;
        case PageData::ClipPath:
            setClip(&d.paths[op.index], nullptr, Qt::ClipOperation(op.mode));
            break;
        case PageData::Hints:
            p.setRenderHints(QPainter::RenderHints::fromInt(int(op.index)));
            break;
        case PageData::Composition:
            p.setCompositionMode(QPainter::CompositionMode(op.index));
            break;
        case PageData::Opacity:
            p.setOpacity(d.reals[op.index]);
            break;
        case PageData::Rects:
            drawRects(&d.rects[op.index], int(op.count));
            break;
        case PageData::Lines: {
            QRectF bounds;
            for (quint32 i = 0; i < op.count; ++i) {
                const QLineF &line = d.lines[op.index + i];
                bounds |= QRectF(line.p1(), line.p2()).normalized().adjusted(0, 0, 0.001, 0.001);
            }
            drawn(bounds);
            p.drawLines(&d.lines[op.index], int(op.count));
            break;
        }
        case PageData::Points:
            drawn(pointBounds(&d.points[op.index], int(op.count)));
            p.drawPoints(&d.points[op.index], int(op.count));
            break;
        case PageData::Polygon:
            drawn(pointBounds(&d.points[op.index], int(op.count)));
            playPolygon(&d.points[op.index], int(op.count), QPaintEngine::PolygonDrawMode(op.mode));
            break;
        case PageData::Ellipse:
            drawn(d.rects[op.index]);
            p.drawEllipse(d.rects[op.index]);
            break;
        case PageData::Path:
            drawn(d.paths[op.index].boundingRect());
            p.drawPath(d.paths[op.index]);
            break;
        case PageData::Pixmap: {
            const PageData::Picture &picture = d.pictures[op.index];
            drawn(picture.target);
            p.drawPixmap(picture.target, picture.pixmap, picture.source);
            break;
        }
        case PageData::TiledPixmap: {
            const PageData::Picture &picture = d.pictures[op.index];
            drawn(picture.target);
            p.drawTiledPixmap(picture.target, picture.pixmap, picture.source.topLeft());
            break;
        }
        case PageData::Image: {
            const PageData::Picture &picture = d.pictures[op.index];
            drawn(picture.target);
            p.drawImage(picture.target, picture.image, picture.source, picture.flags);
            break;
        }
        case PageData::Text: {
            const PageData::KeptText &text = d.texts[op.index];
            const ShapedText &shaped = FontWords::shaped(*text.word);
            if (m_whiteFills)
                m_whiteFills->ink(shaped.ink.translated(text.baseline), m_transform);
            if (m_batching && m_batch.add(m_pen, text.baseline, shaped))
                break;
            m_batch.flush(p);
            if (m_batching && m_batch.add(m_pen, text.baseline, shaped))
                break;
            applyPen();
            drawShapedText(p, text.baseline, *text.word);
            break;
        }
        }
    }

    void playPolygon(const QPointF *points, int count, QPaintEngine::PolygonDrawMode mode)
    {
        switch (mode) {
        case QPaintEngine::PolylineMode:
            m_painter.drawPolyline(points, count);
            break;
        case QPaintEngine::ConvexMode:
            m_painter.drawConvexPolygon(points, count);
            break;
        case QPaintEngine::WindingMode:
            m_painter.drawPolygon(points, count, Qt::WindingFill);
            break;
        case QPaintEngine::OddEvenMode:
            m_painter.drawPolygon(points, count, Qt::OddEvenFill);
            break;
        }
    }

    QPainter &m_painter;
    const PageData &m_data;
    const QTransform m_base;
    QTransform m_transform;
    QPen m_pen;
    QBrush m_brush;
    std::optional<QPainterPath> m_targetClip;
    std::optional<WhiteFills> m_whiteFills;
    const bool m_batching;
    GlyphBatch m_batch;
};

void playPage(QPainter &painter, const PageData *data, const QRect &target, bool whitePaper)
{
    if (!data || data->frame.isEmpty() || target.isEmpty())
        return;
    const QRect &frame = data->frame;
    const QTransform frameToTarget = QTransform::fromTranslate(-frame.left(), -frame.top())
        * QTransform::fromScale(qreal(target.width()) / frame.width(), qreal(target.height()) / frame.height())
        * QTransform::fromTranslate(target.left(), target.top());
    painter.save();
    Player(painter, *data, frameToTarget * painter.worldTransform(), whitePaper).play();
    painter.restore();
}

} // namespace

void RecordedPage::play(QPainter &painter, const QRect &target) const
{
    playPage(painter, m_data.get(), target, false);
}

void RecordedPage::printOnWhitePaper(QPainter &painter, const QRect &target) const
{
    playPage(painter, m_data.get(), target, true);
}

QRect RecordedPage::frame() const
{
    return m_data ? m_data->frame : QRect();
}

bool RecordedPage::isEmpty() const
{
    return !m_data || m_data->ops.empty();
}
