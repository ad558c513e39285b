#include "core/errors.h"
#include "core/muldiv.h"
#include "preview/pagerecorder.h"
#include "preview/paperpreview.h"
#include "preview/printpreview.h"
#include "support/recordedpages.h"
#include "testing/recordingprinter.h"

#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// A preview on a recording printer with pages recorded (recordPages), shown at a given outer size.
struct Preview
{
    explicit Preview(int pages = 0, QSize size = QSize(602, 402))
    {
        preview.setPrinter(&printer);
        preview.resize(size);
        preview.show();
        if (pages > 0)
            recordPages(preview.Document(), pages);
    }
    RecordingPrinter printer;
    TPrintPreview preview;
};

// The signals of a document, in the order they came.
class DocumentEvents : public QObject
{
public:
    explicit DocumentEvents(TPrintPreview &preview)
    {
        const auto add = [&](auto signal, const char *name) {
            connect(&preview, signal, this, [this, name] { events << name; });
        };
        add(&TPrintPreview::docBegun, "docBegun");
        add(&TPrintPreview::pageStarted, "pageStarted");
        add(&TPrintPreview::changed, "changed");
        add(&TPrintPreview::docEnded, "docEnded");
    }
    QStringList events;
};

// While set, allocations of exactly this size fail as on a machine out of memory: the size of
// a page recorder, so that a page cannot be opened.
std::atomic<std::size_t> failingSize{0};

QColor pixelAt(QWidget *widget, QPoint point)
{
    return widget->grab().toImage().pixelColor(point);
}

// Left, right, top and bottom.
QList<int> marginsOf(const TPrintPreview &preview)
{
    return {preview.MarginLeft(), preview.MarginRight(), preview.MarginTop(), preview.MarginBottom()};
}

} // namespace

void *operator new(std::size_t size)
{
    if (size == failingSize)
        throw std::bad_alloc();
    if (void *p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void *p) noexcept
{
    std::free(p);
}

void operator delete(void *p, std::size_t) noexcept
{
    std::free(p);
}

class tst_PrintPreview : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    // Document
    void defaults();
    void orientationTurnsPaper();
    void margins_data();
    void margins();
    void unitsChange_data();
    void unitsChange();
    void unitsChangeWhileRecording();
    void unitArithmetic_data();
    void unitArithmetic();
    void twoPageEventOrder();
    void secondBeginDocDiscardsPages();
    void beginDocWhileRecordingIsIgnored();
    void newPageAndEndDocNeedBeginDoc();
    void pageThatCannotBeOpened_data();
    void pageThatCannotBeOpened();
    void eachPageStartsWithControlFont();
    void zeroResolutionFallsBack();

    // Display
    void layout_data();
    void layout();
    void zoomToItsValue();
    void scrollBarsMoveSheet();
    void keys_data();
    void keys();
    void currentPageClamping_data();
    void currentPageClamping();
    void degenerateLayouts_data();
    void degenerateLayouts();
    void wheelScrolls();
    void wholePaperFillsSheet();
    void showsCurrentPage();

    // Printing
    void printOutcomeSignals_data();
    void printOutcomeSignals();
};

void tst_PrintPreview::initTestCase()
{
    // The layout figures below are those of a screen of 96 logical pixels per inch.
    QCOMPARE(TPrintPreview().logicalDpiY(), 96);
}

void tst_PrintPreview::defaults()
{
    RecordingPrinter printer;
    TPrintPreview preview;
    preview.setPrinter(&printer);
    QCOMPARE(preview.PaperWidth(), 2100);
    QCOMPARE(preview.PaperHeight(), 2970);
    QCOMPARE(marginsOf(preview), QList<int>(4, 70));
    QCOMPARE(preview.MinMargin(), 60);
    QCOMPARE(preview.PrintableWidth(), 1960);
    QCOMPARE(preview.TotalPages(), 0);
    QCOMPARE(preview.CurrentPage(), 0);
    QCOMPARE(preview.State(), dsIdle);
    QCOMPARE(preview.Orientation(), poPortrait);
    QCOMPARE(preview.Units(), mmLoMetric);
    QCOMPARE(preview.Resulotion(), 96);
    QCOMPARE(preview.UsePrinterRes(), false);
    QCOMPARE(preview.Zoom(), 100);
    QCOMPARE(preview.ZoomState(), zsZoomToFit);
    QCOMPARE(preview.PrintJobTitle(), QString());
    QCOMPARE(preview.Font().family(), QStringLiteral("Arial"));
    QCOMPARE(preview.Font().pointSize(), 20);
    QCOMPARE(preview.PaperPixelWidth(), 794);
    QCOMPARE(preview.PaperPixelHeight(), 1123);
    QCOMPARE(preview.focusPolicy(), Qt::StrongFocus);
    QCOMPARE(preview.Canvas(), printer.painter());

    const QObjectList children = preview.children();
    QCOMPARE(children.value(0), preview.VertBar());
    QCOMPARE(children.value(1), preview.HorzBar());
    QCOMPARE(children.value(2), preview.PagePanel());
    QCOMPARE(preview.PaperView()->parentWidget(), preview.PagePanel());
    QVERIFY(preview.PaperView()->isHidden());
}

