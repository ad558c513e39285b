#include "hintballoon.h"

#include "skin.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QWidget>

namespace {

constexpr int Radius = 7;
constexpr int MarginX = 13;
constexpr int MarginY = 8;
constexpr int MaxWidth = 402;
constexpr int PointerHeight = 10;
constexpr int PointerWidth = 12;

QFont hintFont()
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(13);
    font.setBold(true);
    return font;
}

} // namespace

// The balloon itself: shaped by a mask so that it needs no compositing window manager.
class HintBalloonWindow : public QWidget
{
public:
    HintBalloonWindow()
        : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
    {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFont(hintFont());
    }

    QString text() const { return m_text; }

    void showAt(const QString &text, const QPoint &target)
    {
        m_text = text;
        const QFontMetrics metrics(font());
        const QRect bounds = metrics.boundingRect(QRect(0, 0, MaxWidth - 2 * MarginX, 10000),
                                                  Qt::TextWordWrap | Qt::AlignLeft, text);
        const int bodyWidth = qMin(MaxWidth, bounds.width() + 2 * MarginX);
        const int bodyHeight = bounds.height() + 2 * MarginY;

        QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        if (const QScreen *screen = QGuiApplication::screenAt(target))
            available = screen->availableGeometry();
        // Below the pointer, pointing up, unless there is no room there.
        m_pointerUp = target.y() + 20 + PointerHeight + bodyHeight <= available.bottom();
        const int top = m_pointerUp ? target.y() + 20 : target.y() - 4 - PointerHeight - bodyHeight;
        const int left = qBound(available.left(), target.x() - 2 * PointerWidth, available.right() - bodyWidth);
        m_pointerX = qBound(Radius + 2, target.x() - left, bodyWidth - Radius - PointerWidth - 2);

        m_body = QRect(0, m_pointerUp ? PointerHeight : 0, bodyWidth, bodyHeight);
        setGeometry(left, top, bodyWidth + 1, bodyHeight + PointerHeight + 1);
        setMask(QRegion(outline().toFillPolygon().toPolygon()));
        update();
        show();
        raise();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QPainterPath path = outline();
        painter.fillPath(path, Skin::HintColor);
        // A lowered bevel just inside the border.
        painter.setPen(QPen(Skin::HintColor.darker(130), 1));
        painter.drawPath(path.translated(1, 1));
        painter.setPen(QPen(Qt::black, 1));
        painter.drawPath(path);
        painter.setPen(Qt::black);
        painter.drawText(m_body.adjusted(MarginX, MarginY, -MarginX, -MarginY), Qt::TextWordWrap | Qt::AlignLeft,
                         m_text);
    }

private:
    QPainterPath outline() const
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

    QString m_text;
    QRect m_body;
    int m_pointerX = 0;
    bool m_pointerUp = true;
};

HintManager::HintManager(QObject *parent)
    : QObject(parent)
{
    m_hideTimer.setSingleShot(true);
    m_hideTimer.setInterval(HidePause);
    connect(&m_hideTimer, &QTimer::timeout, this, &HintManager::hideHint);
}

HintManager::~HintManager() = default;

void HintManager::showHint(QWidget *widget, const QPoint &globalPos)
{
    QString text;
    QWidget *owner = widget;
    for (; owner; owner = owner->isWindow() ? nullptr : owner->parentWidget()) {
        text = owner->toolTip();
        if (!text.isEmpty())
            break;
    }
    if (text.isEmpty()) {
        hideHint();
        return;
    }
    if (!m_balloon)
        m_balloon = std::make_unique<HintBalloonWindow>();
    m_widget = owner;
    m_balloon->showAt(text, globalPos);
    m_hideTimer.start();
}

void HintManager::hideHint()
{
    m_hideTimer.stop();
    m_widget = nullptr;
    if (m_balloon)
        m_balloon->hide();
}

bool HintManager::isShown() const
{
    return m_balloon && m_balloon->isVisible();
}

QString HintManager::shownText() const
{
    return isShown() ? m_balloon->text() : QString();
}

bool HintManager::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ToolTip:
        if (watched->isWidgetType()) {
            showHint(static_cast<QWidget *>(watched), static_cast<QHelpEvent *>(event)->globalPos());
            return true;
        }
        break;
    case QEvent::ToolTipChange:
        if (watched == m_widget)
            hideHint();
        break;
    case QEvent::Leave:
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
    case QEvent::Wheel:
    case QEvent::WindowDeactivate:
        if (isShown())
            hideHint();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
