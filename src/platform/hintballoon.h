#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>

class QWidget;
class HintBalloonWindow;

// Shows every widget's hint (its tool tip text, or the nearest parent's) as a rounded balloon
// with a pointer in the skin's colours, for at most 20 seconds. Installed on the application.
// Setting a widget's hint, even to the same text, hides its balloon and restarts the delay: the
// next balloon there waits the whole pause, not the short one between two hints.
class HintManager : public QObject
{
    Q_OBJECT

public:
    explicit HintManager(QObject *parent = nullptr);
    ~HintManager() override;

    static constexpr int HidePause = 20000;

    void showHint(QWidget *widget, const QPoint &globalPos);
    void hideHint();
    bool isShown() const;
    QString shownText() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void restartDelay(QWidget *widget);
    void showWhenRested(QWidget *widget, const QPoint &globalPos);

    std::unique_ptr<HintBalloonWindow> m_balloon;
    QPointer<QWidget> m_widget;
    QTimer m_hideTimer;
    // The widget whose hint was set last, since when, and its balloon waiting for the pause's end.
    QPointer<QWidget> m_restarted;
    QElapsedTimer m_sinceRestart;
    QPointer<QWidget> m_waiting;
    QPoint m_waitingPos;
    QTimer m_wakeTimer;
};
