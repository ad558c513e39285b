#include "platform/printing/windowsprinter.h"

#include "platform/printing/pdfrenderingprinter.h"

#include <QPrinter>
#include <QPrinterInfo>

SystemPrinter::SystemPrinter() = default;
SystemPrinter::~SystemPrinter() = default;

QStringList SystemPrinter::printers() const
{
    return QPrinterInfo::availablePrinterNames();
}

int SystemPrinter::defaultPrinterIndex() const
{
    const QStringList names = printers();
    if (names.isEmpty())
        return -1;
    return qMax(0, names.indexOf(QPrinterInfo::defaultPrinterName()));
}

QString SystemPrinter::destination() const
{
    const QStringList names = printers();
    return names.value(printerIndex() >= 0 && printerIndex() < names.size() ? printerIndex()
                                                                           : defaultPrinterIndex());
}

std::unique_ptr<QPrinter> SystemPrinter::configuredPrinter() const
{
    const QString name = destination();
    if (name.isEmpty())
        return nullptr;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPrinterName(name);
    printer->setFullPage(true);
    // The driver's own margins stay; the sheet is what the settings say.
    QPageLayout layout = PdfRenderingPrinter::pageLayout(settings());
    layout.setMinimumMargins(printer->pageLayout().minimumMargins());
    if (!printer->setPageLayout(layout))
        throw PrintError(QStringLiteral("Принтер «%1» не друкує на папері %2")
                             .arg(name, layout.pageSize().name()));
    return printer;
}

QSize SystemPrinter::logicalDpi() const
{
    const std::unique_ptr<QPrinter> printer = configuredPrinter();
    if (!printer)
        return QSize(PdfRenderingPrinter::Resolution, PdfRenderingPrinter::Resolution);
    return QSize(printer->logicalDpiX(), printer->logicalDpiY());
}

QRect SystemPrinter::printableArea() const
{
    const std::unique_ptr<QPrinter> printer = configuredPrinter();
    if (!printer)
        return QRect(QPoint(0, 0), PdfRenderingPrinter::pageLayout(settings())
                                       .fullRectPixels(PdfRenderingPrinter::Resolution)
                                       .size());
    // The sheet less the margins the driver cannot print on, from the sheet's corner.
    QPageLayout layout = printer->pageLayout();
    layout.setMargins(layout.minimumMargins());
    return layout.paintRectPixels(printer->resolution());
}

void SystemPrinter::beginJob()
{
    if (isPrinting())
        throw PrintError(QStringLiteral("Попереднє завдання друку ще не завершено"));
    std::unique_ptr<QPrinter> printer = configuredPrinter();
    if (!printer)
        throw PrintError(QStringLiteral("Не встановлено жодного принтера"));
    m_cancelled = false;
    printer->setDocName(title());
    printer->setCreator(QStringLiteral("АС \"ЗОРІС\""));
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(printer.get()))
        throw PrintError(QStringLiteral("Принтер «%1» не прийняв завдання").arg(printer->printerName()));
    m_printer = std::move(printer);
    m_painter = std::move(painter);
}

void SystemPrinter::newPage()
{
    if (!isPrinting())
        return;
    if (!m_printer->newPage())
        throw PrintError(QStringLiteral("Не вдалося почати нову сторінку друку"));
}

void SystemPrinter::endJob()
{
    if (!isPrinting())
        return;
    const bool ended = m_painter->end();
    const QString name = m_printer->printerName();
    m_painter.reset();
    m_printer.reset();
    if (!ended)
        throw PrintError(QStringLiteral("Принтер «%1» не прийняв завдання").arg(name));
}

void SystemPrinter::cancelJob()
{
    if (!isPrinting())
        return;
    // The spooler drops the pages it was given; ending the painter afterwards sends nothing.
    m_printer->abort();
    m_painter->end();
    m_painter.reset();
    m_printer.reset();
    m_cancelled = true;
}
