// Recorded pages played back: the same pixels as drawing directly, within the target's clip,
// and on white paper without the white fills that cannot show.
#include "support/textcapture.h"

#include "platform/canvas.h"
#include "preview/pagerecorder.h"
#include "preview/previewdocument.h"
#include "preview/recordedpage.h"
#include "text/shapedtext.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTest>

#include <functional>

namespace {

constexpr int Width = 600;
constexpr int Height = 400;
// Draws on painter; words put out through a canvas go to recorder when there is one.
using Scene = std::function<void(QPainter &painter, WordRecorder *recorder)>;

} // namespace

Q_DECLARE_METATYPE(Scene)

namespace {

QImage whiteImage()
{
    QImage image(Width, Height, QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(3780); // 96 dots per inch, as recorded pages count
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    return image;
}

QImage drawnDirectly(const Scene &scene)
{
    QImage image = whiteImage();
    QPainter painter(&image);
    scene(painter, nullptr);
    return image;
}

RecordedPage recorded(const Scene &scene)
{
    PageRecorder recorder(QRect(0, 0, Width, Height), std::make_shared<WordCache>());
    QPainter painter(&recorder);
    scene(painter, &recorder);
    painter.end();
    return recorder.take();
}

QImage played(const RecordedPage &page, bool whitePaper)
{
    QImage image = whiteImage();
    QPainter painter(&image);
    if (whitePaper)
        page.printOnWhitePaper(painter, QRect(0, 0, Width, Height));
    else
        page.play(painter, QRect(0, 0, Width, Height));
    return image;
}

QFont sceneFont(bool bold = false, bool underline = false)
{
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(18);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

// The words scenes draw with, as the grid's or a document's would be.
WordCache &sceneWords()
{
    static WordCache words;
    return words;
}

// Words the way the report puts them out: each with a white box behind it, in cells that share
// borders, one row bold, one text underlined over a line, one turned upwards.
void reportLike(QPainter &painter, WordRecorder *recorder)
{
    Canvas canvas(painter, 96, sceneWords(), recorder);
    canvas.setFont(sceneFont());
    int x = 10;
    for (int k = 0; k < 3; ++k) {
        canvas.rectangle(x, 20, x + 151, 121);
        canvas.textOut(x + 5, 30, QStringLiteral("слово "));
        canvas.textOut(x + 70, 30, QStringLiteral("інше"));
        canvas.textOut(x + 5, 60, QStringLiteral("ще одне"));
        x += 150;
    }
    canvas.setFont(sceneFont(true));
    canvas.textOut(20, 140, QStringLiteral("Жирний рядок розділу"));
    canvas.textOut(20, 170, QString(40, QLatin1Char('_')));
    canvas.setFont(sceneFont(false, true));
    canvas.textOut(60, 173, QStringLiteral("Назва школи"));
    canvas.setFont(sceneFont());
    canvas.setEscapement(90);
    canvas.textOut(520, 300, QStringLiteral("Догори"));
    canvas.setEscapement(0);
    canvas.setFontColor(QColor(128, 128, 128));
    canvas.textOut(300, 360, QStringLiteral("Сторінка №1"));
}

// Words whose pen, transform and clip the painter has not yet sent to its device when they are
// put out: no box behind them makes it do so.
void wordsOnNewState(QPainter &painter, WordRecorder *recorder)
{
    Canvas canvas(painter, 96, sceneWords(), recorder);
    canvas.setFont(sceneFont());
    canvas.setBrush(Qt::NoBrush);
    canvas.textOut(20, 20, QStringLiteral("перше"));
    painter.setClipRect(QRect(0, 0, 90, Height));
    canvas.setFontColor(Qt::red);
    canvas.textOut(40, 60, QStringLiteral("обрізане слово"));
    painter.setClipping(false);
    painter.translate(30, 100);
    canvas.textOut(40, 60, QStringLiteral("ціле слово"));
    painter.rotate(-20);
    painter.setClipRect(QRect(0, 100, 200, 40));
    canvas.textOut(10, 110, QStringLiteral("повернуте під кліпом"));
}

// Plain painter calls of every kind a page may hold.
void everyCall(QPainter &painter, WordRecorder *)
{
    painter.setPen(QPen(Qt::darkBlue, 3));
    painter.drawLine(10, 10, 580, 390);
    painter.setBrush(QColor(200, 30, 30));
    painter.drawEllipse(QRect(40, 200, 120, 80));
    QPainterPath path;
    path.moveTo(300, 50);
    path.cubicTo(400, 0, 450, 150, 550, 60);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    const QPoint triangle[] = {{200, 300}, {260, 380}, {140, 380}};
    painter.setBrush(Qt::green);
    painter.drawPolygon(triangle, 3);
    painter.save();
    painter.translate(400, 250);
    painter.rotate(30);
    painter.fillRect(QRect(0, 0, 80, 40), QColor(0, 0, 255, 128));
    painter.restore();
    painter.setClipRect(QRect(0, 0, 300, 400));
    painter.setFont(sceneFont());
    painter.setPen(Qt::black);
    painter.drawText(QPoint(250, 150), QStringLiteral("обрізаний текст"));
    painter.setClipping(false);
    QImage tile(8, 8, QImage::Format_RGB32);
    tile.fill(Qt::magenta);
    painter.drawImage(QRect(500, 300, 40, 40), tile);
}

int differingPixels(const QImage &a, const QImage &b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y);
    return count;
}

int filledRects(const RecordedPage &page, bool whitePaper)
{
    TextCapture capture(Width, Height);
    QPainter painter(&capture);
    if (whitePaper)
        page.printOnWhitePaper(painter, QRect(0, 0, Width, Height));
    else
        page.play(painter, QRect(0, 0, Width, Height));
    painter.end();
    int count = 0;
    for (const TextCapture::Rect &rect : capture.rects)
        count += rect.filled && !rect.outlined;
    return count;
}

} // namespace

class tst_RecordedPage : public QObject
{
    Q_OBJECT

private slots:
    void playsAsDrawn_data();
    void playsAsDrawn();
    void keepsWithinTargetClip();
    void scalesFrameOntoTarget();
    void whitePaperLeavesOutOnlyInvisibleFills();
    void textKeptAsText();
    void decoratedTextAsThePainterDrawsIt();
    void pagesKeepTheirWords();
};

void tst_RecordedPage::playsAsDrawn_data()
{
    QTest::addColumn<Scene>("scene");
    QTest::newRow("report-like words and cells") << Scene(reportLike);
    QTest::newRow("every kind of call") << Scene(everyCall);
    QTest::newRow("words on a state not yet sent") << Scene(wordsOnNewState);
}

void tst_RecordedPage::playsAsDrawn()
{
    QFETCH(Scene, scene);
    const QImage direct = drawnDirectly(scene);
    QVERIFY(differingPixels(direct, whiteImage()) > 2000);
    const RecordedPage page = recorded(scene);
    QCOMPARE(differingPixels(played(page, false), direct), 0);
    QCOMPARE(differingPixels(played(page, true), direct), 0);
}

void tst_RecordedPage::keepsWithinTargetClip()
{
    // The page sets and drops clips of its own; nothing may reach outside the target's clip.
    const RecordedPage page = recorded(everyCall);
    QImage image = whiteImage();
    QPainter painter(&image);
    painter.setClipRect(QRect(100, 100, 200, 150));
    page.play(painter, QRect(0, 0, Width, Height));
    painter.end();
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            if (!QRect(100, 100, 200, 150).contains(x, y) && image.pixel(x, y) != qRgb(255, 255, 255))
                QFAIL(qPrintable(QStringLiteral("painted outside the clip at %1, %2").arg(x).arg(y)));
}

void tst_RecordedPage::scalesFrameOntoTarget()
{
    const RecordedPage page = recorded([](QPainter &p, WordRecorder *) { p.fillRect(QRect(0, 0, Width / 2, Height / 2), Qt::black); });
    QCOMPARE(page.frame(), QRect(0, 0, Width, Height));
    QImage image = whiteImage();
    QPainter painter(&image);
    page.play(painter, QRect(100, 50, Width / 2, Height / 2));
    painter.end();
    // The black quarter of the page lands as the top-left quarter of the target.
    QCOMPARE(image.pixel(100, 50), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(100 + Width / 4 - 1, 50 + Height / 4 - 1), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(100 + Width / 4, 50), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(99, 50), qRgb(255, 255, 255));
}

void tst_RecordedPage::whitePaperLeavesOutOnlyInvisibleFills()
{
    const RecordedPage page = recorded([](QPainter &p, WordRecorder *recorder) {
        Canvas canvas(p, 96, sceneWords(), recorder);
        canvas.setFont(sceneFont());
        canvas.textOut(20, 20, QStringLiteral("на чистому")); // its white box covers nothing
        canvas.setBrush(QBrush(Qt::NoBrush));
        canvas.rectangle(10, 100, 200, 200);
        canvas.setBrushColor(Qt::white);
        canvas.textOut(5, 140, QStringLiteral("через рамку")); // its box crosses the outline
        p.fillRect(QRect(300, 100, 50, 50), Qt::black);
        p.fillRect(QRect(320, 120, 50, 50), Qt::white); // over the black square
    });
    QCOMPARE(filledRects(page, false), 4);
    QCOMPARE(filledRects(page, true), 3);
    QCOMPARE(differingPixels(played(page, true), played(page, false)), 0);
}

void tst_RecordedPage::textKeptAsText()
{
    // Engines that are not glyph engines get the words themselves, at their places.
    const RecordedPage page = recorded(reportLike);
    TextCapture capture(Width, Height);
    QPainter painter(&capture);
    page.play(painter, QRect(0, 0, Width, Height));
    painter.end();
    QVERIFY(capture.find(QStringLiteral("слово ")));
    QVERIFY(capture.find(QStringLiteral("Назва школи")));
    QVERIFY(capture.find(QStringLiteral("Назва школи"))->font.underline());
    const TextCapture::Text *upward = capture.find(QStringLiteral("Догори"));
    QVERIFY(upward);
    QCOMPARE(qRound(upward->angle), -90);
    QCOMPARE(capture.textList().count(QStringLiteral("інше")), 3);
}

void tst_RecordedPage::decoratedTextAsThePainterDrawsIt()
{
    // On a scaled page, as the preview shows and prints it.
    const QString text = QStringLiteral("Назва школи");
    const QImage byPainter = drawnDirectly([&](QPainter &p, WordRecorder *) {
        p.scale(0.5, 0.75);
        p.setFont(sceneFont(false, true));
        p.drawText(QPointF(100, 200), text);
    });
    const QImage byWord = drawnDirectly([&](QPainter &p, WordRecorder *) {
        p.scale(0.5, 0.75);
        drawShapedText(p, QPointF(100, 200), sceneWords().of(sceneFont(false, true), 96).word(text));
    });
    QCOMPARE(differingPixels(byWord, byPainter), 0);
}

// A page keeps the words it was drawn with, through its document clearing and going away.
void tst_RecordedPage::pagesKeepTheirWords()
{
    RecordedPage kept;
    QImage before;
    {
        PreviewDocument document;
        const auto page = [&document](const QString &text) {
            document.BeginDoc();
            Canvas canvas(*document.Canvas(), 96, document.Words(), document.Recorder());
            canvas.setFont(sceneFont());
            canvas.textOut(100, 100, text);
            document.Canvas()->drawText(100, 400, text);
            document.EndDoc();
            return document.Pages().front();
        };
        kept = page(QStringLiteral("Слова першої сторінки"));
        before = played(kept, false);
        page(QStringLiteral("Інші слова"));
    }
    QVERIFY(before != whiteImage());
    QCOMPARE(differingPixels(played(kept, false), before), 0);
}

QTEST_MAIN(tst_RecordedPage)
#include "tst_recordedpage.moc"
