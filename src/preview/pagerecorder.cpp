#include "preview/pagerecorder.h"
#include "preview/pagedata.h"
#include "preview/units.h"

#include <QPaintEngine>
#include <QPainter>

#include <optional>

// Keeps what a painter draws on a page recorder, in order, as the page's calls.
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

    // A word put on the page ahead of the painter's next state update: the pen, transform and
    // clip it is drawn with are taken from the painter and kept before it where they differ from
    // those kept last. The painter sends pen and transform again with its next update; what it
    // sends then is kept only if it changed meanwhile.
    void recordWord(const QPainter &painter, const PageData::KeptText &text)
    {
        PageData &d = *m_data;
        if (!m_pen || painter.pen() != *m_pen) {
            keepPen(painter.pen());
            m_penAhead = true;
        }
        const QTransform transform = painter.combinedTransform();
        if (transform != m_transform) {
            keepTransform(transform);
            m_transformAhead = true;
        }
        if (painter.hasClipping()) {
            // The whole clip in the word's own coordinates, replacing what came before.
            QPainterPath clip = painter.clipPath();
            if (!m_wordClip || clip != *m_wordClip) {
                d.add(PageData::ClipPath, d.paths, clip, quint8(Qt::ReplaceClip));
                m_wordClip = std::move(clip);
                m_clipEnabled = true;
            }
        } else if (m_clipEnabled) {
            d.addValue(PageData::ClipEnabled, false);
            m_clipEnabled = false;
        }
        d.add(PageData::Text, d.texts, text);
    }

    void updateState(const QPaintEngineState &state) override
    {
        PageData &d = *m_data;
        const DirtyFlags flags = state.state();
        if (flags & DirtyPen) {
            if (!m_penAhead || state.pen() != *m_pen)
                keepPen(state.pen());
            m_penAhead = false;
        }
        if (flags & DirtyBrush)
            d.add(PageData::Brush, d.brushes, state.brush());
        if (flags & DirtyBrushOrigin)
            d.add(PageData::BrushOrigin, d.points, state.brushOrigin());
        if (flags & DirtyBackground)
            d.add(PageData::Background, d.brushes, state.backgroundBrush());
        if (flags & DirtyBackgroundMode)
            d.addValue(PageData::BackgroundMode, state.backgroundMode());
        if (flags & DirtyTransform) {
            if (!m_transformAhead || state.transform() != m_transform)
                keepTransform(state.transform());
            m_transformAhead = false;
        }
        if (flags & DirtyClipEnabled)
            d.addValue(PageData::ClipEnabled, state.isClipEnabled());
        if (flags & (DirtyClipEnabled | DirtyClipRegion | DirtyClipPath))
            m_clipEnabled = state.isClipEnabled();
        if (flags & (DirtyClipRegion | DirtyClipPath))
            m_wordClip.reset();
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
    void drawEllipse(const QRectF &rect) override { m_data->add(PageData::Ellipse, m_data->rects, rect); }
    void drawEllipse(const QRect &rect) override { drawEllipse(QRectF(rect)); }
    void drawPath(const QPainterPath &path) override { m_data->add(PageData::Path, m_data->paths, path); }
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

    // Text the painter draws itself, as drawText does.
    void drawTextItem(const QPointF &p, const QTextItem &textItem) override
    {
        // The painter draws the decorations itself, as separate calls that are recorded too.
        QFont font = textItem.font();
        font.setUnderline(false);
        font.setOverline(false);
        font.setStrikeOut(false);
        m_data->add(PageData::Text, m_data->texts,
                    PageData::KeptText{p, &m_data->words->of(font, PageResolution).word(textItem.text())});
    }

private:
    template<typename T, typename Source>
    void keep(PageData::Type type, std::vector<T> &list, const Source *values, int count, quint8 mode = 0)
    {
        m_data->addAll(type, list, values, count, mode);
    }
    void keepPen(const QPen &pen)
    {
        m_data->add(PageData::Pen, m_data->pens, pen);
        m_pen = pen;
    }
    void keepTransform(const QTransform &transform)
    {
        m_data->add(PageData::Transform, m_data->transforms, transform);
        m_transform = transform;
        // A clip kept stays where it was on the page; the painter's own is in new coordinates.
        m_wordClip.reset();
    }

    PageData *m_data;
    // The pen and transform kept last, and whether a word kept them ahead of the painter. Pages
    // start untransformed.
    std::optional<QPen> m_pen;
    QTransform m_transform;
    bool m_penAhead = false;
    bool m_transformAhead = false;
    // Pages start unclipped; the clip a word kept last, as long as the painter has not sent
    // another.
    bool m_clipEnabled = false;
    std::optional<QPainterPath> m_wordClip;
};

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
    page.m_data = std::move(m_data);
    return page;
}

QPaintEngine *PageRecorder::paintEngine() const
{
    return m_engine.get();
}

void PageRecorder::recordWord(const QPainter &painter, const QPointF &baseline, const FontWords::Word &word)
{
    // A word of another cache is kept as the same word of the page's.
    FontWords &own = m_data->words->of(word.owner->font(), word.owner->dpi());
    m_engine->recordWord(painter, {baseline, &own == word.owner ? &word : &own.word(word.text)});
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
