#include "preview/recordedpage.h"
#include "preview/units.h"

#include <QHash>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRawFont>
#include <QRegion>

#include <optional>
#include <vector>

struct PageData
{
    enum Type : quint8 {
        Pen, Brush, BrushOrigin, Background, BackgroundMode, Transform, ClipEnabled, ClipRegion, ClipPath, Hints,
        Composition, Opacity, Rects, Lines, Points, Polygon, Ellipse, Path, Pixmap, TiledPixmap, Image, Text
    };
    // What a call draws or sets: index and count point into the list its type uses; mode holds
    // a small enumeration (clip operation, polygon mode, background mode).
    struct Op
    {
        Type type;
        quint8 mode;
        quint32 index;
        quint32 count;
    };
    struct Picture
    {
        QRectF target;
        QPixmap pixmap;
        QImage image;
        QRectF source; // the tile offset's point for tiled pixmaps
        Qt::ImageConversionFlags flags;
    };
    struct KeptText
    {
        QPointF baseline;
        const FontWords::Word *word;
    };

    QRect frame;
    // Holds the words texts point to.
    std::shared_ptr<WordCache> words;
    std::vector<Op> ops;
    std::vector<QRectF> rects;
    std::vector<QLineF> lines;
    std::vector<QPointF> points;
    std::vector<QPainterPath> paths;
    std::vector<QRegion> regions;
    std::vector<QPen> pens;
    std::vector<QBrush> brushes;
    std::vector<QTransform> transforms;
    std::vector<qreal> reals;
    std::vector<Picture> pictures;
    std::vector<KeptText> texts;

    template<typename T>
    void add(Type type, std::vector<T> &list, T value, quint8 mode = 0)
    {
        ops.push_back({type, mode, quint32(list.size()), 1});
        list.push_back(std::move(value));
    }
    // Integer rectangles, lines and points are kept as their floating-point equals.
    template<typename T, typename Source>
    void addAll(Type type, std::vector<T> &list, const Source *values, int count, quint8 mode = 0)
    {
        ops.push_back({type, mode, quint32(list.size()), quint32(count)});
        list.insert(list.end(), values, values + count);
    }
    void addValue(Type type, quint32 value) { ops.push_back({type, 0, value, 0}); }
};