void tst_PrintPreview::orientationTurnsPaper()
{
    TPrintPreview preview;
    preview.setMarginLeft(100);
    preview.setOrientation(poLandscape);
    QCOMPARE(preview.PaperWidth(), 2970);
    QCOMPARE(preview.PaperHeight(), 2100);
    QCOMPARE(preview.PaperPixelWidth(), 1123);
    QCOMPARE(preview.PaperPixelHeight(), 794);
    QCOMPARE(preview.MarginLeft(), 100);
    QCOMPARE(preview.MarginTop(), 70);

    preview.setOrientation(poLandscape);
    QCOMPARE(preview.PaperWidth(), 2970);

    preview.BeginDoc();
    preview.setOrientation(poPortrait);
    QCOMPARE(preview.Orientation(), poLandscape);
    QCOMPARE(preview.PaperWidth(), 2970);
}

void tst_PrintPreview::margins_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("below minimum") << 50 << 60;
    QTest::newRow("negative") << -10 << 60;
    QTest::newRow("minimum") << 60 << 60;
    QTest::newRow("above minimum") << 100 << 100;
}

void tst_PrintPreview::margins()
{
    QFETCH(int, value);
    QFETCH(int, expected);
    TPrintPreview preview;
    preview.setMarginLeft(value);
    preview.setMarginRight(value);
    preview.setMarginTop(value);
    preview.setMarginBottom(value);
    QCOMPARE(marginsOf(preview), QList<int>(4, expected));
    QCOMPARE(preview.PrintableWidth(), 2100 - 2 * expected);
}

void tst_PrintPreview::unitsChange_data()
{
    QTest::addColumn<TUnits>("units");
    QTest::addColumn<int>("margin");
    QTest::addColumn<int>("minMargin");
    QTest::addColumn<QSize>("paper");
    QTest::addColumn<int>("fontSize");
    // Every value passes through whole pixels at 96 dpi.
    QTest::newRow("hi metric") << mmHiMetric << 688 << 609 << QSize(21008, 29713) << 212;
    QTest::newRow("pixel") << mmPixel << 26 << 23 << QSize(794, 1123) << 8;
    QTest::newRow("twips") << mmTWIPS << 390 << 345 << QSize(11910, 16845) << 120;
    QTest::newRow("lo english") << mmLoEnglish << 3 << 2 << QSize(83, 117) << 1;
    QTest::newRow("same unit") << mmLoMetric << 70 << 60 << QSize(2100, 2970) << 20;
}

void tst_PrintPreview::unitsChange()
{
    QFETCH(TUnits, units);
    QFETCH(int, margin);
    QFETCH(int, minMargin);
    QFETCH(QSize, paper);
    QFETCH(int, fontSize);
    TPrintPreview preview;
    preview.setUnits(units);
    QCOMPARE(preview.Units(), units);
    QCOMPARE(marginsOf(preview), QList<int>(4, margin));
    QCOMPARE(preview.MinMargin(), minMargin);
    QCOMPARE(QSize(preview.PaperWidth(), preview.PaperHeight()), paper);
    QCOMPARE(preview.Font().pointSize(), fontSize);
}

