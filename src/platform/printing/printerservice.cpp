#include "platform/printing/printerservice.h"

PrintError::PrintError(const QString &message) : ZorisError(message) {}

PrinterService::~PrinterService() = default;

int PrinterService::defaultPrinterIndex() const
{
    return hasPrinter() ? 0 : -1;
}

QPainter *PrinterService::painter()
{
    if (isPrinting())
        return jobPainter();
    const QSize dpi = logicalDpi();
    if (!m_scratchPainter || m_scratchSurface.logicalDpiX() != dpi.width()
        || m_scratchSurface.logicalDpiY() != dpi.height()) {
        m_scratchPainter.reset();
        m_scratchSurface = QImage(1, 1, QImage::Format_RGB32);
        m_scratchSurface.setDotsPerMeterX(qRound(dpi.width() / 0.0254));
        m_scratchSurface.setDotsPerMeterY(qRound(dpi.height() / 0.0254));
        m_scratchPainter = std::make_unique<QPainter>(&m_scratchSurface);
    }
    return m_scratchPainter.get();
}
