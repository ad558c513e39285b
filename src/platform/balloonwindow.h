#pragma once

#include <QPainterPath>
#include <QWidget>

// The balloon in the skin's hint look: an opaque window shaped by its outline, a rounded body with
// a pointer. Shaping needs no compositing window manager and no copy of what lies beneath.
class BalloonWindow : public QWidget
{
public:
    BalloonWindow();

    QString text() const { return m_text; }

    // Below anchor (global coordinates), or above it where the screen has no room below; the
    // pointer at anchor's left edge.
    void showAt(const QString &text, const QRect &anchor);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QPainterPath outline() const;

    QString m_text;
    QRect m_body;
    int m_pointerX = 0;
    bool m_pointerUp = true;
    QPainterPath m_outline;
};
