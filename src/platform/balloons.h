#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>

class QWidget;
class BalloonWindow;

// A balloon in the skin's hint look, rounded with a pointer, that hides by itself after a pause.
class TimedBalloon : public QObject
{
    Q_OBJECT

public:
    TimedBalloon(int pause, QObject *parent);
    ~TimedBalloon() override;

    virtual void hide();
    bool isShown() const;
    QString shownText() const;

protected:
    // Below anchor (global coordinates), or above it where the screen has no room below; the
    // pointer at anchor's left edge.
    void showBalloon(const QString &text, const QRect &anchor);
    // A key press, a click, a wheel turn or another window's activation puts the balloon away,
    // wherever the filter is installed.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::unique_ptr<BalloonWindow> m_balloon;
    QTimer m_hideTimer;
};

// Shows every widget's hint (its tool tip text, or the nearest parent's) as the balloon, for at
// most 20 seconds. Installed on the application.
// Setting a widget's hint, even to the same text, hides its balloon and restarts the delay: the
// next balloon there waits the whole pause, not the short one between two hints.
class HintManager : public TimedBalloon
{
    Q_OBJECT

public:
    explicit HintManager(QObject *parent = nullptr);

    static constexpr int HidePause = 20000;

    void showHint(QWidget *widget, const QPoint &globalPos);
    void hide() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void restartDelay(QWidget *widget);
    void showWhenRested(QWidget *widget, const QPoint &globalPos);

    QPointer<QWidget> m_widget;
    // The widget whose hint was set last, since when, and its balloon waiting for the pause's end.
    QPointer<QWidget> m_restarted;
    QElapsedTimer m_sinceRestart;
    QPointer<QWidget> m_waiting;
    QPoint m_waitingPos;
    QTimer m_wakeTimer;
};

// A short notice as the balloon at an area of a widget (why a key was refused). It hides by
// itself after a few seconds, and at the next key press, click or wheel turn anywhere; a key
// refused again shows it anew.
class NoticeBalloon : public TimedBalloon
{
    Q_OBJECT

public:
    explicit NoticeBalloon(QObject *parent = nullptr);

    static constexpr int ShowPause = 3000;

    // At area, in widget's coordinates.
    void show(const QString &text, QWidget *widget, const QRect &area);
    void hide() override;
};