class RecordingEngine : public QPaintEngine
{
public:
    explicit RecordingEngine(PageData *data)
        : QPaintEngine(AllFeatures)
        , m_data(data)
    {
    }

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }

    // The next text drawn is this text; the glyphs the painter hands over stand for it.
    void expectText(const PageData::KeptText &text)
    {
        m_expected = text;
        m_takingGlyphs = true;
    }
    void textDone()
    {
        m_expected.reset();
        m_takingGlyphs = false;
    }

    void updateState(const QPaintEngineState &state) override
    {
        PageData &d = *m_data;
        const DirtyFlags flags = state.state();
        if (flags & DirtyPen)
            d.add(PageData::Pen, d.pens, state.pen());
        if (flags & DirtyBrush)
            d.add(PageData::Brush, d.brushes, state.brush());
        if (flags & DirtyBrushOrigin)
            d.add(PageData::BrushOrigin, d.points, state.brushOrigin());
        if (flags & DirtyBackground)
            d.add(PageData::Background, d.brushes, state.backgroundBrush());
        if (flags & DirtyBackgroundMode)
            d.addValue(PageData::BackgroundMode, state.backgroundMode());
        if (flags & DirtyTransform)
            d.add(PageData::Transform, d.transforms, state.transform());
        if (flags & DirtyClipEnabled)
            d.addValue(PageData::ClipEnabled, state.isClipEnabled());
        if (flags & DirtyClipRegion)
            d.add(PageData::ClipRegion, d.regions, state.clipRegion(), quint8(state.clipOperation()));
        if (flags & DirtyClipPath)
            d.add(PageData::ClipPath, d.paths, state.clipPath(), quint8(state.clipOperation()));
        if (flags & DirtyHints)
            d.addValue(PageData::Hints, quint32(state.renderHints().toInt()));
        if (flags & DirtyCompositionMode)
            d.addValue(PageData::Composition, quint32(state.compositionMode()));
        if (flags & DirtyOpacity)
            d.add(PageData::Opacity, d.reals, state.opacity());
    }

    void drawRects(const QRectF *rects, int count) override { keep(PageData::Rects, m_data->rects, rects, count); }
    void drawRects(const QRect *rects, int count) override { keep(PageData::Rects, m_data->rects, rects, count); }
    void drawLines(const QLineF *lines, int count) override { keep(PageData::Lines, m_data->lines, lines, count); }
    void drawLines(const QLine *lines, int count) override { keep(PageData::Lines, m_data->lines, lines, count); }
    void drawPoints(const QPointF *points, int count) override
    {
        keep(PageData::Points, m_data->points, points, count);
    }
    void drawPoints(const QPoint *points, int count) override
    {
        keep(PageData::Points, m_data->points, points, count);
    }
    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override
    {
        keep(PageData::Polygon, m_data->points, points, count, quint8(mode));
    }
    void drawPolygon(const QPoint *points, int count, PolygonDrawMode mode) override
    {
        keep(PageData::Polygon, m_data->points, points, count, quint8(mode));
    }
    void drawEllipse(const QRectF &rect) override
    {
        if (!m_takingGlyphs)
            m_data->add(PageData::Ellipse, m_data->rects, rect);
    }
    void drawEllipse(const QRect &rect) override { drawEllipse(QRectF(rect)); }
    void drawPath(const QPainterPath &path) override
    {
        if (!m_takingGlyphs)
            m_data->add(PageData::Path, m_data->paths, path);
    }
    void drawPixmap(const QRectF &r, const QPixmap &pm, const QRectF &sr) override
    {
        m_data->add(PageData::Pixmap, m_data->pictures, PageData::Picture{r, pm, {}, sr, {}});
    }
    void drawTiledPixmap(const QRectF &r, const QPixmap &pixmap, const QPointF &s) override
    {
        m_data->add(PageData::TiledPixmap, m_data->pictures, PageData::Picture{r, pixmap, {}, QRectF(s, QSizeF()), {}});
    }
    void drawImage(const QRectF &r, const QImage &pm, const QRectF &sr, Qt::ImageConversionFlags flags) override
    {
        m_data->add(PageData::Image, m_data->pictures, PageData::Picture{r, {}, pm, sr, flags});
    }

    void drawTextItem(const QPointF &p, const QTextItem &textItem) override
    {
        if (m_takingGlyphs) {
            // Font fallback may hand over several runs for one text: it is kept once.
            if (m_expected) {
                m_data->add(PageData::Text, m_data->texts, *m_expected);
                m_expected.reset();
            }
            return;
        }
        // The painter draws the decorations itself, as separate calls that are recorded too.
        QFont font = textItem.font();
        font.setUnderline(false);
        font.setOverline(false);
        font.setStrikeOut(false);
        m_data->add(PageData::Text, m_data->texts,
                    PageData::KeptText{p, &m_data->words->of(font, PageResolution).word(textItem.text())});
    }

private:
    // What the painter draws along with the glyphs of an expected text is their decoration,
    // which the text brings back when it is played.
    template<typename T, typename Source>
    void keep(PageData::Type type, std::vector<T> &list, const Source *values, int count, quint8 mode = 0)
    {
        if (!m_takingGlyphs)
            m_data->addAll(type, list, values, count, mode);
    }

    PageData *m_data;
    std::optional<PageData::KeptText> m_expected;
    bool m_takingGlyphs = false;
};

// ---- RecordedPage ----

QRect RecordedPage::frame() const
{
    return m_data ? m_data->frame : QRect();
}

bool RecordedPage::isEmpty() const
{
    return !m_data || m_data->ops.empty();
}

namespace {

// Where ink has gone on a page so far, in page units, bucketed in squares for quick look-ups.
class InkMap
{
public:
    explicit InkMap(const QRect &frame)
        : m_frame(frame)
        , m_columns(qMax(1, frame.width() / Square + 1))
        , m_rows(qMax(1, frame.height() / Square + 1))
        , m_squares(size_t(m_columns) * size_t(m_rows))
    {
    }

    void add(const QRectF &inked)
    {
        forSquares(inked, [&](std::vector<QRectF> &square) {
            square.push_back(inked);
            return true;
        });
    }

    // Rectangles that only share an edge do not touch: a fill ending where a descender ends
    // changes no ink, at most the smoothing of the one device pixel on that edge.
    bool touches(const QRectF &rect)
    {
        bool found = false;
        forSquares(rect, [&](const std::vector<QRectF> &square) {
            for (const QRectF &inked : square) {
                if (inked.intersects(rect)) {
                    found = true;
                    return false;
                }
            }
            return true;
        });
        return found;
    }

private:
    static constexpr int Square = 64;

