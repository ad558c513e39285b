#pragma once

#include "text/fontwords.h"

#include <QBrush>
#include <QImage>
#include <QLineF>
#include <QPainterPath>
#include <QPen>
#include <QPixmap>
#include <QRectF>
#include <QRegion>
#include <QTransform>

#include <memory>
#include <vector>

// A recorded page: the drawing calls and state changes in the order made, their values kept in
// one list per kind.
struct PageData
{
    enum Type : quint8 {
        Pen, Brush, BrushOrigin, Background, BackgroundMode, Transform, ClipEnabled, ClipRegion, ClipPath, Hints,
        Composition, Opacity, Rects, Lines, Points, Polygon, Ellipse, Path, Pixmap, TiledPixmap, Image, Text
    };
    // What a call draws or sets: index and count point into the list its type uses; mode holds
    // a small enumeration (clip operation, polygon mode, background mode).
    struct Op
    {
        Type type;
        quint8 mode;
        quint32 index;
        quint32 count;
    };
    struct Picture
    {
        QRectF target;
        QPixmap pixmap;
        QImage image;
        QRectF source; // the tile offset's point for tiled pixmaps
        Qt::ImageConversionFlags flags;
    };
    struct KeptText
    {
        QPointF baseline;
        const FontWords::Word *word;
    };

    QRect frame;
    // Holds the words texts point to.
    std::shared_ptr<WordCache> words;
    std::vector<Op> ops;
    std::vector<QRectF> rects;
    std::vector<QLineF> lines;
    std::vector<QPointF> points;
    std::vector<QPainterPath> paths;
    std::vector<QRegion> regions;
    std::vector<QPen> pens;
    std::vector<QBrush> brushes;
    std::vector<QTransform> transforms;
    std::vector<qreal> reals;
    std::vector<Picture> pictures;
    std::vector<KeptText> texts;

    template<typename T>
    void add(Type type, std::vector<T> &list, T value, quint8 mode = 0)
    {
        ops.push_back({type, mode, quint32(list.size()), 1});
        list.push_back(std::move(value));
    }
    // Integer rectangles, lines and points are kept as their floating-point equals.
    template<typename T, typename Source>
    void addAll(Type type, std::vector<T> &list, const Source *values, int count, quint8 mode = 0)
    {
        ops.push_back({type, mode, quint32(list.size()), quint32(count)});
        list.insert(list.end(), values, values + count);
    }
    void addValue(Type type, quint32 value) { ops.push_back({type, 0, value, 0}); }
};
