#include "hintballoon.h"

#include "skin.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <vector>

namespace {

constexpr int Radius = 7;
constexpr int MarginX = 13;
constexpr int MarginY = 8;
constexpr int MaxWidth = 402;
constexpr int PointerHeight = 10;
constexpr int PointerWidth = 12;
constexpr int ShadowOffset = 4;
constexpr int ShadowBlur = 2;
constexpr qreal ShadowOpacity = 0.30; // 70 % transparent
constexpr qreal FillOpacity = 0.92;   // 8 % transparent

// Without a compositing window manager a window cannot be translucent: on X11 the balloon is
// drawn over a copy of what lies beneath it, and shaped by a mask.
bool drawsOwnBackdrop()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

// A box blur of the given radius, once across and once down, of an alpha-only image.
QImage blurred(const QImage &source, int radius)
{
    QImage image = source.convertToFormat(QImage::Format_Alpha8);
    const int width = image.width();
    const int height = image.height();
    const int span = 2 * radius + 1;
    std::vector<int> line;
    const auto pass = [&](int count, int length, auto pixel) {
        line.resize(size_t(length));
        for (int i = 0; i < count; ++i) {
            for (int j = 0; j < length; ++j)
                line[size_t(j)] = pixel(i, j);
            int sum = 0;
            for (int j = -radius; j < length + radius; ++j) {
                if (j + radius < length)
                    sum += line[size_t(j + radius)];
                if (j - radius - 1 >= 0)
                    sum -= line[size_t(j - radius - 1)];
                if (j >= 0 && j < length)
                    pixel(i, j) = uchar(sum / span);
            }
        }
    };
    pass(height, width, [&](int y, int x) -> uchar & { return image.scanLine(y)[x]; });
    pass(width, height, [&](int x, int y) -> uchar & { return image.scanLine(y)[x]; });
    return image;
}

// The pixels that are not fully transparent.
QRegion coveredRegion(const QImage &image)
{
    QRegion region;
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        int x = 0;
        while (x < image.width()) {
            while (x < image.width() && qAlpha(row[x]) == 0)
                ++x;
            const int start = x;
            while (x < image.width() && qAlpha(row[x]) != 0)
                ++x;
            if (x > start)
                region += QRect(start, y, x - start, 1);
        }
    }
    return region;
}

} // namespace

// The balloon itself, with its shadow beside and below it.
class HintBalloonWindow : public QWidget
{
public:
    HintBalloonWindow()
        : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
        , m_ownBackdrop(drawsOwnBackdrop())
    {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        if (!m_ownBackdrop)
            setAttribute(Qt::WA_TranslucentBackground);
        setFont(Skin::tahoma(13, true));
    }

    QString text() const { return m_text; }

    // Below anchor, or above it where there is no room below; the pointer at anchor's left edge.
    void showAt(const QString &text, const QRect &anchor, QWidget *under)
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
        const QRect frame(left, top, bodyWidth + 1 + ShadowOffset + ShadowBlur,
                          bodyHeight + PointerHeight + 1 + ShadowOffset + ShadowBlur);
        m_image = drawn(frame.size());
        if (m_ownBackdrop) {
            m_backdrop = backdropOf(frame, under);
            setMask(coveredRegion(m_image));
        }
        setGeometry(frame);
        update();
        show();
        raise();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        if (m_ownBackdrop)
            painter.drawPixmap(0, 0, m_backdrop);
        painter.drawImage(0, 0, m_image);
    }

private:
    QImage drawn(const QSize &size) const
    {
        const QPainterPath path = outline();
        QImage shape(size, QImage::Format_ARGB32_Premultiplied);
        shape.fill(Qt::transparent);
        {
            QPainter painter(&shape);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.fillPath(path.translated(ShadowOffset, ShadowOffset), QColor(0, 0, 0, qRound(255 * ShadowOpacity)));
        }
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.drawImage(0, 0, blurred(shape, ShadowBlur));
        painter.setRenderHint(QPainter::Antialiasing);
        QColor fill = Skin::HintColor;
        fill.setAlphaF(FillOpacity);
        // The fill replaces the shadow beneath it, so that only the ground shows through.
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillPath(path, fill);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        // A lowered bevel just inside the border.
        painter.setPen(QPen(Skin::HintColor.darker(130), 1));
        painter.drawPath(path.translated(1, 1));
        painter.setPen(QPen(Qt::black, 1));
        painter.drawPath(path);
        painter.setFont(font());
        painter.setPen(Qt::black);
        painter.drawText(m_body.adjusted(MarginX, MarginY, -MarginX, -MarginY), Qt::TextWordWrap | Qt::AlignLeft,
                         m_text);
        return image;
    }

    // What the screen shows in frame, the window of under drawn afresh over it, so that a
    // balloon that was up a moment ago is not part of it.
    static QPixmap backdropOf(const QRect &frame, QWidget *under)
    {
        QPixmap backdrop(frame.size());
        backdrop.fill(Skin::WindowColor);
        QPainter painter(&backdrop);
        if (QScreen *screen = QGuiApplication::screenAt(frame.center())) {
            const QPoint at = frame.topLeft() - screen->geometry().topLeft();
            painter.drawPixmap(0, 0, screen->grabWindow(0, at.x(), at.y(), frame.width(), frame.height()));
        }
        if (QWidget *window = under ? under->window() : nullptr) {
            const QRect inWindow = QRect(window->mapFromGlobal(frame.topLeft()), frame.size()) & window->rect();
            if (!inWindow.isEmpty())
                painter.drawPixmap(window->mapToGlobal(inWindow.topLeft()) - frame.topLeft(), window->grab(inWindow));
        }
        return backdrop;
    }

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

    const bool m_ownBackdrop;
    QString m_text;
    QRect m_body;
    int m_pointerX = 0;
    bool m_pointerUp = true;
    QImage m_image;
    QPixmap m_backdrop;
};

