#pragma once

#include <QPainter>
#include <QRect>

#include <vector>

class QBrush;
class QPen;
class QTransform;

// Where ink has gone on a page played onto white paper, so that opaque white fills covering
// none of it can be left out: they cannot show. Positions are in page units, mapped by the
// transform the page had when drawing.
class WhiteFills
{
public:
    explicit WhiteFills(const QRect &frame);

    // Rectangles filled white without an outline: the fills this class may leave out.
    static bool whiteFillOnly(const QPen &pen, const QBrush &brush, QPainter::CompositionMode mode);
    // Whether a white fill of these rectangles would cover ink drawn before. Rectangles that only
    // share an edge with ink do not: a fill ending where a descender ends changes at most the
    // smoothing of the one device pixel on that edge.
    bool covers(const QRectF *rects, int count, const QTransform &transform);

    // A filled rectangle inks all of it; an outline, or one filled white, only its ring.
    void inkRects(const QRectF *rects, int count, const QTransform &transform, const QPen &pen, const QBrush &brush,
                  QPainter::CompositionMode mode);
    // Anything else inks its bounds widened by the pen.
    void inkDrawn(const QRectF &bounds, const QTransform &transform, const QPen &pen);
    // Text inks what its glyphs cover.
    void ink(const QRectF &bounds, const QTransform &transform);

private:
    static constexpr int Square = 64;

    void add(const QRectF &inked);
    // Calls visit with each square rect falls into until it returns false.
    template<typename Visit>
    void forSquares(const QRectF &rect, Visit visit);

    QRect m_frame;
    int m_columns;
    int m_rows;
    // Ink bucketed in squares for quick look-ups.
    std::vector<std::vector<QRectF>> m_squares;
};
