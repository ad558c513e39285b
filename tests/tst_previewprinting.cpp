#include "platform/printing/pdffileprinter.h"
#include "preview/previewdocument.h"
#include "support/files.h"
#include "support/pdf.h"
#include "support/recordedpages.h"
#include "support/rows.h"
#include "testing/recordingprinter.h"

#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <limits>
#include <stdexcept>

namespace {

using Progress = std::pair<int, int>;

// A document printing on a recording printer, with the events of its jobs and how each ended
// ("printed", "aborted" or "failed"; nothing when no job ran).
struct Job : QObject
{
    explicit Job(int pages = 0)
    {
        document.setPrinter(&printer);
        if (pages > 0)
            recordPages(document, pages);
    }

    PrintResult print(int fromPage = 1, int toPage = std::numeric_limits<int>::max())
    {
        PrintHandlers handlers;
        handlers.beforePrint = [this] {
            events << "beforePrint";
            if (beforePrint)
                beforePrint();
        };
        handlers.progress = [this](int page, int percent, bool &abortIt) {
            events << "printProgress";
            progress << Progress(page, percent);
            if (onProgress)
                onProgress(page, percent, abortIt);
        };
        handlers.finished = [this](const PrintResult &result) {
            events << (result.outcome == PrintResult::Printed ? "printed"
                       : result.outcome == PrintResult::Aborted ? "aborted" : "failed");
        };
        return document.print(fromPage, toPage, handlers);
    }

    RecordingPrinter printer;
    PreviewDocument document;
    std::function<void()> beforePrint;
    std::function<void(int page, int percent, bool &abortIt)> onProgress;
    QStringList events;
    QList<Progress> progress;
};

// The grey level at the middle of a page the recording printer got.
int printedLevel(const QPicture &page, const QRect &sheet)
{
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::red);
    image.setDotsPerMeterX(qRound(page.logicalDpiX() / 0.0254));
    image.setDotsPerMeterY(qRound(page.logicalDpiY() / 0.0254));
    QPainter painter(&image);
    painter.scale(100.0 / sheet.width(), 100.0 / sheet.height());
    painter.translate(-sheet.topLeft());
    painter.drawPicture(0, 0, page);
    painter.end();
    return image.pixelColor(50, 50).red();
}

// The left edge in points of each word pdftotext finds, by word.
QMap<QString, double> wordLefts(const QString &fileName)
{
    QMap<QString, double> lefts;
    for (const PdfWord &word : pdfWords(fileName))
        lefts.insert(word.text, word.box.left());
    return lefts;
}

// Within a point of each other.
bool sameSize(const QSizeF &a, const QSizeF &b)
{
    return qAbs(a.width() - b.width()) < 1 && qAbs(a.height() - b.height()) < 1;
}

double tenthsToPoints(int tenths)
{
    return tenths / 254.0 * 72.0;
}

} // namespace

class tst_PreviewPrinting : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void printsNothing_data();
    void printsNothing();
    void pageRanges_data();
    void pageRanges();
    void progress_data();
    void progress();
    void jobOrder();
    void jobOnGivenPrinter();
    void abortInFirstProgress();
    void cancelledWhileEventsRun();
    void reentryRefused();
    void jobTitleDuringJobOnly_data();
    void jobTitleDuringJobOnly();
    void failuresAbort_data();
    void failuresAbort();
    void paperReachingPrinter_data();
    void paperReachingPrinter();
    void printerIndexOutOfRange();
    void pageCoversWholeSheet();
    void usePrinterResolution();
    void canvasWhilePrinting();

    void printIntoPdf();
    void abortedPdfJobLeavesNoFile();
    void noPrinterInstalled();

private:
    QTemporaryDir m_temp;
};

void tst_PreviewPrinting::initTestCase()
{
    // This machine's printers are asked for at a server that does not exist: none installed.
    qputenv("CUPS_SERVER", "/nonexistent/zoris-test-cups.sock");
    // A temporary folder of its own, so that what a job leaves there is this test's.
    useAsTempPath(m_temp.path());
}

