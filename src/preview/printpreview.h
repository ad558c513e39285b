#pragma once

#include "preview/previewdocument.h"

#include <QWidget>

class QScrollBar;
class TPaperPreview;

enum TZoomState { zsZoomOther, zsZoomToWidth, zsZoomToHeight, zsZoomToFit };

// A print preview: shows the pages of its document (PreviewDocument) one at a time as a sheet
// of paper, with zoom, scrolling and keyboard paging. The document's paper, recording and
// printing are offered here too, with the job's outcome told by signals.
class TPrintPreview : public QWidget
{
    Q_OBJECT

public:
    explicit TPrintPreview(QWidget *parent = nullptr);
    ~TPrintPreview() override;

    PreviewDocument &Document() { return m_document; }
    const PreviewDocument &Document() const { return m_document; }

    QScrollBar *VertBar() const { return m_vertBar; }
    QScrollBar *HorzBar() const { return m_horzBar; }
    QWidget *PagePanel() const { return m_pagePanel; }
    TPaperPreview *PaperView() const { return m_paperView; }

    QString PrintJobTitle() const { return m_document.PrintJobTitle(); }
    void setPrintJobTitle(const QString &title) { m_document.setPrintJobTitle(title); }
    int Resulotion() const { return m_document.Resulotion(); }
    void setResulotion(int resolution) { m_document.setResulotion(resolution); }
    bool UsePrinterRes() const { return m_document.UsePrinterRes(); }
    void setUsePrinterRes(bool use) { m_document.setUsePrinterRes(use); }

    TZoomState ZoomState() const { return m_zoomState; }
    void setZoomState(TZoomState state);
    // Percent of the paper's natural size on this screen; switches to zsZoomOther. At least 1.
    int Zoom() const { return m_zoom; }
    void setZoom(int zoom);

    int MarginLeft() const { return m_document.MarginLeft(); }
    void setMarginLeft(int margin) { m_document.setMarginLeft(margin); }
    int MarginRight() const { return m_document.MarginRight(); }
    void setMarginRight(int margin) { m_document.setMarginRight(margin); }
    int MarginTop() const { return m_document.MarginTop(); }
    void setMarginTop(int margin) { m_document.setMarginTop(margin); }
    int MarginBottom() const { return m_document.MarginBottom(); }
    void setMarginBottom(int margin) { m_document.setMarginBottom(margin); }
    int MinMargin() const { return m_document.MinMargin(); }

    int PaperWidth() const { return m_document.PaperWidth(); }
    void setPaperWidth(int width) { m_document.setPaperWidth(width); }
    int PaperHeight() const { return m_document.PaperHeight(); }
    void setPaperHeight(int height) { m_document.setPaperHeight(height); }
    TPrinterOrientation Orientation() const { return m_document.Orientation(); }
    void setOrientation(TPrinterOrientation orientation) { m_document.setOrientation(orientation); }
    TUnits Units() const { return m_document.Units(); }
    void setUnits(TUnits units) { m_document.setUnits(units); }
    // The font every new page starts with; the control's own font is left as it is.
    QFont Font() const { return m_document.Font(); }
    void setFont(const QFont &font) { m_document.setFont(font); }

    TPreviewState State() const { return m_document.State(); }
    // 1-based page shown, 0 while there are no pages; set values are brought into range.
    int CurrentPage() const { return m_currentPage; }
    void setCurrentPage(int page);
    int TotalPages() const { return m_document.TotalPages(); }
    int PrintableWidth() const { return m_document.PrintableWidth(); }

    int PixelsPerInchX() const { return m_document.PixelsPerInchX(); }
    int PixelsPerInchY() const { return m_document.PixelsPerInchY(); }
    int PaperPixelWidth() const { return m_document.PaperPixelWidth(); }
    int PaperPixelHeight() const { return m_document.PaperPixelHeight(); }

    QPainter *Canvas() { return m_document.Canvas(); }

    PrinterService *Printer() const { return m_document.Printer(); }
    void setPrinter(PrinterService *printer) { m_document.setPrinter(printer); }
    // Why the last print job was aborted when it failed; empty when it printed or was aborted
    // by a handler, and "no printer" when there was none to print on.
    QString LastPrintError() const { return m_lastPrintError; }

    void BeginDoc() { m_document.BeginDoc(); }
    void NewPage() { m_document.NewPage(); }
    void EndDoc() { m_document.EndDoc(); }
    void Clear() { m_document.Clear(); }

    PrintResult Print();
    // The document's print job, told by beforePrint, printProgress, then afterPrint or
    // printAborted; nothing is told when no job ran.
    PrintResult PrintPages(int fromPage, int toPage);

    void UpdateResolution() { m_document.UpdateResolution(); }
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
    void showPages();
    void arrangeChildren();
    void setBarsShown(bool horizontal, bool vertical);
    void HorzBarChange(int position);
    void VertBarChange(int position);

    PreviewDocument m_document;
    QScrollBar *m_vertBar;
    QScrollBar *m_horzBar;
    QWidget *m_pagePanel;
    TPaperPreview *m_paperView;
    QString m_lastPrintError;

    TZoomState m_zoomState = zsZoomToFit;
    int m_zoom = 100;
    int m_currentPage = 0;
};