void tst_PrintPreview::unitsChangeWhileRecording()
{
    TPrintPreview preview;
    preview.BeginDoc();
    preview.Canvas()->setPen(QPen(Qt::black, 10));
    preview.setUnits(mmHiMetric);
    // 27 units are 10 pixels, 10 units 4 pixels.
    QCOMPARE(preview.Canvas()->font().pixelSize(), 265);
    QCOMPARE(preview.Canvas()->pen().width(), 106);
    preview.EndDoc();
    QCOMPARE(preview.TotalPages(), 1);
}

// Each row: what ConvertUnits or ToLoMetric gives, and what it should.
void tst_PrintPreview::unitArithmetic_data()
{
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("expected");
    QTest::newRow("same unit at 96") << ConvertUnits(2100, 96, mmLoMetric, mmLoMetric) << 2101;
    QTest::newRow("height at 96") << ConvertUnits(2970, 96, mmLoMetric, mmLoMetric) << 2971;
    QTest::newRow("same unit at 600") << ConvertUnits(2100, 600, mmLoMetric, mmLoMetric) << 2100;
    QTest::newRow("to pixels") << ConvertUnits(70, 96, mmLoMetric, mmPixel) << 26;
    QTest::newRow("from pixels") << ConvertUnits(794, 96, mmPixel, mmLoMetric) << 2101;
    QTest::newRow("pixels stay") << ConvertUnits(123, 96, mmPixel, mmPixel) << 123;
    QTest::newRow("inch in twips") << ConvertUnits(1440, 96, mmTWIPS, mmPixel) << 96;
    QTest::newRow("inch in lo english") << ConvertUnits(10, 96, mmLoEnglish, mmPixel) << 96;
    QTest::newRow("inch in hi english") << ConvertUnits(100, 96, mmHiEnglish, mmPixel) << 96;
    QTest::newRow("inch in hi metric") << ConvertUnits(2540, 96, mmHiMetric, mmPixel) << 96;
    QTest::newRow("negative") << ConvertUnits(-70, 96, mmLoMetric, mmPixel) << -26;
    QTest::newRow("lo metric to lo metric") << ToLoMetric(2100, 96, mmLoMetric) << 2100;
    QTest::newRow("hi metric to lo metric") << ToLoMetric(29700, 96, mmHiMetric) << 2970;
    QTest::newRow("hi english to lo metric") << ToLoMetric(1000, 96, mmHiEnglish) << 2540;
    QTest::newRow("twips to lo metric") << ToLoMetric(1440, 96, mmTWIPS) << 254;
    QTest::newRow("pixels at 96 to lo metric") << ToLoMetric(794, 96, mmPixel) << 2101;
    QTest::newRow("pixels at 600 to lo metric") << ToLoMetric(4961, 600, mmPixel) << 2100;
}

void tst_PrintPreview::unitArithmetic()
{
    QFETCH(int, result);
    QFETCH(int, expected);
    QCOMPARE(result, expected);
}

void tst_PrintPreview::twoPageEventOrder()
{
    TPrintPreview preview;
    const DocumentEvents log(preview);
    int pagesWhenEnded = -1;
    TPreviewState stateWhenEnded = dsIdle;
    connect(&preview, &TPrintPreview::docEnded, &preview, [&] {
        pagesWhenEnded = preview.TotalPages();
        stateWhenEnded = preview.State();
    });
    preview.BeginDoc();
    QCOMPARE(preview.State(), dsRecording);
    QCOMPARE(preview.TotalPages(), 0);
    preview.Canvas()->drawText(100, 100, QStringLiteral("1"));
    preview.NewPage();
    QCOMPARE(preview.TotalPages(), 1);
    QCOMPARE(preview.CurrentPage(), 1);
    QVERIFY(!preview.PaperView()->isHidden());
    preview.Canvas()->drawText(100, 100, QStringLiteral("2"));
    preview.EndDoc();

    QCOMPARE(log.events, (QStringList{"changed", "docBegun", "pageStarted", "changed",
                                             "pageStarted", "changed", "docEnded"}));
    QCOMPARE(pagesWhenEnded, 2);
    QCOMPARE(stateWhenEnded, dsRecording);
    QCOMPARE(preview.State(), dsIdle);
    QCOMPARE(preview.TotalPages(), 2);
    QCOMPARE(preview.CurrentPage(), 1);
}

