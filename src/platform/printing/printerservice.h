#pragma once

#include "core/errors.h"

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QSize>
#include <QStringList>

#include <memory>

enum class PaperOrientation { Portrait = 1, Landscape = 2 };

// The device settings a job is printed with, as the preview hands them to the printer.
struct PrinterSettings
{
    static constexpr int UserPaperSize = 256;

    int paperSize = 9;      // paper code (see papercodes.h); UserPaperSize takes the size below
    int paperWidth = 0;     // portrait width and length in tenths of a millimetre,
    int paperLength = 0;    // read only with UserPaperSize
    PaperOrientation orientation = PaperOrientation::Portrait;

    bool operator==(const PrinterSettings &) const = default;
};

// A printer that refused a job, or a job that could not be written.
class PrintError : public ZorisError
{
public:
    explicit PrintError(const QString &message);
};

// The printer a preview prints through: installed printers, the current one, its settings and
// resolution, and one print job at a time. Failures of a job throw PrintError.
class PrinterService
{
public:
    virtual ~PrinterService();

    // Names of the installed printers; empty when none is installed.
    virtual QStringList printers() const = 0;
    bool hasPrinter() const { return !printers().isEmpty(); }
    // Index into printers() of the system's default printer, the first one where the service
    // knows no default; -1 when none is installed.
    virtual int defaultPrinterIndex() const;

    // Index into printers(); -1 stands for the system's default printer.
    int printerIndex() const { return m_printerIndex; }
    void setPrinterIndex(int index) { m_printerIndex = index; }

    PrinterSettings settings() const { return m_settings; }
    void setSettings(const PrinterSettings &settings) { m_settings = settings; }

    QString title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }

    // Logical pixels per inch of the job's pages.
    virtual QSize logicalDpi() const = 0;
    // The printable area in printer pixels; its top-left corner is the area's offset from the
    // sheet's top-left corner.
    virtual QRect printableArea() const = 0;

    virtual void beginJob() = 0;
    virtual void newPage() = 0;
    // Finishes the job and hands it to the printer.
    virtual void endJob() = 0;
    // Ends a begun job so that nothing of it is printed.
    virtual void cancelJob() = 0;
    virtual bool isCancelled() const = 0;
    virtual bool isPrinting() const = 0;

    // The current page's painter during a job; outside one, a painter that measures at the
    // printer's resolution and draws nowhere, so that it is never null.
    QPainter *painter();

protected:
    virtual QPainter *jobPainter() = 0;

private:
    int m_printerIndex = -1;
    PrinterSettings m_settings;
    QString m_title;
    QImage m_scratchSurface;
    std::unique_ptr<QPainter> m_scratchPainter;
};