void tst_PreviewPrinting::printsNothing_data()
{
    QTest::addColumn<std::function<void(Job &)>>("setUp");
    QTest::newRow("empty document") << std::function([](Job &) {});
    QTest::newRow("while recording") << std::function([](Job &job) {
        recordPages(job.document, 2);
        job.document.BeginDoc();
    });
    QTest::newRow("no printer") << std::function([](Job &job) {
        recordPages(job.document, 2);
        job.printer.setPrinters({});
    });
}

void tst_PreviewPrinting::printsNothing()
{
    QFETCH(std::function<void(Job &)>, setUp);
    Job job;
    setUp(job);
    const TPreviewState state = job.document.State();
    job.print();
    QCOMPARE(job.events, QStringList());
    QCOMPARE(job.printer.calls(), QStringList());
    QCOMPARE(job.document.State(), state);
}

void tst_PreviewPrinting::pageRanges_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QList<int>>("printed");
    QTest::newRow("0 to 99") << 0 << 99 << QList<int>{1, 2, 3};
    QTest::newRow("3 to 2") << 3 << 2 << QList<int>{};
    QTest::newRow("1 to 0") << 1 << 0 << QList<int>{1};
    QTest::newRow("2 to 0") << 2 << 0 << QList<int>{};
    QTest::newRow("2 to 3") << 2 << 3 << QList<int>{2, 3};
    QTest::newRow("3 to 3") << 3 << 3 << QList<int>{3};
}

void tst_PreviewPrinting::pageRanges()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QList<int>, printed);
    Job job(3);
    job.print(from, to);
    const QList<QPicture> pages = job.printer.pages();
    QCOMPARE(pages.size(), printed.size());
    const QRect sheet(-94, -118, 4960, 7016);
    for (int i = 0; i < printed.size(); ++i)
        QCOMPARE(printedLevel(pages.at(i), sheet), 40 * printed.at(i));
    if (printed.isEmpty())
        QCOMPARE(job.events, QStringList());
}

void tst_PreviewPrinting::progress_data()
{
    QTest::addColumn<int>("pages");
    QTest::addColumn<QList<Progress>>("expected");
    QTest::newRow("3 pages") << 3
                             << QList<Progress>{{1, 0}, {1, 33}, {2, 33}, {2, 67}, {3, 67}, {3, 100}};
    QTest::newRow("4 pages") << 4
                             << QList<Progress>{{1, 0}, {1, 25}, {2, 25}, {2, 50},
                                                {3, 50}, {3, 75}, {4, 75}, {4, 100}};
    QTest::newRow("1 page") << 1 << QList<Progress>{{1, 0}, {1, 100}};
}

void tst_PreviewPrinting::progress()
{
    QFETCH(int, pages);
    QFETCH(QList<Progress>, expected);
    Job job(pages);
    job.print();
    QCOMPARE(job.progress, expected);
}

void tst_PreviewPrinting::jobOrder()
{
    Job job(2);
    QList<TPreviewState> states;
    job.onProgress = [&](int, int, bool &) { states << job.document.State(); };
    const PrintResult result = job.print();
    QCOMPARE(job.events, (QStringList{"beforePrint", "printProgress", "printProgress", "printProgress",
                                      "printProgress", "printed"}));
    QCOMPARE(job.printer.calls(), (QStringList{"beginJob", "newPage", "endJob"}));
    QCOMPARE(states, QList<TPreviewState>(4, dsPrinting));
    QCOMPARE(job.document.State(), dsIdle);
    QCOMPARE(result.message, QString());
}

// A job given its own printer goes there; the document's printer is neither used nor changed.
void tst_PreviewPrinting::jobOnGivenPrinter()
{
    Job job(2);
    RecordingPrinter other;
    const PrintResult result = job.document.print(other, 1, 2);
    QCOMPARE(result.outcome, PrintResult::Printed);
    QCOMPARE(other.calls(), (QStringList{"beginJob", "newPage", "endJob"}));
    QCOMPARE(other.pages().size(), 2);
    QVERIFY(job.printer.calls().isEmpty());
    QCOMPARE(job.document.Printer(), &job.printer);
}

void tst_PreviewPrinting::abortInFirstProgress()
{
    Job job(3);
    job.onProgress = [](int, int, bool &abortIt) { abortIt = true; };
    const PrintResult result = job.print();
    QCOMPARE(job.printer.pages().size(), 0);
    QCOMPARE(job.printer.calls(), (QStringList{"beginJob", "cancelJob"}));
    QCOMPARE(job.events, (QStringList{"beforePrint", "printProgress", "aborted"}));
    QCOMPARE(job.document.State(), dsIdle);
    QCOMPARE(result.message, QString());
}

