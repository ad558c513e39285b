#include "report/reportdrawing.h"
#include "support/textcapture.h"

#include <QPainter>
#include <QtTest>

namespace {

struct PageCanvas
{
    TextCapture device;
    QPainter painter{&device};
    WordCache words;
    Canvas canvas{painter, 96, words};

    PageCanvas()
    {
        canvas.setFontName(QStringLiteral("Times New Roman"));
        canvas.setFontSize(28);
    }
    int L() const { return canvas.textHeight(); }
    int ascent() const { return canvas.metrics().fontMetrics().ascent(); }
    // The top of the box the text was put out in.
    int topOf(const QString &text) const
    {
        const TextCapture::Text *t = device.find(text);
        return t ? qRound(t->origin.y()) - ascent() : -1;
    }
    int leftOf(const QString &text) const
    {
        const TextCapture::Text *t = device.find(text);
        return t ? qRound(t->origin.x()) : -1;
    }
};

const QString longText = QStringLiteral(
    "Кількість учнів 9-х класів, які отримали свідоцтво про базову загальну середню освіту з відзнакою "
    "за результатами навчального року");

} // namespace

class tst_ReportDrawing : public QObject
{
    Q_OBJECT

private slots:
    void textHeights_data();
    void textHeights();
    void emptyRow();
    void verticalCentring();
    void cellsShareBorders();
    void spanRowTextOneUnitLower();
    void rotatedText();
    void footer();
};

void tst_ReportDrawing::textHeights_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("lines");
    QTest::newRow("empty") << "" << 940 << 1;
    QTest::newRow("one line") << "Вхідні дані" << 940 << 1;
    QTest::newRow("overlong first word") << "Найдовшеслово" << 20 << 2;
}

void tst_ReportDrawing::textHeights()
{
    QFETCH(QString, text);
    QFETCH(int, limit);
    QFETCH(int, lines);
    PageCanvas page;
    QCOMPARE(MeasureWrappedText(page.canvas, text, limit), lines * page.L() + 2);
    QCOMPARE(DrawWrappedText(page.canvas, text, QStringLiteral("left"), 0, 0, limit), lines * page.L() + 2);
}

void tst_ReportDrawing::emptyRow()
{
    PageCanvas page;
    const Inset inset{5, 5, 5, 5};
    QCOMPARE(MeasureTableRow(page.canvas, inset, RowCells{}, 0), page.L() + 2 + 10);
    QCOMPARE(MeasureTableRow(page.canvas, inset, RowCells{}, 500), 500);
    QCOMPARE(MeasureSpanRow(page.canvas, inset, QString(), 0), page.L() + 2 + 10);
}

void tst_ReportDrawing::verticalCentring()
{
    PageCanvas page;
    const Inset inset{15, 5, 5, 5};
    RowCells cells;
    cells[0] = QStringLiteral("1.1.");
    cells[2] = longText;
    const int y = 300;
    const int H = DrawTableRow(page.canvas, 100, y, inset, true, QStringLiteral("left"), cells, 0);
    const int tall = MeasureWrappedText(page.canvas, longText, ColumnWidths[2] - 20);
    QVERIFY(tall > page.L() + 2);
    QCOMPARE(H, tall + 10);
    // The tallest cell starts at the top inset: its first line one unit lower.
    QCOMPARE(page.topOf(QStringLiteral("Кількість ")), y + 6);
    const int shortHeight = page.L() + 2;
    QCOMPARE(page.topOf(cells[0]), y + H / 2 - shortHeight / 2 + 1);
    // Column 0 is centred in its box, column 2 starts at the left inset plus the text inset.
    QCOMPARE(page.leftOf(QStringLiteral("Кількість ")), 100 + 110 + 150 + 15 + 1);
}

void tst_ReportDrawing::cellsShareBorders()
{
    PageCanvas page;
    DrawTableRow(page.canvas, 100, 200, Inset{5, 5, 5, 5}, true, QStringLiteral("center"), RowCells{}, 0);
    QList<QRectF> outlines;
    for (const TextCapture::Rect &r : page.device.rects) {
        if (r.outlined)
            outlines.append(r.rect);
    }
    QCOMPARE(outlines.size(), 8);
    int x = 100;
    for (int k = 0; k < 8; ++k) {
        // A 1-unit outline centred half a unit inside the covered area x..x+width.
        QCOMPARE(outlines[k].left(), x + 0.5);
        QCOMPARE(outlines[k].right(), x + ColumnWidths[size_t(k)] + 0.5);
        x += ColumnWidths[size_t(k)];
    }
}

void tst_ReportDrawing::spanRowTextOneUnitLower()
{
    PageCanvas page;
    const int H = DrawSpanRow(page.canvas, 100, 400, Inset{5, 5, 5, 5}, true, QStringLiteral("center"),
                              QStringLiteral("1. Розділ"), 0);
    QCOMPARE(H, page.L() + 2 + 10);
    QCOMPARE(page.topOf(QStringLiteral("1. ")), 400 + (H / 2 - (page.L() + 2) / 2) + 1 + 1);
}

void tst_ReportDrawing::rotatedText()
{
    PageCanvas page;
    const FontHandle upright = page.canvas.fontHandle();
    page.canvas.setFontHandle(CreateRotatedFont(upright, 90));
    page.canvas.textOut(500, 900, QStringLiteral("Статистичний"));
    page.canvas.setFontHandle(CreateRotatedFont(page.canvas.fontHandle(), 0));
    page.canvas.textOut(10, 10, QStringLiteral("рівно"));
    const TextCapture::Text *rotated = page.device.find(QStringLiteral("Статистичний"));
    QVERIFY(rotated);
    QCOMPARE(rotated->angle, -90.0);
    // Lower-left corner at (500, 900): the baseline lies one ascent to the right of x.
    QCOMPARE(qRound(rotated->origin.x()), 500 + page.ascent());
    QCOMPARE(qRound(rotated->origin.y()), 900);
    QCOMPARE(page.device.find(QStringLiteral("рівно"))->angle, 0.0);
    QCOMPARE(page.canvas.font(), upright.font);
}

void tst_ReportDrawing::footer()
{
    PageCanvas page;
    DrawPageFooter(page.canvas, 100, 1880, 2770, 0);
    QCOMPARE(page.device.textList(), (QStringList{QStringLiteral("АС \"Зоріс\""), QStringLiteral("Сторінка №1")}));
    const QString number = QStringLiteral("Сторінка №1");
    QCOMPARE(page.leftOf(number), 2770 - page.canvas.textWidth(number) - 50);
    QCOMPARE(page.topOf(number), 1885);
    const QString mark = QStringLiteral("АС \"Зоріс\"");
    QCOMPARE(page.leftOf(mark), 100 + 1335 - page.canvas.textWidth(mark) / 2);
    QCOMPARE(page.canvas.fontColor(), QColor(128, 128, 128));
    QVERIFY(page.canvas.font().bold() && page.canvas.font().italic());
}

QTEST_MAIN(tst_ReportDrawing)
#include "tst_reportdrawing.moc"
