#include "preview/pageplayer.h"

#include <QPainter>
#include <QPicture>

void PlayPage(QPainter &painter, const QPicture &page, const QRect &target)
{
    const QRect frame = page.boundingRect();
    if (frame.isEmpty() || target.isEmpty())
        return;
    // Replaying a picture scales it by the device's resolution over the picture's own.
    const qreal deviceScaleX = qreal(painter.device()->logicalDpiX()) / page.logicalDpiX();
    const qreal deviceScaleY = qreal(painter.device()->logicalDpiY()) / page.logicalDpiY();
    const QTransform frameToTarget =
        QTransform::fromTranslate(-frame.left(), -frame.top())
        * QTransform::fromScale(qreal(target.width()) / frame.width(),
                                qreal(target.height()) / frame.height())
        * QTransform::fromTranslate(target.left(), target.top());
    painter.save();
    painter.setTransform(QTransform::fromScale(1 / deviceScaleX, 1 / deviceScaleY) * frameToTarget,
                         true);
    painter.drawPicture(0, 0, page);
    painter.restore();
}
