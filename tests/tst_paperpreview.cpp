#include "preview/paperpreview.h"

#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

QImage grabbed(QWidget &widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Every pixel of the rectangle (right and bottom inclusive) has the colour.
bool filled(const QImage &image, const QRect &rect, const QColor &color)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (image.pixelColor(x, y) != color)
                return false;
    return true;
}

} // namespace

class tst_PaperPreview : public QObject
{
    Q_OBJECT

private slots:
    void geometry_data();
    void geometry();
    void settingPaperSizeResizesControl();
    void paintedPixels();
    void noFrameNoShadow();
    void unchangedValueCausesNoRepaint_data();
    void unchangedValueCausesNoRepaint();
    void handlerIsClippedToPage();
    void resizedFiresAfterResize();
};

void tst_PaperPreview::geometry_data()
{
    QTest::addColumn<int>("border");
    QTest::addColumn<int>("shadow");
    QTest::addColumn<QSize>("paper");
    QTest::addColumn<QRect>("pageRect");
    QTest::newRow("defaults") << 1 << 3 << QSize(105, 148) << QRect(QPoint(1, 1), QPoint(105, 148));
    QTest::newRow("no border") << 0 << 3 << QSize(107, 150) << QRect(QPoint(0, 0), QPoint(106, 149));
    QTest::newRow("no shadow") << 1 << 0 << QSize(108, 151) << QRect(QPoint(1, 1), QPoint(108, 151));
    QTest::newRow("thick border") << 4 << 3 << QSize(99, 142) << QRect(QPoint(4, 4), QPoint(102, 145));
}

void tst_PaperPreview::geometry()
{
    QFETCH(int, border);
    QFETCH(int, shadow);
    QFETCH(QSize, paper);
    QFETCH(QRect, pageRect);
    TPaperPreview view;
    view.setBorderSize(border);
    view.setShadowSize(shadow);
    // Changing the frame or shadow keeps the outer size.
    QCOMPARE(view.size(), QSize(110, 153));
    QCOMPARE(QSize(view.PaperWidth(), view.PaperHeight()), paper);
    QCOMPARE(view.GetPageRect(), pageRect);
    QCOMPARE(view.GetPageRect().size(), paper);
}

void tst_PaperPreview::settingPaperSizeResizesControl()
{
    TPaperPreview view;
    view.setPaperWidth(200);
    view.setPaperHeight(300);
    QCOMPARE(view.size(), QSize(205, 305));
    QCOMPARE(view.PaperWidth(), 200);
    QCOMPARE(view.PaperHeight(), 300);
}

void tst_PaperPreview::paintedPixels()
{
    QWidget desk;
    desk.setAutoFillBackground(true);
    QPalette palette = desk.palette();
    palette.setColor(QPalette::Window, QColor(10, 200, 30));
    desk.setPalette(palette);
    TPaperPreview view(&desk);
    view.setShadowColor(QColor(90, 90, 90));
    view.setPaperColor(QColor(250, 250, 200));
    const QImage image = grabbed(view);
    QCOMPARE(image.size(), QSize(110, 153));

    const QColor frame(Qt::black);
    QVERIFY(filled(image, QRect(QPoint(0, 0), QPoint(106, 0)), frame));
    QVERIFY(filled(image, QRect(QPoint(0, 0), QPoint(0, 149)), frame));
    QVERIFY(filled(image, QRect(QPoint(106, 0), QPoint(106, 149)), frame));
    QVERIFY(filled(image, QRect(QPoint(0, 149), QPoint(106, 149)), frame));
    QVERIFY(filled(image, QRect(QPoint(1, 1), QPoint(105, 148)), QColor(250, 250, 200)));
    QVERIFY(filled(image, QRect(QPoint(107, 3), QPoint(109, 152)), QColor(90, 90, 90)));
    QVERIFY(filled(image, QRect(QPoint(3, 150), QPoint(109, 152)), QColor(90, 90, 90)));
    QVERIFY(filled(image, QRect(QPoint(107, 0), QPoint(109, 2)), QColor(10, 200, 30)));
    QVERIFY(filled(image, QRect(QPoint(0, 150), QPoint(2, 152)), QColor(10, 200, 30)));
}

void tst_PaperPreview::noFrameNoShadow()
{
    TPaperPreview view;
    view.setBorderSize(0);
    view.setShadowSize(0);
    const QImage image = grabbed(view);
    QVERIFY(filled(image, image.rect(), Qt::white));
}

void tst_PaperPreview::unchangedValueCausesNoRepaint_data()
{
    QTest::addColumn<std::function<void(TPaperPreview &, bool)>>("set");
    QTest::newRow("PaperColor") << std::function([](TPaperPreview &v, bool change) {
        v.setPaperColor(change ? Qt::yellow : Qt::white);
    });
    QTest::newRow("BorderColor") << std::function([](TPaperPreview &v, bool change) {
        v.setBorderColor(change ? Qt::red : Qt::black);
    });
    QTest::newRow("BorderSize") << std::function([](TPaperPreview &v, bool change) {
        v.setBorderSize(change ? 2 : 1);
    });
    QTest::newRow("ShadowColor") << std::function([](TPaperPreview &v, bool change) {
        v.setShadowColor(change ? Qt::blue : v.ShadowColor());
    });
    QTest::newRow("ShadowSize") << std::function([](TPaperPreview &v, bool change) {
        v.setShadowSize(change ? 5 : 3);
    });
}

void tst_PaperPreview::unchangedValueCausesNoRepaint()
{
    QFETCH(std::function<void(TPaperPreview &, bool)>, set);
    TPaperPreview view;
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCoreApplication::processEvents();
    PaintCounter paints(&view);
    set(view, false);
    QCoreApplication::processEvents();
    QCOMPARE(paints.count, 0);
    set(view, true);
    QTRY_VERIFY(paints.count > 0);
}

void tst_PaperPreview::handlerIsClippedToPage()
{
    TPaperPreview view;
    QRect received;
    connect(&view, &TPaperPreview::paintPage, &view, [&](QPainter *canvas, const QRect &page) {
        received = page;
        canvas->fillRect(QRect(-50, -50, 500, 500), Qt::red);
    });
    view.setShadowColor(QColor(90, 90, 90));
    const QImage image = grabbed(view);
    QCOMPARE(received, QRect(QPoint(1, 1), QPoint(105, 148)));
    QVERIFY(filled(image, QRect(QPoint(1, 1), QPoint(105, 148)), Qt::red));
    QVERIFY(filled(image, QRect(QPoint(0, 0), QPoint(106, 0)), Qt::black));
    QVERIFY(filled(image, QRect(QPoint(106, 0), QPoint(106, 149)), Qt::black));
    QVERIFY(filled(image, QRect(QPoint(107, 3), QPoint(109, 152)), QColor(90, 90, 90)));
}

void tst_PaperPreview::resizedFiresAfterResize()
{
    TPaperPreview view;
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QSignalSpy resized(&view, &TPaperPreview::resized);
    int paperWidthSeen = 0;
    connect(&view, &TPaperPreview::resized, &view, [&] { paperWidthSeen = view.PaperWidth(); });
    view.setPaperWidth(300);
    QCOMPARE(resized.count(), 1);
    QCOMPARE(paperWidthSeen, 300);
}

QTEST_MAIN(tst_PaperPreview)
#include "tst_paperpreview.moc"
