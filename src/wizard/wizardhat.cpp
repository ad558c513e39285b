#include "wizardhat.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace {

constexpr int HatSize = 48;

QPainterPath starPath(QPointF centre, qreal outer)
{
    const qreal inner = outer * 0.45;
    QPainterPath path;
    for (int k = 0; k < 10; ++k) {
        const qreal radius = k % 2 ? inner : outer;
        const qreal angle = -std::numbers::pi / 2 + k * std::numbers::pi / 5;
        const QPointF point(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
        if (k == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

// The cone rises from the brim and its tip droops to the right.
QPainterPath conePath()
{
    QPainterPath path;
    path.moveTo(10, 40);
    path.cubicTo(14, 28, 18, 16, 22, 8);
    path.quadTo(27, 2, 35, 3);
    path.quadTo(29, 6, 27, 12);
    path.cubicTo(30, 22, 34, 32, 38, 40);
    path.quadTo(24, 44, 10, 40);
    path.closeSubpath();
    return path;
}

} // namespace

QPixmap wizardHatPicture()
{
    QImage image(HatSize, HatSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient brimShade(3, 0, 45, 0);
    brimShade.setColorAt(0, QColor(170, 170, 170));
    brimShade.setColorAt(1, QColor(95, 95, 95));
    painter.setPen(QPen(QColor(70, 70, 70), 1));
    painter.setBrush(brimShade);
    painter.drawEllipse(QRectF(3, 35, 42, 11));

    QLinearGradient coneShade(10, 0, 38, 0);
    coneShade.setColorAt(0, QColor(215, 215, 215));
    coneShade.setColorAt(1, QColor(120, 120, 120));
    painter.setBrush(coneShade);
    painter.drawPath(conePath());

    painter.setPen(QPen(QColor(130, 0, 0), 0.6));
    painter.setBrush(QColor(215, 25, 35));
    painter.drawPath(starPath({19, 31}, 4.5));
    painter.drawPath(starPath({28, 22}, 3.5));
    painter.drawPath(starPath({24, 13}, 2.3));
    painter.drawPath(starPath({38, 41}, 2.5));
    painter.drawPath(starPath({9, 41}, 2));
    painter.end();
    return QPixmap::fromImage(image);
}
