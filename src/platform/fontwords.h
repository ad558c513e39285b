#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QRectF>
#include <QString>

#include <deque>
#include <optional>

struct ShapedText
{
    QList<QGlyphRun> runs; // positioned with the baseline at y = 0
    QRectF ink;            // what the glyphs and their decorations cover, from the same origin
};

// The words met in one font at one resolution, each measured once and shaped once when it is
// first drawn: the grid and the report put out the same words again and again. Words are kept
// for the whole run, so references to them stay valid.
class FontWords
{
public:
    struct Word
    {
        QString text;
        int width;
        const FontWords *owner;
        mutable std::optional<ShapedText> shaped;
    };

    // A resolution of 0 stands for the screen's.
    static FontWords &of(const QFont &font, int dpi);

    const QFont &font() const { return m_font; }
    int dpi() const { return m_dpi; }
    const QFontMetrics &metrics() const { return m_metrics; }

    const Word &word(QStringView text);
    static const ShapedText &shaped(const Word &word);

    FontWords(const QFont &font, int dpi);
    FontWords(const FontWords &) = delete;
    FontWords &operator=(const FontWords &) = delete;

private:
    QFont m_font;
    int m_dpi;
    QFontMetrics m_metrics;
    std::deque<Word> m_words;
    // Keys view the texts of m_words, which never move.
    QHash<QStringView, const Word *> m_index;
};
