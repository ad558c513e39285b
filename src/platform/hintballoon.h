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
