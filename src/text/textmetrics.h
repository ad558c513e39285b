#pragma once

#include "fontwords.h"

class QPaintDevice;

// Widths and heights of text in one font on one kind of device; widths come from the words met
// in that font so far (FontWords), kept in words.
class TextMetrics
{
public:
    TextMetrics(WordCache &words, const QFont &font, const QPaintDevice *device = nullptr);

    int width(QStringView text) const { return m_words->width(text); }
    int blankWidth() const { return m_words->blankWidth(); }
    const FontWords::Word &word(QStringView text) const { return m_words->word(text); }
    // The height of a line of text; the same for every string in the font.
    int height() const { return m_height; }
    const QFontMetrics &fontMetrics() const { return m_words->metrics(); }

private:
    FontWords *m_words;
    int m_height;
};