TimedBalloon::TimedBalloon(int pause, QObject *parent)
    : QObject(parent)
{
    m_hideTimer.setSingleShot(true);
    m_hideTimer.setInterval(pause);
    connect(&m_hideTimer, &QTimer::timeout, this, [this] { hide(); });
}

TimedBalloon::~TimedBalloon() = default;

void TimedBalloon::showBalloon(const QString &text, const QRect &anchor, QWidget *under)
{
    if (!m_balloon)
        m_balloon = std::make_unique<HintBalloonWindow>();
    m_balloon->showAt(text, anchor, under);
    m_hideTimer.start();
}

void TimedBalloon::hide()
{
    m_hideTimer.stop();
    if (m_balloon)
        m_balloon->hide();
}

bool TimedBalloon::isShown() const
{
    return m_balloon && m_balloon->isVisible();
}

QString TimedBalloon::shownText() const
{
    return isShown() ? m_balloon->text() : QString();
}

HintManager::HintManager(QObject *parent)
    : TimedBalloon(HidePause, parent)
{
    m_wakeTimer.setSingleShot(true);
    connect(&m_wakeTimer, &QTimer::timeout, this, [this] {
        if (m_waiting)
            showHint(m_waiting, m_waitingPos);
    });
}

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
        hide();
        return;
    }
    m_widget = owner;
    // Clear of the mouse pointer below, a little above it when shown above.
    showBalloon(text, QRect(globalPos.x(), globalPos.y() - 4, 1, 24), owner);
}

void HintManager::hide()
{
    m_wakeTimer.stop();
    m_widget = nullptr;
    TimedBalloon::hide();
}

void HintManager::restartDelay(QWidget *widget)
{
    if (widget == m_widget)
        hide();
    m_wakeTimer.stop();
    m_restarted = widget;
    m_sinceRestart.start();
}

// The window system asks for a hint after a short pause when one was shown a moment ago; a widget
// whose hint was just set waits out the whole pause first.
void HintManager::showWhenRested(QWidget *widget, const QPoint &globalPos)
{
    const bool restarted = m_restarted && (widget == m_restarted || m_restarted->isAncestorOf(widget));
    const qint64 pause = widget->style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay, nullptr, widget);
    const qint64 left = restarted ? pause - m_sinceRestart.elapsed() : 0;
    if (left <= 0) {
        showHint(widget, globalPos);
        return;
    }
    m_waiting = widget;
    m_waitingPos = globalPos;
    m_wakeTimer.start(int(left));
}

NoticeBalloon::NoticeBalloon(QObject *parent)
    : TimedBalloon(ShowPause, parent)
{
}

void NoticeBalloon::show(const QString &text, QWidget *widget, const QRect &area)
{
    // The pointer a little into the area, so that it points at the area and not at its edge.
    const QRect global(widget->mapToGlobal(area.topLeft()), area.size());
    showBalloon(text, QRect(global.left() + qMin(12, global.width() / 2), global.top(), 1, global.height()), widget);
    qApp->installEventFilter(this);
}

void NoticeBalloon::hide()
{
    qApp->removeEventFilter(this);
    TimedBalloon::hide();
}

bool NoticeBalloon::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
    case QEvent::WindowDeactivate:
        hide();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool HintManager::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ToolTip:
        if (watched->isWidgetType()) {
            showWhenRested(static_cast<QWidget *>(watched), static_cast<QHelpEvent *>(event)->globalPos());
            return true;
        }
        break;
    case QEvent::ToolTipChange:
        if (watched->isWidgetType())
            restartDelay(static_cast<QWidget *>(watched));
        break;
    case QEvent::Leave:
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
    case QEvent::Wheel:
    case QEvent::WindowDeactivate:
        if (isShown())
            hide();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
