#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

class QWidget;
class HintBalloonWindow;

// Shows every widget's hint (its tool tip text, or the nearest parent's) as a rounded balloon
// with a pointer in the skin's colours, for at most 20 seconds. Installed on the application.
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
    std::unique_ptr<HintBalloonWindow> m_balloon;
    QPointer<QWidget> m_widget;
    QTimer m_hideTimer;
};

// A short notice in the hint's look at an area of a widget (why a key was refused). It hides by
// itself after a few seconds, and at the next key press, click or wheel turn anywhere; a key
// refused again shows it anew.
class NoticeBalloon : public QObject
{
    Q_OBJECT

public:
    explicit NoticeBalloon(QObject *parent = nullptr);
    ~NoticeBalloon() override;

    static constexpr int ShowPause = 3000;

    // Below area (in widget's coordinates), or above it where the screen has no room below.
    void show(const QString &text, QWidget *widget, const QRect &area);
    void hide();
    bool isShown() const;
    QString shownText() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::unique_ptr<HintBalloonWindow> m_balloon;
    QTimer m_hideTimer;
};
