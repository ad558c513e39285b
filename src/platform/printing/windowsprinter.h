#pragma once

#include "platform/printing/printerservice.h"

#include <memory>

class QPrinter;

// The Windows printers of this machine through Qt's Windows print engine, without a dialog.
// A cancelled job is aborted in the spooler, so nothing of it prints. With no printer installed
// a job fails; it never turns into a file instead.
class SystemPrinter : public PrinterService
{
public:
    SystemPrinter();
    ~SystemPrinter() override;

    QStringList printers() const override;
    int defaultPrinterIndex() const override;

    // The printer a job goes to: the current one, else the default, else the first installed;
    // empty when none is installed.
    QString destination() const;

    QSize logicalDpi() const override;
    QRect printableArea() const override;

    void beginJob() override;
    void newPage() override;
    void endJob() override;
    void cancelJob() override;
    bool isCancelled() const override { return m_cancelled; }
    bool isPrinting() const override { return m_painter != nullptr; }

protected:
    QPainter *jobPainter() override { return m_painter.get(); }

private:
    // A printer for the destination with the settings' paper, the painter's origin at the
    // sheet's corner; null when no printer is installed.
    std::unique_ptr<QPrinter> configuredPrinter() const;

    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPainter> m_painter;
    bool m_cancelled = false;
};
