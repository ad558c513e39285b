#pragma once

#include "preview/recordedpage.h"
#include "preview/units.h"
#include "text/shapedtext.h"

#include <QFont>
#include <QList>
#include <QObject>

#include <functional>
#include <memory>

class PageRecorder;
class PrinterService;
class QPainter;

enum TPrinterOrientation { poPortrait, poLandscape };
enum TPreviewState { dsIdle, dsRecording, dsPrinting };

// What a print job did.
struct PrintResult
{
    enum Outcome {
        NotRun,    // no pages, an empty range, or not idle: the printer was not touched
        NoPrinter, // none installed; message says so
        Printed,
        Aborted,   // a handler or the printer cancelled it
        Failed,    // message tells why
    };
    Outcome outcome = NotRun;
    QString message;
};

// Called while a job runs; beforePrint or progress throwing fails the job.
struct PrintHandlers
{
    std::function<void()> beforePrint;
    // Twice per printed page; setting abortIt aborts the job.
    std::function<void(int pageNum, int progress, bool &abortIt)> progress;
    // Once the job has ended or been cancelled, while State is still dsPrinting; what it
    // throws reaches the caller.
    std::function<void(const PrintResult &result)> finished;
};

// The document behind a print preview: the paper and its units, the conversion resolution, the
// pages recorded as their drawing calls, and the print job. It needs no window.
//
// Page canvases: (0, 0) is the paper's top-left corner and (PaperWidth, PaperHeight) its
// bottom-right corner; positions, text sizes and pen widths are all in Units. Each page starts
// with Font(), its point size S turned into a pixel size of S x PageResolution / 72 units, a
// black pen one unit wide, a solid white brush, and an opaque white background, so that text
// paints a white box behind itself. Measure text with the canvas's own fontMetrics().
//
// Turning the page (setOrientation) turns the paper too: set the orientation before the size.
class PreviewDocument : public QObject
{
    Q_OBJECT

public:
    explicit PreviewDocument(QObject *parent = nullptr);
    ~PreviewDocument() override;

    QString PrintJobTitle() const { return m_printJobTitle; }
    void setPrintJobTitle(const QString &title) { m_printJobTitle = title; }
    // Dots per inch for unit conversions unless UsePrinterRes; 0 or less counts as PageResolution.
    int Resulotion() const { return m_resulotion; }
    void setResulotion(int resolution);
    bool UsePrinterRes() const { return m_usePrinterRes; }
    void setUsePrinterRes(bool use);

    // Margins in Units, never below MinMargin.
    int MarginLeft() const { return m_marginLeft; }
    void setMarginLeft(int margin) { m_marginLeft = qMax(margin, m_minMargin); }
    int MarginRight() const { return m_marginRight; }
    void setMarginRight(int margin) { m_marginRight = qMax(margin, m_minMargin); }
    int MarginTop() const { return m_marginTop; }
    void setMarginTop(int margin) { m_marginTop = qMax(margin, m_minMargin); }
    int MarginBottom() const { return m_marginBottom; }
    void setMarginBottom(int margin) { m_marginBottom = qMax(margin, m_minMargin); }
    int MinMargin() const { return m_minMargin; }

    // The paper as oriented, in Units.
    int PaperWidth() const { return m_paperWidth; }
    void setPaperWidth(int width);
    int PaperHeight() const { return m_paperHeight; }
    void setPaperHeight(int height);
    // Ignored while recording; otherwise swaps PaperWidth and PaperHeight.
    TPrinterOrientation Orientation() const { return m_orientation; }
    void setOrientation(TPrinterOrientation orientation);
    // Converts the paper, the margins, the font and an open page's pen to the new unit (through
    // whole pixels).
    TUnits Units() const { return m_units; }
    void setUnits(TUnits units);
    // The font every new page starts with.
    QFont Font() const { return m_font; }
    void setFont(const QFont &font) { m_font = font; }

    TPreviewState State() const { return m_state; }
    // Finished pages; the page being recorded is not counted.
    int TotalPages() const { return int(m_pages.size()); }
    const QList<RecordedPage> &Pages() const { return m_pages; }
    int PrintableWidth() const { return m_paperWidth - m_marginLeft - m_marginRight; }

    int PixelsPerInchX() const { return m_pixelsPerInchX; }
    int PixelsPerInchY() const { return m_pixelsPerInchY; }
    int PaperPixelWidth() const { return m_paperPixelWidth; }
    int PaperPixelHeight() const { return m_paperPixelHeight; }

    // The page being recorded; otherwise the printer's painter (never null). Fetch it again
    // after every NewPage.
    QPainter *Canvas();
    // The words the pages are drawn with; pages keep what they use, so Clear can start anew.
    WordCache &Words() { return *m_words; }
    // Keeps the words put out on the page being recorded; nullptr unless recording.
    WordRecorder *Recorder();

    // The printer print() sends jobs to unless given another; nullptr selects this machine's
    // printers again. The document does not own it, and ignores the call while printing.
    PrinterService *Printer() const { return m_printer; }
    void setPrinter(PrinterService *printer);

    // Recording throws OutOfMemoryError when a page cannot be made or closed; the pages
    // finished before stay and the document is idle again.
    void BeginDoc();
    void NewPage();
    void EndDoc();
    // Discards all pages; ignored while printing.
    void Clear();
    // Ends a recording that cannot go on: the open page is dropped, the pages finished stay.
    // Ignored unless recording.
    void abandonRecording();

    // Prints pages fromPage to toPage (1-based, brought into range) as one job on printer. Between
    // pages the job lets pending events run; State stays dsPrinting meanwhile, so that a second
    // job is refused. A failure aborts the job instead of reaching the caller.
    PrintResult print(PrinterService &printer, int fromPage, int toPage, const PrintHandlers &handlers = {});
    // The same on Printer().
    PrintResult print(int fromPage, int toPage, const PrintHandlers &handlers = {})
    {
        return print(*m_printer, fromPage, toPage, handlers);
    }

    void UpdateResolution();

signals:
    void docBegun();
    void pageStarted();
    // A page was finished, or the pages were discarded.
    void pagesChanged();
    void docEnded();
    // The paper's size or orientation changed.
    void paperChanged();

private:
    void setPaperSide(int &side, int length);
    void OpenPage();
    RecordedPage ClosePage();
    void storeOpenPage();
    void ApplyPaperToPrinter(PrinterService &printer) const;

    std::unique_ptr<PrinterService> m_systemPrinter;
    PrinterService *m_printer;

    QString m_printJobTitle;
    int m_resulotion = PageResolution;
    bool m_usePrinterRes = false;
    int m_minMargin = 60;
    int m_marginLeft = 70;
    int m_marginRight = 70;
    int m_marginTop = 70;
    int m_marginBottom = 70;
    int m_paperWidth = 2100;
    int m_paperHeight = 2970;
    TPrinterOrientation m_orientation = poPortrait;
    TUnits m_units = mmLoMetric;
    QFont m_font;

    TPreviewState m_state = dsIdle;
    int m_pixelsPerInchX = PageResolution;
    int m_pixelsPerInchY = PageResolution;
    int m_paperPixelWidth = 0;
    int m_paperPixelHeight = 0;

    std::shared_ptr<WordCache> m_words = std::make_shared<WordCache>();
    QList<RecordedPage> m_pages;
    QRect m_pageFrame;
    std::unique_ptr<PageRecorder> m_recording;
    std::unique_ptr<QPainter> m_pageCanvas;
};
