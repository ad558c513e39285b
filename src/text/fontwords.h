#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QRectF>
#include <QString>

#include <deque>
#include <memory>

struct ShapedText
{
    QList<QGlyphRun> runs; // positioned with the baseline at y = 0
    QRectF ink;            // what the glyphs and their decorations cover, from the same origin
};

// The words met in one font at one resolution, each measured once and shaped once when it is
// first drawn: the grid and the report put out the same words again and again. Words are kept
// as long as their FontWords, so references to them stay valid.
class FontWords
{
public:
    struct Word
    {
        QString text;
        int width;
        const FontWords *owner;
        mutable std::unique_ptr<ShapedText> shaped; // made when first drawn
    };

    const QFont &font() const { return m_font; }
    int dpi() const { return m_dpi; }
    const QFontMetrics &metrics() const { return m_metrics; }

    const Word &word(QStringView text) { return *entry(text).word; }
    int width(QStringView text) { return entry(text).width; }
    int blankWidth() const { return m_blankWidth; }
    static const ShapedText &shaped(const Word &word);

    // Whether the word is measured in pieces and drawn only in the part that can show.
    static bool isLong(const Word &word);
    // The part of a word of this font that can show between from and to, measured from the
    // word's start, and where it begins: the whole word where it all shows or is short, else
    // whole pieces of a few characters, so that a word far wider than any page is never shaped
    // or drawn whole. No word where nothing shows.
    struct Part
    {
        int offset;
        const Word *word;
    };
    Part visiblePart(const Word &word, qreal from, qreal to);

    FontWords(const QFont &font, int dpi);
    FontWords(const FontWords &) = delete;
    FontWords &operator=(const FontWords &) = delete;

private:
    // The width sits beside the key: measuring touches nothing else.
    struct Entry
    {
        int width;
        const Word *word;
    };
    Entry entry(QStringView text);
    int measure(const QString &text) const;

    QFont m_font;
    int m_dpi;
    QFontMetrics m_metrics;
    int m_blankWidth;
    std::deque<Word> m_words;
    // Keys view the texts of m_words, which never move.
    QHash<QStringView, Entry> m_index;
};

// The words of every font one owner draws in, such as the grid or the preview document's pages;
// emptied by dropping it.
class WordCache
{
public:
    WordCache() = default;
    WordCache(const WordCache &) = delete;
    WordCache &operator=(const WordCache &) = delete;

    // A resolution of 0 stands for the screen's.
    FontWords &of(const QFont &font, int dpi);

private:
    QHash<std::pair<QFont, int>, std::shared_ptr<FontWords>> m_fonts;
    FontWords *m_last = nullptr;
};
