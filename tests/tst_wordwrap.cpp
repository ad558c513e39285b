#include "platform/canvas.h"
#include "platform/wordwrap.h"

#include <QtTest>
#include <QImage>
#include <QPainter>

namespace {

QFont testFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    return font;
}

} // namespace

class tst_WordWrap : public QObject
{
    Q_OBJECT

private slots:
    void lines_data();
    void lines();
    void measureEqualsDraw();
    void indent_data();
    void indent();
    void alignmentWords();

private:
    WordCache words;
};

// Limits are built from the font's own widths so that each case sits exactly on its boundary.
void tst_WordWrap::lines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QList<int>>("wordsPerLine");

    const TextMetrics m(words, testFont());
    const int sw = m.width(u" ");
    const int exact = sw + m.width(u"aaa ") + sw + m.width(u"bbb");
    QTest::newRow("empty text is one line") << "" << 100 << QList<int>{1};
    QTest::newRow("fits on one line") << "aaa bbb" << 1000 << QList<int>{2};
    QTest::newRow("limit reached exactly breaks") << "aaa bbb" << exact << QList<int>{1, 1};
    QTest::newRow("one unit more fits") << "aaa bbb" << exact + 1 << QList<int>{2};
    QTest::newRow("overlong first word gives an empty first line")
        << "wide" << sw + m.width(u"wide") << QList<int>{0, 1};
    QTest::newRow("overlong middle word stands alone") << "a wwwwwwwwwwww b" << sw + m.width(u"a ") + 2
                                                       << QList<int>{1, 1, 1};
    const int twoBlanks = sw + m.width(u"a ") + sw + m.width(u" ") + sw + m.width(u"b");
    QTest::newRow("two blanks make a blank word") << "a  b" << twoBlanks + 1 << QList<int>{3};
    QTest::newRow("two blanks, one unit less") << "a  b" << twoBlanks << QList<int>{2, 1};
    QTest::newRow("trailing blank gives an empty last word") << "a " << 1000 << QList<int>{2};
    QTest::newRow("line end is no break") << "a\nb" << 1000 << QList<int>{1};
}

void tst_WordWrap::lines()
{
    QFETCH(QString, text);
    QFETCH(int, limit);
    QFETCH(QList<int>, wordsPerLine);
    const TextMetrics m(words, testFont());
    const WrappedText wrapped = wrapText(m, text, limit);
    QList<int> counts;
    for (const WrappedText::Line &line : wrapped.lines)
        counts.append(int(line.wordCount));
    QCOMPARE(counts, wordsPerLine);
    QCOMPARE(wrapped.height(), int(wordsPerLine.size()) * m.height() + 2);
    QCOMPARE(measureWrappedText(m, text, limit), wrapped.height());
    QCOMPARE(unbrokenLimit(m, text) <= limit, wordsPerLine.size() == 1);
}

void tst_WordWrap::measureEqualsDraw()
{
    QImage image(400, 400, QImage::Format_RGB32);
    QPainter painter(&image);
    Canvas canvas(painter, 96, words);
    canvas.setFont(testFont());
    const QString text = QStringLiteral("Кількість учнів, які навчаються у класах з поглибленим вивченням предметів");
    for (int limit : {1, 30, 77, 150, 399}) {
        QCOMPARE(drawWrappedText(canvas, text, TextAlignment::Left, 0, 0, limit, 3),
                 measureWrappedText(canvas.metrics(), text, limit));
    }
}

void tst_WordWrap::indent_data()
{
    QTest::addColumn<QString>("alignment");
    QTest::addColumn<int>("inset");
    QTest::newRow("left, grid inset") << "left" << 3;
    QTest::newRow("center, report inset") << "center" << 1;
    QTest::newRow("right, grid inset") << "right" << 3;
}

// The first column the brush box covers shows where the line was put out.
void tst_WordWrap::indent()
{
    QFETCH(QString, alignment);
    QFETCH(int, inset);
    QImage image(300, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    Canvas canvas(painter, 96, words);
    canvas.setFont(testFont());
    canvas.setBrushColor(Qt::red);
    const int left = 20, width = 200;
    drawWrappedText(canvas, QStringLiteral("ab"), alignmentFromWord(alignment), left, 5, left + width, inset);
    painter.end();
    const int running = canvas.textWidth(u" ") + canvas.textWidth(u"ab");
    int expected = left + inset;
    if (alignment == "center")
        expected += (width - running) / 2;
    if (alignment == "right")
        expected += width - running;
    int first = -1;
    for (int x = 0; x < image.width() && first < 0; ++x) {
        if (image.pixelColor(x, 6) == QColor(Qt::red))
            first = x;
    }
    QCOMPARE(first, expected);
    QCOMPARE(image.pixelColor(expected, 5), QColor(Qt::white)); // one unit below the box's top
}

void tst_WordWrap::alignmentWords()
{
    QCOMPARE(alignmentFromWord(u"center"), TextAlignment::Center);
    QCOMPARE(alignmentFromWord(u"right"), TextAlignment::Right);
    QCOMPARE(alignmentFromWord(u"left"), TextAlignment::Left);
    QCOMPARE(alignmentFromWord(u"Center"), TextAlignment::Left);
}

QTEST_MAIN(tst_WordWrap)
#include "tst_wordwrap.moc"
