#include "platform/printing/papercodes.h"
#include "platform/printing/pdffileprinter.h"
#include "platform/printing/systemprinter.h"
#include "support/files.h"
#include "support/pdf.h"
#include "support/smalldisk.h"

#include <QPdfWriter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Options = QList<std::pair<QByteArray, QByteArray>>;

PrinterSettings settings(int code, int width, int length, PaperOrientation orientation)
{
    PrinterSettings result;
    result.paperSize = code;
    result.paperWidth = width;
    result.paperLength = length;
    result.orientation = orientation;
    return result;
}

void printPages(PrinterService &printer, int count)
{
    printer.beginJob();
    for (int n = 1; n <= count; ++n) {
        if (n > 1)
            printer.newPage();
        printer.painter()->drawText(600, 600, QStringLiteral("Сторінка %1").arg(n));
    }
    printer.endJob();
}

} // namespace

class tst_Printing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void paperSizeCode_data();
    void paperSizeCode();
    void paperCodeSize_data();
    void paperCodeSize();

    void pdfSheets_data();
    void pdfSheets();
    void pdfPrintableAreaIsWholeSheet();
    void paperWithoutSizeIsRefused();
    void cancelledPdfKeepsEarlierFile();
    void unwritablePdfFails();
    void pdfOnFullDiskFails();
    void painterOutsideJobMeasures();

    void noSystemPrinterInstalled();
#ifndef _WIN32
    void jobOptions_data();
    void jobOptions();
#endif

private:
    QTemporaryDir m_temp;
};

void tst_Printing::initTestCase()
{
    // Asks for this machine's printers at a server that does not exist: none installed.
    qputenv("CUPS_SERVER", "/nonexistent/zoris-test-cups.sock");
    // A temporary folder of its own, so that what a job leaves there is this test's.
    useAsTempPath(m_temp.path());
}

void tst_Printing::paperSizeCode_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("code");
    QTest::newRow("A4") << 2100 << 2970 << 9;
    QTest::newRow("A4 through pixels") << 2101 << 2971 << 256;
    QTest::newRow("Letter, lowest of 1, 2 and 18") << 2159 << 2794 << 1;
    QTest::newRow("Legal") << 2159 << 3556 << 5;
    QTest::newRow("A3") << 2970 << 4200 << 8;
    QTest::newRow("A5") << 1480 << 2100 << 11;
    QTest::newRow("lowest of 50 and 56") << 2355 << 3048 << 50;
    QTest::newRow("lowest of 63 and 68") << 3220 << 4450 << 63;
    QTest::newRow("square") << 2200 << 2200 << 47;
    QTest::newRow("landscape A4 is no code") << 2970 << 2100 << 256;
    QTest::newRow("nothing") << 0 << 0 << 256;
}

void tst_Printing::paperSizeCode()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, code);
    QCOMPARE(PaperSizeCode(width, height), code);
}

void tst_Printing::paperCodeSize_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QSize>("size");
    QTest::newRow("Letter") << 1 << QSize(2159, 2794);
    QTest::newRow("A4") << 9 << QSize(2100, 2970);
    QTest::newRow("26") << 26 << QSize(8636, 11176);
    QTest::newRow("reserved 48") << 48 << QSize();
    QTest::newRow("reserved 49") << 49 << QSize();
    QTest::newRow("68") << 68 << QSize(3220, 4450);
    QTest::newRow("unknown 69") << 69 << QSize();
    QTest::newRow("user size") << 256 << QSize();
}

void tst_Printing::paperCodeSize()
{
    QFETCH(int, code);
    QFETCH(QSize, size);
    QCOMPARE(::paperCodeSize(code), size);
}

