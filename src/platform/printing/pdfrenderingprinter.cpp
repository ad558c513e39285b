#include "platform/printing/pdfrenderingprinter.h"

#include "platform/printing/papercodes.h"

#include <QPdfWriter>
#include <QSaveFile>

#include <cerrno>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

PdfRenderingPrinter::PdfRenderingPrinter() = default;
PdfRenderingPrinter::~PdfRenderingPrinter() = default;

QPageLayout PdfRenderingPrinter::pageLayout(const PrinterSettings &settings)
{
    const QSize tenths = settings.paperSize == PrinterSettings::UserPaperSize
                             ? QSize(settings.paperWidth, settings.paperLength)
                             : paperCodeSize(settings.paperSize);
    if (tenths.width() <= 0 || tenths.height() <= 0)
        throw PrintError(QStringLiteral("Принтер не знає розміру паперу (код %1, %2 × %3)")
                             .arg(settings.paperSize)
                             .arg(settings.paperWidth)
                             .arg(settings.paperLength));
    const QPageSize size(QSizeF(tenths) / 10.0, QPageSize::Millimeter);
    const auto orientation = settings.orientation == PaperOrientation::Landscape
                                 ? QPageLayout::Landscape
                                 : QPageLayout::Portrait;
    return QPageLayout(size, orientation, QMarginsF());
}

QSize PdfRenderingPrinter::logicalDpi() const
{
    return QSize(Resolution, Resolution);
}

QRect PdfRenderingPrinter::printableArea() const
{
    // The whole sheet is printable: a PDF has no unprintable margins.
    return QRect(QPoint(0, 0), pageLayout(settings()).fullRectPixels(Resolution).size());
}

void PdfRenderingPrinter::beginJob()
{
    if (isPrinting())
        throw PrintError(QStringLiteral("Попереднє завдання друку ще не завершено"));
    const QPageLayout layout = pageLayout(settings());
    m_cancelled = false;
    QIODevice *output = openOutput();
    m_writer = std::make_unique<QPdfWriter>(output);
    m_writer->setResolution(Resolution);
    m_writer->setTitle(title());
    m_writer->setCreator(QStringLiteral("АС \"ЗОРІС\""));
    auto painter = std::make_unique<QPainter>();
    if (!m_writer->setPageLayout(layout) || !painter->begin(m_writer.get())) {
        m_writer.reset();
        discard();
        throw PrintError(QStringLiteral("Не вдалося почати документ для друку"));
    }
    m_painter = std::move(painter);
}

void PdfRenderingPrinter::newPage()
{
    if (!isPrinting())
        return;
    if (!m_writer->newPage())
        throw PrintError(QStringLiteral("Не вдалося почати нову сторінку друку"));
}

void PdfRenderingPrinter::endJob()
{
    if (!isPrinting())
        return;
    if (!closeDocument()) {
        discard();
        throw PrintError(QStringLiteral("Не вдалося завершити документ для друку"));
    }
    deliver();
}

void PdfRenderingPrinter::cancelJob()
{
    if (!isPrinting())
        return;
    closeDocument();
    discard();
    m_cancelled = true;
}

bool PdfRenderingPrinter::closeDocument()
{
    const bool ended = m_painter->end();
    m_painter.reset();
    m_writer.reset();
    return ended;
}

void PdfRenderingPrinter::commitWhole(QSaveFile &file, const QString &failure)
{
    // commit() itself says nothing of a write that fails only when its buffer is flushed, nor
    // of data the disk refuses when it is synced.
    QString reason;
    if (!file.flush())
        reason = file.errorString();
#ifdef _WIN32
    else if (::_commit(file.handle()) != 0)
#else
    else if (::fsync(file.handle()) != 0)
#endif
        reason = qt_error_string(errno);
    else if (!file.commit())
        reason = file.errorString();
    else
        return;
    file.cancelWriting();
    throw PrintError(failure + QStringLiteral(": ") + reason);
}
