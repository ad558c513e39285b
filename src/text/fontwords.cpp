#include "fontwords.h"

#include <QPaintDevice>
#include <QRawFont>
#include <QTextLayout>

#include <memory>
#include <utility>

namespace {

// Stands in for a device of the given resolution when text is measured and laid out.
class ResolutionDevice : public QPaintDevice
{
public:
    explicit ResolutionDevice(int dpi) : m_dpi(dpi) {}
    QPaintEngine *paintEngine() const override { return nullptr; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return m_dpi;
        default:
            return QPaintDevice::metric(metric);
        }
    }

private:
    int m_dpi;
};

QFontMetrics metricsFor(const QFont &font, int dpi)
{
    if (dpi <= 0)
        return QFontMetrics(font);
    const ResolutionDevice device(dpi);
    return QFontMetrics(font, &device);
}

ShapedText shape(const QString &text, const QFont &font, int dpi)
{
    const ResolutionDevice device(dpi);
    QTextLayout layout(text, font, dpi > 0 ? &device : nullptr);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    ShapedText shaped;
    if (!line.isValid())
        return shaped;
    const qreal ascent = line.ascent();
    for (QGlyphRun run : layout.glyphRuns()) {
        QList<QPointF> positions = run.positions();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QRawFont rawFont = run.rawFont();
        for (qsizetype i = 0; i < positions.size(); ++i) {
            positions[i].ry() -= ascent;
            if (i < glyphs.size())
                shaped.ink |= rawFont.boundingRect(glyphs[i]).translated(positions[i]);
        }
        run.setPositions(positions);
        shaped.runs.append(run);
    }
    if (font.underline() || font.overline() || font.strikeOut())
        shaped.ink |= QRectF(0, -ascent, line.naturalTextWidth(), line.height());
    return shaped;
}

// Words longer than this are measured and drawn piece by piece: the font engine's own widths
// overflow at about a million characters, and its layout of one run grows faster than its length.
constexpr qsizetype LongWord = 1024;
// No width beyond this: sums of widths and positions stay far from overflowing.
constexpr qint64 WidestWord = qint64(1) << 28;

// Gives onPiece where each piece of a few characters of text begins and its width, in order,
// while it returns true. No piece ends inside a character made of several code units or marks.
template<typename OnPiece>
void walkPieces(const QFontMetrics &metrics, QStringView text, OnPiece onPiece)
{
    constexpr qsizetype PieceLength = 64;
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = qMin(text.size(), start + PieceLength);
        while (end < text.size() && (text[end].isLowSurrogate() || text[end].isMark()))
            ++end;
        if (!onPiece(start, metrics.horizontalAdvance(text.sliced(start, end - start).toString())))
            return;
        start = end;
    }
}

} // namespace

FontWords::FontWords(const QFont &font, int dpi)
    : m_font(font)
    , m_dpi(dpi)
    , m_metrics(metricsFor(font, dpi))
    , m_blankWidth(m_metrics.horizontalAdvance(QStringLiteral(" ")))
{
}

FontWords &WordCache::of(const QFont &font, int dpi)
{
    if (m_last && dpi == m_last->dpi() && font == m_last->font())
        return *m_last;
    auto &slot = m_fonts[std::pair(font, dpi)];
    if (!slot)
        slot = std::make_shared<FontWords>(font, dpi);
    m_last = slot.get();
    return *m_last;
}

FontWords::Entry FontWords::entry(QStringView text)
{
    const auto it = m_index.constFind(text);
    if (it != m_index.constEnd())
        return *it;
    const QString key = text.toString();
    m_words.push_back(Word{key, measure(key), this, {}});
    const Word &added = m_words.back();
    const Entry entry{added.width, &added};
    m_index.insert(QStringView(added.text), entry);
    return entry;
}

const ShapedText &FontWords::shaped(const Word &word)
{
    if (!word.shaped)
        word.shaped = std::make_unique<ShapedText>(shape(word.text, word.owner->m_font, word.owner->m_dpi));
    return *word.shaped;
}

int FontWords::measure(const QString &text) const
{
    if (text.size() <= LongWord)
        return text.isEmpty() ? 0 : m_metrics.horizontalAdvance(text);
    qint64 width = 0;
    walkPieces(m_metrics, text, [&](qsizetype, int w) {
        width += w;
        return width < WidestWord;
    });
    return int(qMin(width, WidestWord));
}

bool FontWords::isLong(const Word &word)
{
    return word.text.size() > LongWord;
}

FontWords::Part FontWords::visiblePart(const Word &word, qreal from, qreal to)
{
    if (!isLong(word) || (from <= 0 && to >= word.width))
        return {0, &word};
    const QStringView text(word.text);
    qsizetype first = -1;
    qsizetype last = text.size();
    int offset = 0;
    int x = 0;
    walkPieces(m_metrics, text, [&](qsizetype start, int w) {
        if (x >= to) {
            last = start;
            return false;
        }
        if (first < 0 && x + w > from) {
            first = start;
            offset = x;
        }
        x += w;
        return true;
    });
    if (first < 0 || first >= last)
        return {0, nullptr};
    return {offset, &this->word(text.sliced(first, last - first))};
}
