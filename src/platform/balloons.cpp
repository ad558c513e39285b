#include "balloons.h"

#include "announcer.h"
#include "balloonwindow.h"

#include <QApplication>
#include <QHelpEvent>
#include <QStyle>
#include <QWidget>

#include <algorithm>
#include <array>

TimedBalloon::TimedBalloon(int pause, QObject *parent)
    : QObject(parent)
{
    m_hideTimer.setSingleShot(true);
    m_hideTimer.setInterval(pause);
    connect(&m_hideTimer, &QTimer::timeout, this, [this] { hide(); });
}

TimedBalloon::~TimedBalloon() = default;

void TimedBalloon::showBalloon(const QString &text, const QRect &anchor)
{
    if (!m_balloon)
        m_balloon = std::make_unique<BalloonWindow>();
    m_balloon->showAt(text, anchor);
    m_hideTimer.start();
}

void TimedBalloon::hide()
{
    m_hideTimer.stop();
    if (m_balloon)
        m_balloon->hide();
}

bool TimedBalloon::eventFilter(QObject *watched, QEvent *event)
{
    static constexpr std::array dismissing{QEvent::KeyPress, QEvent::MouseButtonPress, QEvent::Wheel,
                                           QEvent::WindowDeactivate};
    if (isShown() && std::ranges::find(dismissing, event->type()) != dismissing.end())
        hide();
    return QObject::eventFilter(watched, event);
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
    showBalloon(text, QRect(globalPos.x(), globalPos.y() - 4, 1, 24));
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
        if (isShown())
            hide();
        break;
    default:
        break;
    }
    return TimedBalloon::eventFilter(watched, event);
}

NoticeBalloon::NoticeBalloon(QObject *parent)
    : TimedBalloon(ShowPause, parent)
{
}

void NoticeBalloon::show(const QString &text, QWidget *widget, const QRect &area)
{
    // The pointer a little into the area, so that it points at the area and not at its edge.
    const QRect global(widget->mapToGlobal(area.topLeft()), area.size());
    showBalloon(text, QRect(global.left() + qMin(12, global.width() / 2), global.top(), 1, global.height()));
    qApp->installEventFilter(this);
    announce(widget, text);
}

void NoticeBalloon::hide()
{
    qApp->removeEventFilter(this);
    TimedBalloon::hide();
}
