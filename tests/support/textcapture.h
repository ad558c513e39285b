#pragma once

#include <QList>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTransform>

#include <memory>

// A paint device that draws nothing and remembers what was drawn on it: every text with the
// device position of its baseline origin and the angle it runs at, and every rectangle filled
// or outlined. Tests replay recorded pages into it to check where things went.
class TextCapture : public QPaintDevice
{
public:
    struct Text
    {
        QString text;
        QPointF origin;  // baseline origin in device coordinates
        qreal angle = 0; // degrees clockwise on the device; -90 reads from bottom to top
        QFont font;
    };
    struct Rect
    {
        QRectF rect; // device coordinates
        bool filled;
        bool outlined;
    };

    TextCapture(int width = 3000, int height = 3000);
    ~TextCapture() override;

    QPaintEngine *paintEngine() const override;
    int metric(PaintDeviceMetric metric) const override;

    QList<Text> texts;
    QList<Rect> rects;

    QStringList textList() const;
    // The first text equal to text, or nullptr.
    const Text *find(const QString &text) const;

private:
    class Engine;
    std::unique_ptr<Engine> m_engine;
    int m_width;
    int m_height;
};