void tst_PrintPreview::secondBeginDocDiscardsPages()
{
    TPrintPreview preview;
    recordPages(preview.Document(), 2);
    QList<int> pagesOnChange;
    connect(&preview, &TPrintPreview::changed, &preview,
            [&] { pagesOnChange << preview.TotalPages(); });
    preview.BeginDoc();
    QCOMPARE(pagesOnChange, QList<int>{0});
    QCOMPARE(preview.CurrentPage(), 0);
    QVERIFY(preview.PaperView()->isHidden());
    preview.EndDoc();
    QCOMPARE(preview.TotalPages(), 1);
}

void tst_PrintPreview::beginDocWhileRecordingIsIgnored()
{
    TPrintPreview preview;
    preview.BeginDoc();
    preview.NewPage();
    QSignalSpy changed(&preview, &TPrintPreview::changed);
    QSignalSpy begun(&preview, &TPrintPreview::docBegun);
    preview.BeginDoc();
    QCOMPARE(changed.count(), 0);
    QCOMPARE(begun.count(), 0);
    QCOMPARE(preview.TotalPages(), 1);
    QCOMPARE(preview.State(), dsRecording);
}

void tst_PrintPreview::newPageAndEndDocNeedBeginDoc()
{
    TPrintPreview preview;
    const DocumentEvents log(preview);
    preview.NewPage();
    preview.EndDoc();
    QCOMPARE(log.events, QStringList());
    QCOMPARE(preview.TotalPages(), 0);
    QCOMPARE(preview.State(), dsIdle);
}

void tst_PrintPreview::pageThatCannotBeOpened_data()
{
    QTest::addColumn<int>("finished"); // pages finished before the one that cannot be opened
    QTest::newRow("the first page") << 0;
    QTest::newRow("the third page") << 2;
}

// The document ends with the pages finished so far, and the next one records and prints.
void tst_PrintPreview::pageThatCannotBeOpened()
{
    QFETCH(int, finished);
    Preview p;
    TPrintPreview &preview = p.preview;
    if (finished > 0) {
        preview.BeginDoc();
        for (int page = 1; page < finished; ++page)
            preview.NewPage();
    }
    QString error;
    failingSize = sizeof(PageRecorder);
    try {
        if (finished == 0)
            preview.BeginDoc();
        else
            preview.NewPage();
    } catch (const OutOfMemoryError &e) {
        error = e.message();
    }
    failingSize = 0;
    QCOMPARE(error, QStringLiteral("Not enough memory to create a new page"));
    QCOMPARE(preview.State(), dsIdle);
    QCOMPARE(preview.TotalPages(), finished);
    QCOMPARE(preview.Canvas(), p.printer.painter());

    recordPages(preview.Document(), 2);
    QCOMPARE(preview.TotalPages(), 2);
    preview.Print();
    QCOMPARE(p.printer.pages().size(), 2);
}

void tst_PrintPreview::eachPageStartsWithControlFont()
{
    TPrintPreview preview;
    preview.BeginDoc();
    QPainter *first = preview.Canvas();
    QCOMPARE(first->font().family(), QStringLiteral("Arial"));
    QCOMPARE(first->font().pixelSize(), 27);
    first->setFont(QFont(QStringLiteral("Times New Roman"), 50));
    first->setPen(QPen(Qt::red, 9));
    first->setBrush(Qt::black);
    first->setBackgroundMode(Qt::TransparentMode);

    preview.setFont(QFont(QStringLiteral("Times New Roman"), 28));
    preview.NewPage();
    QPainter *second = preview.Canvas();
    QCOMPARE(second->font().family(), QStringLiteral("Times New Roman"));
    QCOMPARE(second->font().pixelSize(), 37);
    QCOMPARE(second->pen().color(), QColor(Qt::black));
    QCOMPARE(second->pen().width(), 1);
    QCOMPARE(second->pen().style(), Qt::SolidLine);
    QCOMPARE(second->brush(), QBrush(Qt::white));
    QCOMPARE(second->background(), QBrush(Qt::white));
    QCOMPARE(second->backgroundMode(), Qt::OpaqueMode);
    preview.EndDoc();
}

void tst_PrintPreview::zeroResolutionFallsBack()
{
    TPrintPreview preview;
    preview.setResulotion(0);
    QCOMPARE(preview.Resulotion(), 0);
    QCOMPARE(preview.PixelsPerInchX(), 96);
    QCOMPARE(preview.PixelsPerInchY(), 96);
    QCOMPARE(preview.PaperPixelWidth(), 794);
    preview.setUnits(mmHiMetric);
    QCOMPARE(preview.PaperWidth(), 21008);
}

