#pragma once

#include "text/shapedtext.h"
#include "text/textmetrics.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPen>

#include <optional>

class QPainter;

// A font as the canvas holds it: the face, size and style, and the angle its text runs at.
struct FontHandle
{
    QFont font;
    int escapement = 0;
};

// A drawing surface over a QPainter as the grid and the report draw on it: font by face, size
// in points and style; text put out at its top-left corner with the brush behind it;
// rectangles that exclude their right and bottom edges. A font size S gives a character height
// of S x pixelsPerInch / 72 units, rounded. Text is measured and shaped with the words of its
// owner, such as the grid or the preview document; given a recorder, its words are recorded
// rather than drawn.
class Canvas
{
public:
    Canvas(QPainter &painter, int pixelsPerInch, WordCache &words, WordRecorder *recorder = nullptr);

    QPainter &painter() { return m_painter; }
    int pixelsPerInch() const { return m_ppi; }

    QFont font() const { return m_font; }
    void setFont(const QFont &font);
    void setFontName(const QString &face);
    void setFontSize(int points);
    // The size last set in points; 0 when the font came whole from elsewhere.
    int fontSize() const { return m_fontSize; }
    void setFontStyle(bool bold, bool italic, bool underline);
    QColor fontColor() const { return m_fontColor; }
    void setFontColor(const QColor &color) { m_fontColor = color; }
    // Degrees counter-clockwise in which text runs; 90 reads from bottom to top.
    void setEscapement(int degrees) { m_escapement = degrees; }

    FontHandle fontHandle() const { return {m_font, m_escapement}; }
    void setFontHandle(const FontHandle &handle);

    QBrush brush() const { return m_brush; }
    void setBrush(const QBrush &brush) { m_brush = brush; }
    void setBrushColor(const QColor &color);
    QPen pen() const { return m_pen; }
    void setPen(const QPen &pen) { m_pen = pen; }

    const TextMetrics &metrics() const;
    // Widths and heights in the current font at another size.
    TextMetrics metricsAtSize(int points) const;
    int textWidth(QStringView text) const { return metrics().width(text); }
    int textHeight() const { return metrics().height(); }

    // The text with its top-left corner at (x, y), its box filled with the brush first. With an
    // escapement of 90 the box's lower-left corner is at (x, y) and the text runs upward.
    void textOut(int x, int y, QStringView text);
    // Outlined with the pen and filled with the brush; covers left..right-1 and top..bottom-1.
    void rectangle(int left, int top, int right, int bottom);
    void fillRect(const QRect &rect);

private:
    int sizeInUnits(int points) const;
    void putWord(const QPointF &baseline, const FontWords::Word &word);

    QPainter &m_painter;
    int m_ppi;
    WordCache &m_words;
    WordRecorder *m_recorder;
    QFont m_font;
    int m_fontSize = 0;
    QColor m_fontColor;
    int m_escapement = 0;
    QBrush m_brush = QBrush(Qt::white);
    QPen m_pen = QPen(Qt::black, 1);
    mutable std::optional<TextMetrics> m_metrics;
};