void tst_Printing::pdfSheets_data()
{
    QTest::addColumn<PrinterSettings>("paper");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QSizeF>("points");
    QTest::newRow("A4 landscape") << settings(9, 0, 0, PaperOrientation::Landscape) << 2 << QSizeF(842, 595);
    QTest::newRow("A4 portrait") << settings(9, 0, 0, PaperOrientation::Portrait) << 1 << QSizeF(595, 842);
    QTest::newRow("A3") << settings(8, 0, 0, PaperOrientation::Portrait) << 3 << QSizeF(842, 1191);
    QTest::newRow("own size") << settings(256, 1234, 1567, PaperOrientation::Portrait) << 1
                              << QSizeF(349.8, 444.2);
}

void tst_Printing::pdfSheets()
{
    QFETCH(PrinterSettings, paper);
    QFETCH(int, pages);
    QFETCH(QSizeF, points);
    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("out.pdf"));
    PdfFilePrinter printer(fileName);
    QCOMPARE(printer.printers(), QStringList{QStringLiteral("out.pdf")});
    printer.setSettings(paper);
    printer.setTitle(QStringLiteral("Звіт"));
    printPages(printer, pages);
    QVERIFY(!printer.isPrinting());
    QVERIFY(!printer.isCancelled());

    REQUIRE_PDF_TOOLS();
    QCOMPARE(pdfInfo(fileName, QStringLiteral("Pages")), QString::number(pages));
    const QSizeF size = pdfPageSize(fileName, 1);
    QVERIFY2(qAbs(size.width() - points.width()) < 1 && qAbs(size.height() - points.height()) < 1,
             qPrintable(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height())));
}

void tst_Printing::pdfPrintableAreaIsWholeSheet()
{
    QTemporaryDir dir;
    PdfFilePrinter printer(dir.filePath(QStringLiteral("out.pdf")));
    printer.setSettings(settings(9, 0, 0, PaperOrientation::Landscape));
    QCOMPARE(printer.logicalDpi(), QSize(600, 600));
    // The sheet as the PDF has it: 842 x 595 points at 600 dpi.
    QCOMPARE(printer.printableArea(), QRect(0, 0, 7017, 4958));
    printer.beginJob();
    const QPaintDevice *page = printer.painter()->device();
    QCOMPARE(QSize(page->width(), page->height()), printer.printableArea().size());
    QCOMPARE(page->logicalDpiX(), 600);
    printer.cancelJob();
}

void tst_Printing::paperWithoutSizeIsRefused()
{
    QTemporaryDir dir;
    PdfFilePrinter printer(dir.filePath(QStringLiteral("out.pdf")));
    printer.setSettings(settings(256, 0, 0, PaperOrientation::Portrait));
    QVERIFY_THROWS_EXCEPTION(PrintError, printer.beginJob());
    QVERIFY(!printer.isPrinting());
    printer.setSettings(settings(48, 0, 0, PaperOrientation::Portrait));
    QVERIFY_THROWS_EXCEPTION(PrintError, printer.beginJob());
    QCOMPARE(folderEntries(dir.path()), QStringList());
}

void tst_Printing::cancelledPdfKeepsEarlierFile()
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("out.pdf"));
    PdfFilePrinter printer(fileName);
    printPages(printer, 1);
    const QByteArray before = readBytes(fileName);
    QVERIFY(before.startsWith("%PDF"));

    printer.beginJob();
    printer.painter()->drawText(100, 100, QStringLiteral("скасовано"));
    printer.newPage();
    printer.cancelJob();
    QVERIFY(printer.isCancelled());
    QVERIFY(!printer.isPrinting());
    QCOMPARE(readBytes(fileName), before);
    QCOMPARE(folderEntries(dir.path()), QStringList{QStringLiteral("out.pdf")});

    // The next job starts afresh.
    printPages(printer, 2);
    QVERIFY(!printer.isCancelled());
    REQUIRE_PDF_TOOLS();
    QCOMPARE(pdfInfo(fileName, QStringLiteral("Pages")), QStringLiteral("2"));
}

void tst_Printing::unwritablePdfFails()
{
    PdfFilePrinter printer(QStringLiteral("/nonexistent/folder/out.pdf"));
    try {
        printer.beginJob();
        QFAIL("a file in a missing folder was begun");
    } catch (const PrintError &error) {
        QVERIFY(error.message().startsWith(QStringLiteral("Не вдалося створити файл «/nonexistent/folder/out.pdf»")));
    }
    QVERIFY(!printer.isPrinting());
}