void tst_PreviewPrinting::cancelledWhileEventsRun()
{
    // A window event processed between pages cancels the job at the printer.
    Job job(3);
    job.onProgress = [&](int, int percent, bool &) {
        if (percent == 0)
            QTimer::singleShot(0, &job, [&] { job.printer.cancelJob(); });
    };
    job.print();
    QCOMPARE(job.progress, (QList<Progress>{{1, 0}, {1, 33}}));
    QCOMPARE(job.events.last(), QStringLiteral("aborted"));
    QVERIFY(!job.events.contains(QStringLiteral("printed")));
    QCOMPARE(job.printer.pages().size(), 0);
}

void tst_PreviewPrinting::reentryRefused()
{
    Job job(2);
    job.onProgress = [&](int, int percent, bool &) {
        if (percent != 0)
            return;
        job.print();
        job.print(1, 1);
        job.document.BeginDoc();
        job.document.Clear();
        QTimer::singleShot(0, &job, [&] { job.print(); });
    };
    job.print();
    QCOMPARE(job.printer.calls(), (QStringList{"beginJob", "newPage", "endJob"}));
    QCOMPARE(job.printer.pages().size(), 2);
    QCOMPARE(job.document.TotalPages(), 2);
    QCOMPARE(job.events.count(QStringLiteral("beforePrint")), 1);
}

void tst_PreviewPrinting::jobTitleDuringJobOnly_data()
{
    addBoolRows("abort", "printed", "aborted");
}

void tst_PreviewPrinting::jobTitleDuringJobOnly()
{
    QFETCH(bool, abort);
    Job job(2);
    job.document.setPrintJobTitle(QStringLiteral("АС Зоріс"));
    QStringList titles;
    job.onProgress = [&](int, int percent, bool &abortIt) {
        titles << job.printer.title();
        abortIt = abort && percent == 50;
    };
    job.print();
    QCOMPARE(job.printer.jobTitle(), QStringLiteral("АС Зоріс"));
    QVERIFY(!titles.isEmpty());
    QCOMPARE(titles, QStringList(titles.size(), QStringLiteral("АС Зоріс")));
    QCOMPARE(job.printer.title(), QString());
    QCOMPARE(job.events.last(), abort ? QStringLiteral("aborted") : QStringLiteral("printed"));
}

void tst_PreviewPrinting::failuresAbort_data()
{
    QTest::addColumn<QString>("failingCall");
    QTest::addColumn<bool>("handlerThrows");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QString>("error");
    QTest::newRow("printer refuses to begin") << "beginJob" << false << QStringList{"beginJob"}
                                              << "Принтер відмовився: beginJob";
    QTest::newRow("printer fails a new page")
        << "newPage" << false << QStringList{"beginJob", "newPage", "cancelJob"}
        << "Принтер відмовився: newPage";
    // The job is ended before success is announced.
    QTest::newRow("printer refuses the finished job")
        << "endJob" << false << QStringList{"beginJob", "newPage", "endJob", "cancelJob"}
        << "Принтер відмовився: endJob";
    QTest::newRow("handler throws") << QString() << true << QStringList{} << "Непередбачена помилка: handler failed";
}

void tst_PreviewPrinting::failuresAbort()
{
    QFETCH(QString, failingCall);
    QFETCH(bool, handlerThrows);
    QFETCH(QStringList, calls);
    QFETCH(QString, error);
    Job job(2);
    job.printer.setFailingCall(failingCall);
    if (handlerThrows)
        job.beforePrint = [] { throw std::runtime_error("handler failed"); };
    const PrintResult result = job.print();
    QCOMPARE(job.printer.calls(), calls);
    QCOMPARE(job.events.last(), QStringLiteral("failed"));
    QVERIFY(!job.events.contains(QStringLiteral("printed")));
    QCOMPARE(result.message, error);
    QCOMPARE(job.document.State(), dsIdle);
    QCOMPARE(job.printer.title(), QString());
}