namespace {
// In the layout table: the sheet's left is centred in the viewport that its bars leave.
constexpr int Centred = -1000;
} // namespace

void tst_PrintPreview::layout_data()
{
    QTest::addColumn<TPrinterOrientation>("orientation");
    QTest::addColumn<TZoomState>("state");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QSize>("viewport");
    QTest::addColumn<QRect>("sheet");
    QTest::addColumn<bool>("horzBar");
    QTest::addColumn<bool>("vertBar");

    QTest::newRow("A4 portrait at 100 %") << poPortrait << zsZoomOther << 100 << QSize(600, 400)
                                          << QRect(6, 6, 799, 1128) << true << true;
    QTest::newRow("A4 portrait at 50 %") << poPortrait << zsZoomOther << 50 << QSize(600, 400)
                                         << QRect(Centred, 6, 402, 567) << false << true;
    QTest::newRow("A4 landscape fit") << poLandscape << zsZoomToFit << 100 << QSize(600, 400)
                                      << QRect(26, 6, 547, 388) << false << false;
    QTest::newRow("A4 portrait fit") << poPortrait << zsZoomToFit << 100 << QSize(600, 400)
                                     << QRect(162, 6, 276, 388) << false << false;
    QTest::newRow("A4 portrait fit, tall viewport")
        << poPortrait << zsZoomToFit << 100 << QSize(300, 900) << QRect(6, 247, 288, 405)
        << false << false;
}

void tst_PrintPreview::layout()
{
    QFETCH(TPrinterOrientation, orientation);
    QFETCH(TZoomState, state);
    QFETCH(int, zoom);
    QFETCH(QSize, viewport);
    QFETCH(QRect, sheet);
    QFETCH(bool, horzBar);
    QFETCH(bool, vertBar);
    Preview p(0, viewport + QSize(2, 2));
    if (state == zsZoomOther)
        p.preview.setZoom(zoom);
    p.preview.setOrientation(orientation);
    p.preview.setZoomState(state);
    recordPages(p.preview.Document(), 1);

    const QSize area = p.preview.PagePanel()->size();
    if (sheet.left() == Centred)
        sheet.moveLeft((area.width() - sheet.width()) / 2);
    QCOMPARE(p.preview.PaperView()->geometry(), sheet);
    QCOMPARE(p.preview.HorzBar()->isVisible(), horzBar);
    QCOMPARE(p.preview.VertBar()->isVisible(), vertBar);
    if (horzBar && vertBar) {
        QCOMPARE(p.preview.HorzBar()->maximum(), sheet.width() - area.width() + 12);
        QCOMPARE(p.preview.VertBar()->maximum(), sheet.height() - area.height() + 12);
    }
    // The page area is the sheet less the frame and the shadow.
    QCOMPARE(p.preview.PaperView()->PaperWidth(), sheet.width() - 5);
}

void tst_PrintPreview::zoomToItsValue()
{
    Preview p(1);
    p.preview.setZoom(100);
    QCOMPARE(p.preview.ZoomState(), zsZoomOther);
    QCOMPARE(p.preview.PaperView()->size(), QSize(799, 1128));

    p.preview.VertBar()->setValue(50);
    p.preview.setZoom(100);
    QCOMPARE(p.preview.VertBar()->value(), 50);
    p.preview.setZoom(50);
    QCOMPARE(p.preview.VertBar()->value(), 0);
    QCOMPARE(p.preview.PaperView()->PaperWidth(), 397);
    QCOMPARE(p.preview.PaperView()->PaperHeight(), 562);

    p.preview.setZoomState(zsZoomToFit);
    QCOMPARE(p.preview.Zoom(), 50);
    QCOMPARE(p.preview.PaperView()->height(), 400 - 12);
}

