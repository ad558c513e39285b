#pragma once

#include "preview/recordedpage.h"
#include "preview/units.h"

#include <QList>
#include <QWidget>

#include <memory>

class PrinterService;
class QScrollBar;
class TPaperPreview;

enum TZoomState { zsZoomOther, zsZoomToWidth, zsZoomToHeight, zsZoomToFit };
enum TPrinterOrientation { poPortrait, poLandscape };
enum TPreviewState { dsIdle, dsRecording, dsPrinting };

// A print preview: a caller records a document page by page on Canvas() in paper units, the
// control keeps every page as its drawing calls, shows one page at a time as a sheet of paper
// with zoom, scrolling and keyboard paging, and prints the pages as one job.
//
// Page canvases: (0, 0) is the paper's top-left corner and (PaperWidth, PaperHeight) its
// bottom-right corner; positions, text sizes and pen widths are all in Units. Each page starts
// with Font(), its point size S turned into a pixel size of S x 96 / 72 units, a black pen one
// unit wide, a solid white brush, and an opaque white background, so that text paints a white
// box behind itself. Measure text with the canvas's own fontMetrics().
//
// Turning the page (setOrientation) turns the paper too: set the orientation before the size.
class TPrintPreview : public QWidget
{
    Q_OBJECT

public:
    static constexpr int DefaultResolution = 96;

    explicit TPrintPreview(QWidget *parent = nullptr);
    ~TPrintPreview() override;

    QScrollBar *VertBar() const { return m_vertBar; }
    QScrollBar *HorzBar() const { return m_horzBar; }
    QWidget *PagePanel() const { return m_pagePanel; }
    TPaperPreview *PaperView() const { return m_paperView; }

    QString PrintJobTitle() const { return m_printJobTitle; }
    void setPrintJobTitle(const QString &title) { m_printJobTitle = title; }
    // Dots per inch for unit conversions unless UsePrinterRes; 0 or less counts as 96.
    int Resulotion() const { return m_resulotion; }
    void setResulotion(int resolution);
    bool UsePrinterRes() const { return m_usePrinterRes; }
    void setUsePrinterRes(bool use);

    TZoomState ZoomState() const { return m_zoomState; }
    void setZoomState(TZoomState state);
    // Percent of the paper's natural size on this screen; switches to zsZoomOther. At least 1.
    int Zoom() const { return m_zoom; }
    void setZoom(int zoom);

    // Margins in Units, never below MinMargin.
    int MarginLeft() const { return m_marginLeft; }
    void setMarginLeft(int margin);
    int MarginRight() const { return m_marginRight; }
    void setMarginRight(int margin);
    int MarginTop() const { return m_marginTop; }
    void setMarginTop(int margin);
    int MarginBottom() const { return m_marginBottom; }
    void setMarginBottom(int margin);
    int MinMargin() const { return m_minMargin; }

    // The paper as oriented, in Units.
    int PaperWidth() const { return m_paperWidth; }
    void setPaperWidth(int width);
    int PaperHeight() const { return m_paperHeight; }
    void setPaperHeight(int height);
    // Ignored while recording; otherwise swaps PaperWidth and PaperHeight.
    TPrinterOrientation Orientation() const { return m_orientation; }
    void setOrientation(TPrinterOrientation orientation);
    // Converts the paper, the margins and the font to the new unit (through whole pixels).
    TUnits Units() const { return m_units; }
    void setUnits(TUnits units);
    // The font every new page starts with (setFont sets it).
    QFont Font() const { return font(); }

    TPreviewState State() const { return m_state; }
    // 1-based page shown, 0 while there are no pages; set values are brought into range.
    int CurrentPage() const { return m_currentPage; }
    void setCurrentPage(int page);
    // Finished pages; the page being recorded is not counted.
    int TotalPages() const { return int(m_pages.size()); }
    int PrintableWidth() const { return m_paperWidth - m_marginLeft - m_marginRight; }

    int PixelsPerInchX() const { return m_pixelsPerInchX; }
    int PixelsPerInchY() const { return m_pixelsPerInchY; }
    int PaperPixelWidth() const { return m_paperPixelWidth; }
    int PaperPixelHeight() const { return m_paperPixelHeight; }

    // The page being recorded; otherwise the printer's painter (never null). Fetch it again
    // after every NewPage.
    QPainter *Canvas();

    // The printer jobs go to; nullptr selects this machine's printers again. The control does
    // not own it, and ignores the call while printing.
    PrinterService *Printer() const { return m_printer; }
    void setPrinter(PrinterService *printer);
    // Why the last print job was aborted when it failed; empty when it printed or was aborted
    // by a handler, and "no printer" when there was none to print on.
    QString LastPrintError() const { return m_lastPrintError; }

    // Recording throws OutOfMemoryError when a page cannot be made or closed; the pages
    // finished before stay and the control is idle again.
    void BeginDoc();
    void NewPage();
    void EndDoc();
    // Discards all pages; ignored while printing.
    void Clear();

    void Print();
    // Prints pages fromPage to toPage (1-based, brought into range) as one job; nothing happens
    // without pages, with fromPage > toPage, unless idle, or without a printer. A failure
    // aborts the job (printAborted) instead of reaching the caller.
    void PrintPages(int fromPage, int toPage);

    void UpdateResolution();
    void UpdateLayout();

public slots:
    // The screen's resolution changed.
    void SettingsChanged();

signals:
    void docBegun();
    void pageStarted();
    // The number of pages or the current page changed.
    void changed();
    void docEnded();
    void beforePrint();
    // Twice per printed page; a handler sets abortIt to abort the job.
    void printProgress(int pageNum, int progress, bool &abortIt);
    void afterPrint();
    void printAborted();

protected:
    // Plays the current page into the sheet's page area.
    virtual void PaintPage(QPainter *canvas, const QRect &pageRect);

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void setMargin(int &margin, int value);
    void arrangeChildren();
    void setBarsShown(bool horizontal, bool vertical);
    void setPageArea(int width, int height);
    void HorzBarChange(int position);
    void VertBarChange(int position);
    void OpenPage();
    RecordedPage ClosePage();
    void storeOpenPage();
    void abandonRecording();
    void ApplyPaperToPrinter();
    QRect PrinterPageRect() const;
    void reportProgress(int page, int pagesDone, int pagesInJob, bool &abortIt);

    QScrollBar *m_vertBar;
    QScrollBar *m_horzBar;
    QWidget *m_pagePanel;
    TPaperPreview *m_paperView;

    std::unique_ptr<PrinterService> m_systemPrinter;
    PrinterService *m_printer;
    QString m_lastPrintError;

    QString m_printJobTitle;
    int m_resulotion = DefaultResolution;
    bool m_usePrinterRes = false;
    TZoomState m_zoomState = zsZoomToFit;
    int m_zoom = 100;
    int m_minMargin = 60;
    int m_marginLeft = 70;
    int m_marginRight = 70;
    int m_marginTop = 70;
    int m_marginBottom = 70;
    int m_paperWidth = 2100;
    int m_paperHeight = 2970;
    TPrinterOrientation m_orientation = poPortrait;
    TUnits m_units = mmLoMetric;

    TPreviewState m_state = dsIdle;
    int m_currentPage = 0;
    int m_pixelsPerInchX = DefaultResolution;
    int m_pixelsPerInchY = DefaultResolution;
    int m_paperPixelWidth = 0;
    int m_paperPixelHeight = 0;

    QList<RecordedPage> m_pages;
    QRect m_pageFrame;
    std::unique_ptr<PageRecorder> m_recording;
    std::unique_ptr<QPainter> m_pageCanvas;
};