// The last bytes of the document fail only when the file is flushed; the job fails all the
// same, and the earlier file stays as it was.
void tst_Printing::pdfOnFullDiskFails()
{
    SmallDisk disk(QStringLiteral("64k"));
    if (!disk.ok())
        QSKIP("Cannot mount a small tmpfs here (needs the right to mount).");
    const QString fileName = disk.filePath(QStringLiteral("out.pdf"));
    PdfFilePrinter printer(fileName);
    printPages(printer, 1);
    const QByteArray before = readBytes(fileName);
    QVERIFY(before.startsWith("%PDF"));
    QVERIFY(fillUp(disk.filePath(QStringLiteral("filler"))));
    try {
        printPages(printer, 1);
        QFAIL("a job without room was delivered");
    } catch (const PrintError &error) {
        QVERIFY2(error.message().startsWith(QStringLiteral("Не вдалося записати файл «%1»").arg(fileName)),
                 qPrintable(error.message()));
    }
    QVERIFY(!printer.isPrinting());
    QCOMPARE(readBytes(fileName), before);
    QCOMPARE(folderEntries(disk.path()), (QStringList{QStringLiteral("filler"), QStringLiteral("out.pdf")}));
}

void tst_Printing::painterOutsideJobMeasures()
{
    QTemporaryDir dir;
    PdfFilePrinter printer(dir.filePath(QStringLiteral("out.pdf")));
    QPainter *outside = printer.painter();
    QVERIFY(outside);
    QCOMPARE(outside->device()->logicalDpiY(), 600);
    outside->drawText(10, 10, QStringLiteral("нікуди"));
    printer.beginJob();
    QVERIFY(printer.painter() != outside);
    QVERIFY(dynamic_cast<QPdfWriter *>(printer.painter()->device()));
    printer.endJob();
    QCOMPARE(printer.painter(), outside);
}

void tst_Printing::noSystemPrinterInstalled()
{
    SystemPrinter printer;
    QCOMPARE(printer.printers(), QStringList());
    QVERIFY(!printer.hasPrinter());
    QCOMPARE(printer.destination(), QString());
    try {
        printer.beginJob();
        QFAIL("a job began without a printer");
    } catch (const PrintError &error) {
        QCOMPARE(error.message(), QStringLiteral("Не встановлено жодного принтера"));
    }
    QVERIFY(!printer.isPrinting());
    QCOMPARE(folderEntries(QDir::tempPath()), QStringList());
}

#ifndef _WIN32
void tst_Printing::jobOptions_data()
{
    QTest::addColumn<PrinterSettings>("paper");
    QTest::addColumn<Options>("options");
    QTest::newRow("A4 landscape") << settings(9, 0, 0, PaperOrientation::Landscape)
                                  << Options{{"media", "iso_a4_210x297mm"}, {"orientation-requested", "4"}};
    QTest::newRow("A4 portrait") << settings(9, 0, 0, PaperOrientation::Portrait)
                                 << Options{{"media", "iso_a4_210x297mm"}, {"orientation-requested", "3"}};
    QTest::newRow("Letter") << settings(1, 0, 0, PaperOrientation::Portrait)
                            << Options{{"media", "na_letter_8.5x11in"}, {"orientation-requested", "3"}};
    QTest::newRow("own size") << settings(256, 1234, 1567, PaperOrientation::Landscape)
                              << Options{{"media", "custom_123.4x156.7mm_123.4x156.7mm"},
                                         {"orientation-requested", "4"}};
}

void tst_Printing::jobOptions()
{
    QFETCH(PrinterSettings, paper);
    QFETCH(Options, options);
    QCOMPARE(SystemPrinter::jobOptions(paper), options);
}
#endif

QTEST_MAIN(tst_Printing)
#include "tst_printing.moc"
