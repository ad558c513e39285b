#include "textcapture.h"

#include <QPainterPath>
#include <QtMath>

class TextCapture::Engine : public QPaintEngine
{
public:
    explicit Engine(TextCapture &capture)
        : QPaintEngine(QPaintEngine::AllFeatures)
        , m_capture(capture)
    {
    }

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }
    void updateState(const QPaintEngineState &state) override
    {
        if (state.state() & DirtyTransform)
            m_transform = state.transform();
        if (state.state() & DirtyBrush)
            m_brush = state.brush();
        if (state.state() & DirtyPen)
            m_pen = state.pen();
    }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        const QPointF origin = m_transform.map(p);
        const QPointF along = m_transform.map(p + QPointF(1, 0)) - origin;
        const qreal angle = qRadiansToDegrees(std::atan2(along.y(), along.x()));
        m_capture.texts.append({item.text(), origin, angle, item.font()});
    }
    void drawRects(const QRectF *rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            m_capture.rects.append({m_transform.mapRect(rects[i]), m_brush.style() != Qt::NoBrush, m_pen.style() != Qt::NoPen});
    }
    void drawRects(const QRect *rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            m_capture.rects.append({m_transform.mapRect(QRectF(rects[i])), m_brush.style() != Qt::NoBrush, m_pen.style() != Qt::NoPen});
    }
    void drawPath(const QPainterPath &path) override
    {
        m_capture.rects.append({m_transform.map(path).boundingRect(), m_brush.style() != Qt::NoBrush, m_pen.style() != Qt::NoPen});
    }
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}

private:
    TextCapture &m_capture;
    QTransform m_transform;
    QBrush m_brush;
    QPen m_pen;
};

TextCapture::TextCapture(int width, int height)
    : m_engine(std::make_unique<Engine>(*this))
    , m_width(width)
    , m_height(height)
{
}

TextCapture::~TextCapture() = default;

QPaintEngine *TextCapture::paintEngine() const
{
    return m_engine.get();
}

int TextCapture::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth: return m_width;
    case PdmHeight: return m_height;
    case PdmWidthMM: return m_width * 254 / 960;
    case PdmHeightMM: return m_height * 254 / 960;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return 96;
    case PdmDepth: return 32;
    case PdmNumColors: return 0x7fffffff;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
    }
    return 0;
}

QStringList TextCapture::textList() const
{
    QStringList list;
    for (const Text &t : texts)
        list.append(t.text);
    return list;
}

const TextCapture::Text *TextCapture::find(const QString &text) const
{
    for (const Text &t : texts) {
        if (t.text == text)
            return &t;
    }
    return nullptr;
}
