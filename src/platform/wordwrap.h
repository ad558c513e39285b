#pragma once

#include <QList>
#include <QString>

class Canvas;
class TextMetrics;

enum class TextAlignment { Left, Center, Right };

// "left", "center" or "right", compared exactly; any other word aligns left.
TextAlignment alignmentFromWord(QStringView word);

// The one word-wrap rule of the grid and the report. Words end after each blank (the blank
// belongs to the word); the first word of the text is charged one blank width more than the
// first word of a later line, each further word of a line one blank width on top of its own;
// a word breaks to a new line when the running width would reach the limit (>=). No word is
// split and nothing is clipped. The height is lines x line height + 2.
struct WrappedText
{
    struct Word
    {
        QStringView text;
        int width;
    };
    struct Line
    {
        qsizetype firstWord;
        qsizetype wordCount;
        int width; // the running width when the line ended
    };

    QList<Word> words;
    QList<Line> lines;
    int blankWidth = 0;
    int lineHeight = 0;

    int height() const { return int(lines.size()) * lineHeight + 2; }
};

// The words of text must outlive the result.
WrappedText wrapText(const TextMetrics &metrics, QStringView text, int limit);
int measureWrappedText(const TextMetrics &metrics, QStringView text, int limit);
// The texts of the lines the text wraps onto at limit, each from its first word to its last
// without the last one's blank; lines that hold nothing are left out.
QList<QStringView> wrappedLines(const TextMetrics &metrics, QStringView text, int limit);
// The least limit at which the text stays on one line.
int unbrokenLimit(const TextMetrics &metrics, QStringView text);
// The largest size in points, from the canvas font's own down to smallest, at which the text
// stays on one line within limit; smallest where none does, the font's own where it has no size.
int fittingFontSize(const Canvas &canvas, QStringView text, int limit, int smallest);
// Draws the wrapped text into the box left..right from top, each word put out at
// left + indent + inset, top + line x line height + 1; gives the height.
int drawWrappedText(Canvas &canvas, const QString &text, TextAlignment alignment, int left, int top, int right,
                    int inset);
