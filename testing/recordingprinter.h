#pragma once

#include "platform/printing/printerservice.h"

#include <QPicture>

#include <memory>

// A printer for tests: it records the calls a job makes, the title and settings the job began
// with, and every page as a picture in printer pixels. It can be told to fail a call.
class RecordingPrinter : public PrinterService
{
public:
    RecordingPrinter();
    ~RecordingPrinter() override;

    QStringList printers() const override { return m_printers; }
    void setPrinters(const QStringList &names) { m_printers = names; }
    int defaultPrinterIndex() const override { return m_printers.isEmpty() ? -1 : m_defaultIndex; }
    void setDefaultPrinterIndex(int index) { m_defaultIndex = index; }

    QSize logicalDpi() const override { return m_dpi; }
    void setLogicalDpi(const QSize &dpi) { m_dpi = dpi; }
    QRect printableArea() const override { return m_printableArea; }
    void setPrintableArea(const QRect &area) { m_printableArea = area; }

    void beginJob() override;
    void newPage() override;
    void endJob() override;
    void cancelJob() override;
    bool isCancelled() const override { return m_cancelled; }
    bool isPrinting() const override { return m_painter != nullptr; }

    // "beginJob", "newPage", "endJob" and "cancelJob" in the order they were called.
    QStringList calls() const { return m_calls; }
    // The title and settings of the last job as it began.
    QString jobTitle() const { return m_jobTitle; }
    PrinterSettings jobSettings() const { return m_jobSettings; }
    // The printer index the last job began with.
    int jobPrinterIndex() const { return m_jobPrinterIndex; }
    // The finished pages of the last job; a cancelled job drops the page being drawn.
    QList<QPicture> pages() const { return m_pages; }

    // The named call throws PrintError from now on.
    void setFailingCall(const QString &call) { m_failingCall = call; }

protected:
    QPainter *jobPainter() override { return m_painter.get(); }

private:
    void record(const QString &call);
    void openPage();
    void closePage();

    QStringList m_printers{QStringLiteral("Recording printer")};
    QSize m_dpi{600, 600};
    QRect m_printableArea;
    QStringList m_calls;
    QString m_jobTitle;
    PrinterSettings m_jobSettings;
    int m_jobPrinterIndex = -1;
    int m_defaultIndex = 0;
    QList<QPicture> m_pages;
    QPicture m_page;
    std::unique_ptr<QPainter> m_painter;
    bool m_cancelled = false;
    QString m_failingCall;
};