    template<typename Visit>
    void forSquares(const QRectF &rect, Visit visit)
    {
        const auto column = [&](qreal x) { return qBound(0, int((x - m_frame.left()) / Square), m_columns - 1); };
        const auto row = [&](qreal y) { return qBound(0, int((y - m_frame.top()) / Square), m_rows - 1); };
        const int lastRow = row(rect.bottom());
        const int lastColumn = column(rect.right());
        for (int r = row(rect.top()); r <= lastRow; ++r)
            for (int c = column(rect.left()); c <= lastColumn; ++c)
                if (!visit(m_squares[size_t(r) * size_t(m_columns) + size_t(c)]))
                    return;
    }

    QRect m_frame;
    int m_columns;
    int m_rows;
    std::vector<std::vector<QRectF>> m_squares;
};

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
            m_ink.emplace(data.frame);
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

    qreal penWidth() const { return m_pen.style() == Qt::NoPen ? 0 : qMax<qreal>(1, m_pen.widthF()); }

    bool whiteBrush() const
    {
        return m_brush.style() == Qt::SolidPattern && m_brush.color() == QColor(Qt::white)
            && m_painter.compositionMode() == QPainter::CompositionMode_SourceOver;
    }
    bool whiteFillOnly() const { return m_pen.style() == Qt::NoPen && whiteBrush(); }

    void drawRects(const QRectF *rects, int count)
    {
        if (m_ink) {
            if (whiteFillOnly()) {
                bool shows = false;
                for (int i = 0; i < count && !shows; ++i)
                    shows = m_ink->touches(m_transform.mapRect(rects[i]));
                if (!shows)
                    return;
                m_batch.flush(m_painter);
                applyPaint();
            } else {
                m_batch.flush(m_painter);
                applyPaint();
                inkRects(rects, count);
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

    void ink(const QRectF &bounds)
    {
        if (m_ink)
            m_ink->add(m_transform.mapRect(bounds));
    }

    // A filled rectangle inks all of it; an outline, or one filled white, only its ring.
    void inkRects(const QRectF *rects, int count)
    {
        const qreal w = penWidth();
        const bool filled = m_brush.style() != Qt::NoBrush && !whiteBrush();
        for (int i = 0; i < count; ++i) {
            const QRectF r = rects[i].adjusted(-w, -w, w, w);
            if (filled) {
                ink(r);
            } else if (w > 0) {
                ink(QRectF(r.left(), r.top(), r.width(), 2 * w));
                ink(QRectF(r.left(), r.bottom() - 2 * w, r.width(), 2 * w));
                ink(QRectF(r.left(), r.top(), 2 * w, r.height()));
                ink(QRectF(r.right() - 2 * w, r.top(), 2 * w, r.height()));
            }
        }
    }

    // Anything else inks its bounds widened by the pen.
    void drawn(const QRectF &bounds)
    {
        applyPaint();
        const qreal w = penWidth();
        ink(bounds.adjusted(-w, -w, w, w));
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
            if (m_ink)
                ink(shaped.ink.translated(text.baseline));
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
    std::optional<InkMap> m_ink;
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

// ---- PageRecorder ----

PageRecorder::PageRecorder(const QRect &frame, std::shared_ptr<WordCache> words)
    : m_data(std::make_shared<PageData>())
    , m_engine(std::make_unique<RecordingEngine>(m_data.get()))
{
    m_data->frame = frame;
    m_data->words = std::move(words);
}

PageRecorder::~PageRecorder() = default;

void PageRecorder::setFrame(const QRect &frame)
{
    m_data->frame = frame;
}

RecordedPage PageRecorder::take()
{
    RecordedPage page;
    page.m_data = m_data;
    return page;
}

QPaintEngine *PageRecorder::paintEngine() const
{
    return m_engine.get();
}

void PageRecorder::keepText(QPainter &painter, const QPointF &baseline, const FontWords::Word &word)
{
    // Drawing the glyphs brings the painter's state to the engine in order; the engine keeps
    // the word in their place. A word of another cache is kept as the same word of the page's.
    FontWords &own = m_data->words->of(word.owner->font(), word.owner->dpi());
    m_engine->expectText({baseline, &own == word.owner ? &word : &own.word(word.text)});
    for (const QGlyphRun &run : FontWords::shaped(word).runs)
        painter.drawGlyphRun(baseline, run);
    m_engine->textDone();
}

int PageRecorder::metric(PaintDeviceMetric metric) const
{
    const QRect &frame = m_data->frame;
    switch (metric) {
    case PdmWidth:
        return frame.width();
    case PdmHeight:
        return frame.height();
    case PdmWidthMM:
        return frame.width() * 254 / (PageResolution * 10);
    case PdmHeightMM:
        return frame.height() * 254 / (PageResolution * 10);
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return PageResolution;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    default:
        return QPaintDevice::metric(metric);
    }
}
