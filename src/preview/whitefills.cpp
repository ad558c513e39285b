#include "preview/whitefills.h"

#include <QBrush>
#include <QPen>
#include <QTransform>

namespace {

qreal penWidth(const QPen &pen)
{
    return pen.style() == Qt::NoPen ? 0 : qMax<qreal>(1, pen.widthF());
}

bool whiteBrush(const QBrush &brush, QPainter::CompositionMode mode)
{
    return brush.style() == Qt::SolidPattern && brush.color() == QColor(Qt::white)
        && mode == QPainter::CompositionMode_SourceOver;
}

} // namespace

WhiteFills::WhiteFills(const QRect &frame)
    : m_frame(frame)
    , m_columns(qMax(1, frame.width() / Square + 1))
    , m_rows(qMax(1, frame.height() / Square + 1))
    , m_squares(size_t(m_columns) * size_t(m_rows))
{
}

bool WhiteFills::whiteFillOnly(const QPen &pen, const QBrush &brush, QPainter::CompositionMode mode)
{
    return pen.style() == Qt::NoPen && whiteBrush(brush, mode);
}

bool WhiteFills::covers(const QRectF *rects, int count, const QTransform &transform)
{
    bool found = false;
    for (int i = 0; i < count && !found; ++i) {
        const QRectF rect = transform.mapRect(rects[i]);
        forSquares(rect, [&](const std::vector<QRectF> &square) {
            for (const QRectF &inked : square) {
                if (inked.intersects(rect)) {
                    found = true;
                    return false;
                }
            }
            return true;
        });
    }
    return found;
}

void WhiteFills::inkRects(const QRectF *rects, int count, const QTransform &transform, const QPen &pen,
                          const QBrush &brush, QPainter::CompositionMode mode)
{
    const qreal w = penWidth(pen);
    const bool filled = brush.style() != Qt::NoBrush && !whiteBrush(brush, mode);
    for (int i = 0; i < count; ++i) {
        const QRectF r = rects[i].adjusted(-w, -w, w, w);
        if (filled) {
            ink(r, transform);
        } else if (w > 0) {
            ink(QRectF(r.left(), r.top(), r.width(), 2 * w), transform);
            ink(QRectF(r.left(), r.bottom() - 2 * w, r.width(), 2 * w), transform);
            ink(QRectF(r.left(), r.top(), 2 * w, r.height()), transform);
            ink(QRectF(r.right() - 2 * w, r.top(), 2 * w, r.height()), transform);
        }
    }
}

void WhiteFills::inkDrawn(const QRectF &bounds, const QTransform &transform, const QPen &pen)
{
    const qreal w = penWidth(pen);
    ink(bounds.adjusted(-w, -w, w, w), transform);
}

void WhiteFills::ink(const QRectF &bounds, const QTransform &transform)
{
    add(transform.mapRect(bounds));
}

void WhiteFills::add(const QRectF &inked)
{
    forSquares(inked, [&](std::vector<QRectF> &square) {
        square.push_back(inked);
        return true;
    });
}

template<typename Visit>
void WhiteFills::forSquares(const QRectF &rect, Visit visit)
{
    const auto column = [&](qreal x) { return qBound(0, int((x - m_frame.left()) / Square), m_columns - 1); };
    const auto row = [&](qreal y) { return qBound(0, int((y - m_frame.top()) / Square), m_rows - 1); };
    const int lastRow = row(rect.bottom());
    const int lastColumn = column(rect.right());
    for (int r = row(rect.top()); r <= lastRow; ++r)
        for (int c = column(rect.left()); c <= lastColumn; ++c)
            if (!visit(m_squares[size_t(r) * size_t(m_columns) + size_t(c)]))
                return;
}
