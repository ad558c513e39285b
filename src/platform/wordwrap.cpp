#include "wordwrap.h"

#include "canvas.h"
#include "text/textmetrics.h"

#include <limits>

TextAlignment alignmentFromWord(QStringView word)
{
    if (word == u"center")
        return TextAlignment::Center;
    if (word == u"right")
        return TextAlignment::Right;
    return TextAlignment::Left;
}

namespace {

// Splits the text into words, each with its trailing blank, and breaks it into lines at limit:
// onWord gets every word and its width in order, onLineEnd the running width of each line as it
// ends, before the word that breaks it. Wrapping and measuring share this one walk.
template<typename OnWord, typename OnLineEnd>
void breakLines(const TextMetrics &metrics, QStringView text, int limit, OnWord onWord, OnLineEnd onLineEnd)
{
    const int sw = metrics.blankWidth();
    int running = 0;
    qsizetype start = 0;
    for (;;) {
        const qsizetype blank = text.indexOf(u' ', start);
        const qsizetype end = blank < 0 ? text.size() : blank + 1;
        const QStringView word = text.sliced(start, end - start);
        const int w = metrics.width(word);
        const int t = running + sw + w;
        if (t >= limit) {
            onLineEnd(running);
            running = w;
        } else {
            running = t;
        }
        onWord(word, w);
        if (blank < 0)
            break;
        start = end;
    }
    onLineEnd(running);
}

} // namespace

WrappedText wrapText(const TextMetrics &metrics, QStringView text, int limit)
{
    WrappedText result;
    result.blankWidth = metrics.blankWidth();
    result.lineHeight = metrics.height();
    qsizetype lineStart = 0;
    breakLines(
        metrics, text, limit, [&](QStringView word, int w) { result.words.append({word, w}); },
        [&](int width) {
            // Called before the breaking word is added: the line holds the words so far.
            const qsizetype end = result.words.size();
            result.lines.append({lineStart, end - lineStart, width});
            lineStart = end;
        });
    return result;
}

QList<QStringView> wrappedLines(const TextMetrics &metrics, QStringView text, int limit)
{
    const WrappedText wrapped = wrapText(metrics, text, limit);
    QList<QStringView> lines;
    for (const WrappedText::Line &line : wrapped.lines) {
        if (line.wordCount == 0)
            continue;
        const QStringView first = wrapped.words[line.firstWord].text;
        const QStringView last = wrapped.words[line.firstWord + line.wordCount - 1].text;
        QStringView shown(first.data(), last.data() + last.size());
        if (shown.endsWith(u' '))
            shown.chop(1);
        if (!shown.isEmpty())
            lines.append(shown);
    }
    return lines;
}

int unbrokenLimit(const TextMetrics &metrics, QStringView text)
{
    int width = 0;
    breakLines(
        metrics, text, std::numeric_limits<int>::max(), [](QStringView, int) {}, [&](int running) { width = running; });
    return width + 1;
}

int fittingFontSize(const Canvas &canvas, QStringView text, int limit, int smallest)
{
    int size = canvas.fontSize();
    if (size <= 0 || unbrokenLimit(canvas.metrics(), text) <= limit)
        return size;
    while (size > smallest) {
        --size;
        if (unbrokenLimit(canvas.metricsAtSize(size), text) <= limit)
            break;
    }
    return size;
}

// Counts lines without keeping words: the measuring path of every row height.
int measureWrappedText(const TextMetrics &metrics, QStringView text, int limit)
{
    int lines = 0;
    breakLines(metrics, text, limit, [](QStringView, int) {}, [&](int) { ++lines; });
    return lines * metrics.height() + 2;
}

int drawWrappedText(Canvas &canvas, const QString &text, TextAlignment alignment, int left, int top, int right,
                    int inset)
{
    const int limit = right - left;
    const WrappedText wrapped = wrapText(canvas.metrics(), text, limit);
    for (qsizetype i = 0; i < wrapped.lines.size(); ++i) {
        const WrappedText::Line &line = wrapped.lines[i];
        int x = 0;
        if (alignment == TextAlignment::Center)
            x = (limit - line.width) / 2;
        else if (alignment == TextAlignment::Right)
            x = limit - line.width;
        const int y = top + int(i) * wrapped.lineHeight + 1;
        for (qsizetype k = line.firstWord; k < line.firstWord + line.wordCount; ++k) {
            const WrappedText::Word &word = wrapped.words[k];
            if (!word.text.isEmpty())
                canvas.textOut(left + x + inset, y, word.text);
            x += word.width + wrapped.blankWidth;
        }
    }
    return wrapped.height();
}