void tst_PrintPreview::scrollBarsMoveSheet()
{
    Preview p(1);
    p.preview.setZoom(100);
    p.preview.VertBar()->setValue(100);
    QCOMPARE(p.preview.PaperView()->y(), -94);
    p.preview.HorzBar()->setValue(30);
    QCOMPARE(p.preview.PaperView()->x(), -24);
    p.preview.VertBar()->setValue(100000);
    QCOMPARE(p.preview.PaperView()->y(), 6 - p.preview.VertBar()->maximum());
    // A layout shows the sheet's top-left part again.
    p.preview.resize(620, 420);
    QCOMPARE(p.preview.PaperView()->pos(), QPoint(6, 6));
    QCOMPARE(p.preview.HorzBar()->pageStep(), p.preview.PagePanel()->width());
    QCOMPARE(p.preview.VertBar()->pageStep(), p.preview.PagePanel()->height());
}

namespace {
// Stand-ins in the key table for positions that depend on the bars' extent.
constexpr int Maximum = -1;
constexpr int PageStep = -2;
} // namespace

void tst_PrintPreview::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("expectedPage");
    QTest::addColumn<int>("changes");
    QTest::addColumn<int>("expectedHorz");
    QTest::addColumn<int>("expectedVert");
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    // The bars start at 20 each.
    QTest::newRow("Page Down") << int(Qt::Key_PageDown) << none << 1 << 2 << 1 << 20 << 20;
    QTest::newRow("Ctrl+Page Down") << int(Qt::Key_PageDown) << ctrl << 1 << 5 << 1 << 20 << 20;
    QTest::newRow("Page Down on last") << int(Qt::Key_PageDown) << none << 5 << 5 << 0 << 20 << 20;
    QTest::newRow("Page Up") << int(Qt::Key_PageUp) << none << 3 << 2 << 1 << 20 << 20;
    QTest::newRow("Ctrl+Page Up") << int(Qt::Key_PageUp) << ctrl << 4 << 1 << 1 << 20 << 20;
    QTest::newRow("Page Up on first") << int(Qt::Key_PageUp) << none << 1 << 1 << 0 << 20 << 20;
    QTest::newRow("Home") << int(Qt::Key_Home) << none << 1 << 1 << 0 << 0 << 20;
    QTest::newRow("Ctrl+Home") << int(Qt::Key_Home) << ctrl << 1 << 1 << 0 << 20 << 0;
    QTest::newRow("End") << int(Qt::Key_End) << none << 1 << 1 << 0 << Maximum << 20;
    QTest::newRow("Ctrl+End") << int(Qt::Key_End) << ctrl << 1 << 1 << 0 << 20 << Maximum;
    QTest::newRow("Left raises") << int(Qt::Key_Left) << none << 1 << 1 << 0 << 28 << 20;
    QTest::newRow("Ctrl+Left") << int(Qt::Key_Left) << ctrl << 1 << 1 << 0 << PageStep << 20;
    QTest::newRow("Right lowers") << int(Qt::Key_Right) << none << 1 << 1 << 0 << 12 << 20;
    QTest::newRow("Ctrl+Right stops at 0") << int(Qt::Key_Right) << ctrl << 1 << 1 << 0 << 0 << 20;
    QTest::newRow("Up lowers") << int(Qt::Key_Up) << none << 1 << 1 << 0 << 20 << 12;
    QTest::newRow("Down raises") << int(Qt::Key_Down) << none << 1 << 1 << 0 << 20 << 28;
    QTest::newRow("Ctrl+Down") << int(Qt::Key_Down) << ctrl << 1 << 1 << 0 << 20 << PageStep;
    QTest::newRow("Shift+Page Down") << int(Qt::Key_PageDown) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                     << 1 << 1 << 0 << 20 << 20;
    QTest::newRow("Alt+Home") << int(Qt::Key_Home) << Qt::KeyboardModifiers(Qt::AltModifier) << 1 << 1
                              << 0 << 20 << 20;
    QTest::newRow("Ctrl+Shift+End") << int(Qt::Key_End)
                                    << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier)
                                    << 1 << 1 << 0 << 20 << 20;
}

