#include "balloonwindow.h"

#include "skin.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace {

constexpr int Radius = 7;
constexpr int MarginX = 13;
constexpr int MarginY = 8;
constexpr int MaxWidth = 402;
constexpr int PointerHeight = 10;
constexpr int PointerWidth = 12;

} // namespace

BalloonWindow::BalloonWindow()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFont(Skin::tahoma(13, true));
}

void BalloonWindow::showAt(const QString &text, const QRect &anchor)
{
    m_text = text;
    const QFontMetrics metrics(font());
    const QRect bounds = metrics.boundingRect(QRect(0, 0, MaxWidth - 2 * MarginX, 10000),
                                              Qt::TextWordWrap | Qt::AlignLeft, text);
    const int bodyWidth = qMin(MaxWidth, bounds.width() + 2 * MarginX);
    const int bodyHeight = bounds.height() + 2 * MarginY;

    QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    if (const QScreen *screen = QGuiApplication::screenAt(anchor.topLeft()))
        available = screen->availableGeometry();
    m_pointerUp = anchor.bottom() + 1 + PointerHeight + bodyHeight <= available.bottom();
    const int top = m_pointerUp ? anchor.bottom() + 1 : anchor.top() - PointerHeight - bodyHeight;
    const int left = qBound(available.left(), anchor.left() - 2 * PointerWidth, available.right() - bodyWidth);
    m_pointerX = qBound(Radius + 2, anchor.left() - left, bodyWidth - Radius - PointerWidth - 2);
    m_body = QRect(0, m_pointerUp ? PointerHeight : 0, bodyWidth, bodyHeight);

    m_outline = outline();
    const QRect frame(left, top, bodyWidth + 1, bodyHeight + PointerHeight + 1);
    // The shape is the outline drawn without smoothing, border included, so that the mask and
    // the painted edge cover the same pixels.
    QBitmap shape(frame.size());
    shape.fill(Qt::color0);
    {
        QPainter painter(&shape);
        painter.setPen(Qt::color1);
        painter.setBrush(Qt::color1);
        painter.drawPath(m_outline);
    }
    setGeometry(frame);
    setMask(shape);
    update();
    show();
    raise();
}

void BalloonWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setBrush(Skin::HintColor);
    painter.setPen(Qt::NoPen);
    painter.drawPath(m_outline);
    painter.setBrush(Qt::NoBrush);
    // A lowered bevel just inside the border.
    painter.setPen(QPen(Skin::HintColor.darker(130), 1));
    painter.drawPath(m_outline.translated(1, 1));
    painter.setPen(QPen(Qt::black, 1));
    painter.drawPath(m_outline);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.drawText(m_body.adjusted(MarginX, MarginY, -MarginX, -MarginY), Qt::TextWordWrap | Qt::AlignLeft, m_text);
}

QPainterPath BalloonWindow::outline() const
{
    QPainterPath body;
    body.addRoundedRect(QRectF(m_body).adjusted(0.5, 0.5, -0.5, -0.5), Radius, Radius);
    QPainterPath pointer;
    const qreal x = m_pointerX;
    if (m_pointerUp) {
        const qreal y = m_body.top() + 1;
        pointer.moveTo(x, y);
        pointer.lineTo(x + 2, 0.5);
        pointer.lineTo(x + PointerWidth, y);
    } else {
        const qreal y = m_body.bottom() - 1;
        pointer.moveTo(x, y);
        pointer.lineTo(x + 2, m_body.bottom() + PointerHeight - 0.5);
        pointer.lineTo(x + PointerWidth, y);
    }
    pointer.closeSubpath();
    return body.united(pointer).simplified();
}