void tst_PreviewPrinting::paperReachingPrinter_data()
{
    QTest::addColumn<TPrinterOrientation>("orientation");
    QTest::addColumn<TUnits>("units");
    QTest::addColumn<QSize>("paper");
    QTest::addColumn<int>("resolution");
    QTest::addColumn<int>("code");
    QTest::addColumn<QSize>("userSize");
    const QSize none(0, 0);
    QTest::newRow("report's landscape A4") << poLandscape << mmLoMetric << QSize(2970, 2100) << 96 << 9 << none;
    QTest::newRow("A4 portrait") << poPortrait << mmLoMetric << QSize(2100, 2970) << 96 << 9 << none;
    QTest::newRow("Letter") << poPortrait << mmLoMetric << QSize(2159, 2794) << 96 << 1 << none;
    QTest::newRow("A5 landscape") << poLandscape << mmLoMetric << QSize(2100, 1480) << 96 << 11 << none;
    QTest::newRow("A4 in hi metric") << poPortrait << mmHiMetric << QSize(21000, 29700) << 96 << 9 << none;
    QTest::newRow("own size") << poPortrait << mmLoMetric << QSize(1000, 1500) << 96 << 256
                              << QSize(1000, 1500);
    QTest::newRow("own size landscape") << poLandscape << mmLoMetric << QSize(1500, 1000) << 96 << 256
                                        << QSize(1000, 1500);
    QTest::newRow("pixels at 96") << poPortrait << mmPixel << QSize(794, 1123) << 96 << 256
                                  << QSize(2101, 2971);
    QTest::newRow("pixels at 600") << poPortrait << mmPixel << QSize(4961, 7016) << 600 << 9 << none;
}

void tst_PreviewPrinting::paperReachingPrinter()
{
    QFETCH(TPrinterOrientation, orientation);
    QFETCH(TUnits, units);
    QFETCH(QSize, paper);
    QFETCH(int, resolution);
    QFETCH(int, code);
    QFETCH(QSize, userSize);
    Job job;
    job.document.setOrientation(orientation);
    job.document.setUnits(units);
    job.document.setResulotion(resolution);
    job.document.setPaperWidth(paper.width());
    job.document.setPaperHeight(paper.height());
    recordPages(job.document, 1);
    job.print();

    const PrinterSettings settings = job.printer.jobSettings();
    QCOMPARE(settings.paperSize, code);
    QCOMPARE(QSize(settings.paperWidth, settings.paperLength), userSize);
    QCOMPARE(settings.orientation,
             orientation == poLandscape ? PaperOrientation::Landscape : PaperOrientation::Portrait);
}

void tst_PreviewPrinting::printerIndexOutOfRange()
{
    Job job(1);
    job.printer.setPrinters({QStringLiteral("one"), QStringLiteral("two")});
    job.printer.setPrinterIndex(1);
    job.print();
    QCOMPARE(job.printer.printerIndex(), 1);
    job.printer.setPrinterIndex(2);
    job.print();
    QCOMPARE(job.printer.printerIndex(), -1);
}

void tst_PreviewPrinting::pageCoversWholeSheet()
{
    // The whole paper goes onto the whole physical sheet, unprintable margins included.
    Job job(1);
    job.print();
    QCOMPARE(job.printer.pages().size(), 1);
    QCOMPARE(job.printer.pages().first().boundingRect(), QRect(-94, -118, 4960, 7016));
}

void tst_PreviewPrinting::usePrinterResolution()
{
    Job job;
    job.printer.setLogicalDpi(QSize(300, 600));
    job.document.setOrientation(poLandscape);
    job.document.setUsePrinterRes(true);
    QCOMPARE(job.document.PixelsPerInchX(), 300);
    QCOMPARE(job.document.PixelsPerInchY(), 600);
    QCOMPARE(job.document.PaperPixelWidth(), 3508);
    QCOMPARE(job.document.PaperPixelHeight(), 4961);
    QCOMPARE(job.printer.settings().orientation, PaperOrientation::Landscape);

    job.document.setResulotion(200);
    QCOMPARE(job.document.PixelsPerInchX(), 300);
    job.document.setUsePrinterRes(false);
    QCOMPARE(job.document.PixelsPerInchX(), 200);

    job.printer.setPrinters({});
    job.document.setUsePrinterRes(true);
    QCOMPARE(job.document.PixelsPerInchX(), 200);
}