void tst_PrintPreview::keys()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, page);
    QFETCH(int, expectedPage);
    QFETCH(int, changes);
    QFETCH(int, expectedHorz);
    QFETCH(int, expectedVert);
    Preview p(5);
    p.preview.setZoom(200);
    p.preview.setCurrentPage(page);
    p.preview.HorzBar()->setValue(20);
    p.preview.VertBar()->setValue(20);
    QSignalSpy changed(&p.preview, &TPrintPreview::changed);

    QTest::keyClick(&p.preview, Qt::Key(key), modifiers);

    const auto expected = [](const QScrollBar *bar, int value) {
        if (value == Maximum)
            return bar->maximum();
        if (value == PageStep)
            return 20 + bar->pageStep();
        return value;
    };
    QCOMPARE(p.preview.CurrentPage(), expectedPage);
    QCOMPARE(changed.count(), changes);
    QCOMPARE(p.preview.HorzBar()->value(), expected(p.preview.HorzBar(), expectedHorz));
    QCOMPARE(p.preview.VertBar()->value(), expected(p.preview.VertBar(), expectedVert));
    QCOMPARE(p.preview.PaperView()->pos(),
             QPoint(6 - p.preview.HorzBar()->value(), 6 - p.preview.VertBar()->value()));
}

void tst_PrintPreview::currentPageClamping_data()
{
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("changes");
    QTest::newRow("0 of 3") << 3 << 0 << 1 << 0;
    QTest::newRow("7 of 3") << 3 << 7 << 3 << 1;
    QTest::newRow("2 of 3") << 3 << 2 << 2 << 1;
    QTest::newRow("page shown") << 3 << 1 << 1 << 0;
    QTest::newRow("no pages") << 0 << 2 << 0 << 0;
}

void tst_PrintPreview::currentPageClamping()
{
    QFETCH(int, pages);
    QFETCH(int, value);
    QFETCH(int, expected);
    QFETCH(int, changes);
    TPrintPreview preview;
    if (pages > 0)
        recordPages(preview.Document(), pages);
    QSignalSpy changed(&preview, &TPrintPreview::changed);
    preview.setCurrentPage(value);
    QCOMPARE(preview.CurrentPage(), expected);
    QCOMPARE(changed.count(), changes);
}

void tst_PrintPreview::degenerateLayouts_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<std::function<void(TPrintPreview &)>>("setUp");
    QTest::newRow("collapsed viewport, fit") << QSize(0, 0) << std::function([](TPrintPreview &) {});
    QTest::newRow("collapsed viewport, to width")
        << QSize(1, 1) << std::function([](TPrintPreview &p) { p.setZoomState(zsZoomToWidth); });
    QTest::newRow("collapsed viewport, to height")
        << QSize(1, 1) << std::function([](TPrintPreview &p) { p.setZoomState(zsZoomToHeight); });
    QTest::newRow("paper of zero width") << QSize(600, 400)
                                         << std::function([](TPrintPreview &p) { p.setPaperWidth(0); });
    QTest::newRow("paper of zero size, to width") << QSize(600, 400) << std::function([](TPrintPreview &p) {
        p.setPaperWidth(0);
        p.setPaperHeight(0);
        p.setZoomState(zsZoomToWidth);
    });
    QTest::newRow("negative paper") << QSize(600, 400)
                                    << std::function([](TPrintPreview &p) { p.setPaperHeight(-50); });
    QTest::newRow("zoom 0") << QSize(600, 400) << std::function([](TPrintPreview &p) { p.setZoom(0); });
    QTest::newRow("zoom -20") << QSize(600, 400)
                              << std::function([](TPrintPreview &p) { p.setZoom(-20); });
    QTest::newRow("resolution 0") << QSize(600, 400)
                                  << std::function([](TPrintPreview &p) { p.setResulotion(0); });
}

void tst_PrintPreview::degenerateLayouts()
{
    QFETCH(QSize, size);
    QFETCH(std::function<void(TPrintPreview &)>, setUp);
    Preview p(1, size);
    setUp(p.preview);
    p.preview.UpdateLayout();
    QVERIFY(p.preview.Zoom() >= 1);
    QVERIFY(p.preview.PaperView()->PaperWidth() >= 0);
    QVERIFY(p.preview.PaperView()->PaperHeight() >= 0);
    QVERIFY(p.preview.PagePanel()->width() >= 0);
    // It paints without failing.
    QVERIFY(!p.preview.PaperView()->grab().isNull());
}

void tst_PrintPreview::wheelScrolls()
{
    Preview p(1);
    p.preview.setZoom(100);
    const QPointF inside(50, 50);
    QWheelEvent wheel(inside, p.preview.mapToGlobal(inside), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    // A wheel turned over the sheet reaches the control (Qt passes only spontaneous ones up).
    QApplication::sendEvent(&p.preview, &wheel);
    QVERIFY(p.preview.VertBar()->value() > 0);
    QCOMPARE(p.preview.PaperView()->y(), 6 - p.preview.VertBar()->value());
}

void tst_PrintPreview::wholePaperFillsSheet()
{
    // Marks in the paper's four corners appear in the page area's four corners.
    Preview p;
    p.preview.setOrientation(poLandscape);
    p.preview.BeginDoc();
    QPainter *canvas = p.preview.Canvas();
    const int w = p.preview.PaperWidth();
    const int h = p.preview.PaperHeight();
    for (const QPoint corner : {QPoint(0, 0), QPoint(w - 40, 0), QPoint(0, h - 40), QPoint(w - 40, h - 40)})
        canvas->fillRect(QRect(corner, QSize(40, 40)), Qt::black);
    p.preview.EndDoc();

    const QRect page = p.preview.PaperView()->GetPageRect();
    const QImage image = p.preview.PaperView()->grab().toImage();
    for (const QPoint corner : {page.topLeft(), page.topRight(), page.bottomLeft(), page.bottomRight()})
        QCOMPARE(image.pixelColor(corner), QColor(Qt::black));
    QCOMPARE(image.pixelColor(page.center()), QColor(Qt::white));
}

void tst_PrintPreview::showsCurrentPage()
{
    Preview p(3);
    const QPoint middle = p.preview.PaperView()->GetPageRect().center();
    QCOMPARE(pixelAt(p.preview.PaperView(), middle), QColor(40, 40, 40));
    p.preview.setCurrentPage(3);
    QCOMPARE(pixelAt(p.preview.PaperView(), middle), QColor(120, 120, 120));
}

void tst_PrintPreview::printOutcomeSignals_data()
{
    QTest::addColumn<QStringList>("printers");
    QTest::addColumn<QString>("failingCall");
    QTest::addColumn<bool>("abortIt");
    QTest::addColumn<QStringList>("told");
    QTest::addColumn<QString>("error");
    const QStringList one{QStringLiteral("PDF")};
    const QString progress = QStringLiteral("printProgress");
    QTest::newRow("printed") << one << QString() << false
                             << QStringList{"beforePrint", progress, progress, "afterPrint"} << QString();
    QTest::newRow("aborted by a handler") << one << QString() << true
                                          << QStringList{"beforePrint", progress, "printAborted"} << QString();
    QTest::newRow("refused by the printer") << one << "beginJob" << false
                                            << QStringList{"beforePrint", "printAborted"}
                                            << "Принтер відмовився: beginJob";
    QTest::newRow("no printer") << QStringList{} << QString() << false << QStringList{}
                                << "Не встановлено жодного принтера";
}

// The document's job is told by the control's signals, and why it failed by LastPrintError.
void tst_PrintPreview::printOutcomeSignals()
{
    QFETCH(QStringList, printers);
    QFETCH(QString, failingCall);
    QFETCH(bool, abortIt);
    QFETCH(QStringList, told);
    QFETCH(QString, error);
    RecordingPrinter printer;
    printer.setPrinters(printers);
    printer.setFailingCall(failingCall);
    TPrintPreview preview;
    preview.setPrinter(&printer);
    recordPages(preview.Document(), 1);
    QStringList events;
    connect(&preview, &TPrintPreview::beforePrint, &preview, [&] { events << "beforePrint"; });
    connect(&preview, &TPrintPreview::printProgress, &preview, [&](int, int, bool &abort) {
        events << "printProgress";
        abort = abortIt;
    });
    // The job's end is told while the job still holds the control.
    QList<TPreviewState> states;
    connect(&preview, &TPrintPreview::afterPrint, &preview, [&] { events << "afterPrint"; states << preview.State(); });
    connect(&preview, &TPrintPreview::printAborted, &preview, [&] { events << "printAborted"; states << preview.State(); });
    preview.Print();
    QCOMPARE(events, told);
    QCOMPARE(states, QList<TPreviewState>(qMin(1, int(told.size())), dsPrinting));
    QCOMPARE(preview.LastPrintError(), error);
    QCOMPARE(preview.State(), dsIdle);
}

QTEST_MAIN(tst_PrintPreview)
#include "tst_printpreview.moc"