void tst_PreviewPrinting::canvasWhilePrinting()
{
    Job job(1);
    QPainter *during = nullptr;
    job.onProgress = [&](int, int, bool &) {
        QVERIFY(job.printer.isPrinting());
        during = job.document.Canvas();
        QCOMPARE(during, job.printer.painter());
    };
    job.print();
    QVERIFY(during);
    QVERIFY(job.document.Canvas());
}

void tst_PreviewPrinting::printIntoPdf()
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("report.pdf"));
    PdfFilePrinter pdf(fileName);
    PreviewDocument preview;
    preview.setPrinter(&pdf);
    preview.setOrientation(poLandscape);
    preview.setPrintJobTitle(QStringLiteral("АС Зоріс"));
    preview.BeginDoc();
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(50);
    preview.Canvas()->setFont(font);
    preview.Canvas()->drawText(200, 300, QStringLiteral("Лівий"));
    // Near the right edge: a page printed 4 % too large would lose it.
    font.setPixelSize(30);
    preview.Canvas()->setFont(font);
    preview.Canvas()->drawText(2870, 2050, QStringLiteral("Край"));
    preview.NewPage();
    preview.Canvas()->setFont(font);
    preview.Canvas()->drawText(1000, 1000, QStringLiteral("Другий"));
    preview.EndDoc();
    const PrintResult result = preview.print(1, preview.TotalPages());

    QVERIFY2(QFileInfo::exists(fileName), qPrintable(result.message));
    REQUIRE_PDF_TOOLS();
    QCOMPARE(pdfInfo(fileName, QStringLiteral("Pages")), QStringLiteral("2"));
    const QSizeF landscapeA4(tenthsToPoints(2970), tenthsToPoints(2100));
    QVERIFY(sameSize(pdfPageSize(fileName, 1), landscapeA4));
    QVERIFY(sameSize(pdfPageSize(fileName, 2), landscapeA4));
    QCOMPARE(pdfInfo(fileName, QStringLiteral("Title")), QStringLiteral("АС Зоріс"));

    const QMap<QString, double> lefts = wordLefts(fileName);
    QCOMPARE(lefts.size(), 3);
    // Paper units at their true size, within a glyph's side bearing.
    QVERIFY(qAbs(lefts.value(QStringLiteral("Лівий")) - tenthsToPoints(200)) < 1.5);
    QVERIFY(qAbs(lefts.value(QStringLiteral("Край")) - tenthsToPoints(2870)) < 1.5);
    QVERIFY(qAbs(lefts.value(QStringLiteral("Другий")) - tenthsToPoints(1000)) < 1.5);
}

void tst_PreviewPrinting::abortedPdfJobLeavesNoFile()
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("report.pdf"));
    writeBytes(fileName, "earlier");
    PdfFilePrinter pdf(fileName);
    PreviewDocument preview;
    preview.setPrinter(&pdf);
    recordPages(preview, 3);
    PrintHandlers handlers;
    handlers.progress = [](int page, int, bool &abortIt) { abortIt = page == 2; };
    preview.print(1, preview.TotalPages(), handlers);
    QCOMPARE(readBytes(fileName), QByteArray("earlier"));
    QCOMPARE(folderEntries(dir.path()), QStringList{QStringLiteral("report.pdf")});
}

void tst_PreviewPrinting::noPrinterInstalled()
{
    // This machine's own printers, of which there are none: nothing happens, and the caller can
    // tell why. No file is written instead.
    PreviewDocument preview;
    recordPages(preview, 2);
    QStringList events;
    PrintHandlers handlers;
    handlers.beforePrint = [&] { events << "beforePrint"; };
    const PrintResult result = preview.print(1, preview.TotalPages(), handlers);
    QCOMPARE(events, QStringList());
    QCOMPARE(result.outcome, PrintResult::NoPrinter);
    QCOMPARE(result.message, QStringLiteral("Не встановлено жодного принтера"));
    QCOMPARE(folderEntries(QDir::tempPath()), QStringList());
}

QTEST_MAIN(tst_PreviewPrinting)
#include "tst_previewprinting.moc"
