#include "preview/previewdocument.h"
#include "preview/pagerecorder.h"

#include "core/errors.h"
#include "core/muldiv.h"
#include "platform/printing/papercodes.h"
#include "platform/printing/systemprinter.h"

#include <QCoreApplication>
#include <QPainter>

#include <new>
#include <utility>

namespace {

const char *const NoPageMemory = "Not enough memory to create a new page";

// Leaves the page loop of a print job; never reaches the caller.
class EAbortPrint : public ZorisError
{
public:
    EAbortPrint() : ZorisError(QString()) {}
};

// A font point size on a page canvas becomes a pixel size in paper units, as a screen of
// PageResolution logical pixels per inch would give it; a point size on a scaled painter is
// scaled twice.
QFont pageFont(const QFont &font)
{
    QFont result(font);
    if (font.pointSize() > 0)
        result.setPixelSize(qMax(1, MulDiv(font.pointSize(), PageResolution, 72)));
    return result;
}

void convertFontSize(QFont &font, int dpi, TUnits from, TUnits to)
{
    if (font.pointSize() > 0)
        font.setPointSize(qMax(1, ConvertUnits(font.pointSize(), dpi, from, to)));
    else if (font.pixelSize() > 0)
        font.setPixelSize(qMax(1, ConvertUnits(font.pixelSize(), dpi, from, to)));
}

PaperOrientation printerOrientation(TPrinterOrientation orientation)
{
    return orientation == poLandscape ? PaperOrientation::Landscape : PaperOrientation::Portrait;
}

} // namespace

PreviewDocument::PreviewDocument(QObject *parent)
    : QObject(parent),
      m_systemPrinter(std::make_unique<SystemPrinter>()),
      m_printer(m_systemPrinter.get()),
      m_font(QStringLiteral("Arial"), 20)
{
    UpdateResolution();
}

PreviewDocument::~PreviewDocument() = default;

// ---- Paper ----

void PreviewDocument::setResulotion(int resolution)
{
    if (resolution == m_resulotion)
        return;
    m_resulotion = resolution;
    if (!m_usePrinterRes)
        UpdateResolution();
}

void PreviewDocument::setUsePrinterRes(bool use)
{
    if (std::exchange(m_usePrinterRes, use) != use)
        UpdateResolution();
}

void PreviewDocument::setPaperWidth(int width)
{
    setPaperSide(m_paperWidth, width);
}

void PreviewDocument::setPaperHeight(int height)
{
    setPaperSide(m_paperHeight, height);
}

void PreviewDocument::setPaperSide(int &side, int length)
{
    if (std::exchange(side, length) == length)
        return;
    UpdateResolution();
    emit paperChanged();
}

void PreviewDocument::setOrientation(TPrinterOrientation orientation)
{
    if (orientation == m_orientation || m_state == dsRecording)
        return;
    m_orientation = orientation;
    std::swap(m_paperWidth, m_paperHeight);
    UpdateResolution();
    emit paperChanged();
}

void PreviewDocument::setUnits(TUnits units)
{
    if (units == m_units)
        return;
    const auto horizontal = [this, units](int &value) {
        value = ConvertUnits(value, m_pixelsPerInchX, m_units, units);
    };
    const auto vertical = [this, units](int &value) {
        value = ConvertUnits(value, m_pixelsPerInchY, m_units, units);
    };
    horizontal(m_minMargin);
    horizontal(m_marginLeft);
    horizontal(m_marginRight);
    horizontal(m_paperWidth);
    vertical(m_marginTop);
    vertical(m_marginBottom);
    vertical(m_paperHeight);
    convertFontSize(m_font, m_pixelsPerInchY, m_units, units);
    if (m_pageCanvas) {
        m_pageFrame = QRect(0, 0, m_paperWidth, m_paperHeight);
        m_recording->setFrame(m_pageFrame);
        QFont canvasFont = m_pageCanvas->font();
        convertFontSize(canvasFont, m_pixelsPerInchY, m_units, units);
        m_pageCanvas->setFont(canvasFont);
        QPen pen = m_pageCanvas->pen();
        pen.setWidth(ConvertUnits(pen.width(), m_pixelsPerInchY, m_units, units));
        m_pageCanvas->setPen(pen);
    }
    m_units = units;
}

void PreviewDocument::UpdateResolution()
{
    if (m_usePrinterRes && m_printer->hasPrinter() && !m_printer->isPrinting()) {
        PrinterSettings settings = m_printer->settings();
        settings.orientation = printerOrientation(m_orientation);
        m_printer->setSettings(settings);
        m_pixelsPerInchX = m_printer->logicalDpi().width();
        m_pixelsPerInchY = m_printer->logicalDpi().height();
    } else {
        m_pixelsPerInchX = m_pixelsPerInchY = m_resulotion;
    }
    // Every conversion divides by the resolution.
    if (m_pixelsPerInchX <= 0)
        m_pixelsPerInchX = PageResolution;
    if (m_pixelsPerInchY <= 0)
        m_pixelsPerInchY = PageResolution;
    m_paperPixelWidth = ConvertUnits(m_paperWidth, m_pixelsPerInchX, m_units, mmPixel);
    m_paperPixelHeight = ConvertUnits(m_paperHeight, m_pixelsPerInchY, m_units, mmPixel);
}

QPainter *PreviewDocument::Canvas()
{
    if (m_state == dsRecording && m_pageCanvas)
        return m_pageCanvas.get();
    return m_printer->painter();
}

WordRecorder *PreviewDocument::Recorder()
{
    return m_state == dsRecording ? m_recording.get() : nullptr;
}

void PreviewDocument::setPrinter(PrinterService *printer)
{
    if (m_state == dsPrinting)
        return;
    m_printer = printer ? printer : m_systemPrinter.get();
    UpdateResolution();
}

// ---- Recording ----

void PreviewDocument::OpenPage()
{
    m_pageFrame = QRect(0, 0, m_paperWidth, m_paperHeight);
    std::unique_ptr<PageRecorder> recording;
    std::unique_ptr<QPainter> canvas;
    try {
        recording = std::make_unique<PageRecorder>(m_pageFrame, m_words);
        canvas = std::make_unique<QPainter>();
    } catch (const std::bad_alloc &) {
        throw OutOfMemoryError(QString::fromLatin1(NoPageMemory));
    }
    if (!canvas->begin(recording.get()))
        throw OutOfMemoryError(QString::fromLatin1(NoPageMemory));
    canvas->setFont(pageFont(m_font));
    canvas->setPen(QPen(Qt::black, 1));
    canvas->setBrush(Qt::white);
    canvas->setBackground(Qt::white);
    canvas->setBackgroundMode(Qt::OpaqueMode);
    m_recording = std::move(recording);
    m_pageCanvas = std::move(canvas);
}

RecordedPage PreviewDocument::ClosePage()
{
    const bool ended = m_pageCanvas->end();
    m_pageCanvas.reset();
    RecordedPage page = m_recording->take();
    m_recording.reset();
    if (!ended)
        throw OutOfMemoryError(QString::fromLatin1(NoPageMemory));
    return page;
}

void PreviewDocument::storeOpenPage()
{
    m_pages.append(ClosePage());
    emit pagesChanged();
}

void PreviewDocument::BeginDoc()
{
    if (m_state != dsIdle)
        return;
    Clear();
    UpdateResolution();
    m_state = dsRecording;
    emit docBegun();
    NewPage();
}

void PreviewDocument::NewPage()
{
    if (m_state != dsRecording)
        return;
    try {
        if (m_pageCanvas)
            storeOpenPage();
        OpenPage();
    } catch (...) {
        abandonRecording();
        throw;
    }
    emit pageStarted();
}

void PreviewDocument::EndDoc()
{
    if (m_state != dsRecording)
        return;
    if (m_pageCanvas) {
        try {
            storeOpenPage();
        } catch (...) {
            abandonRecording();
            throw;
        }
    }
    emit docEnded();
    m_state = dsIdle;
}

// A page that could not be opened or closed ends the document with the pages finished so far,
// so that the next document can begin.
void PreviewDocument::abandonRecording()
{
    if (m_state != dsRecording)
        return;
    m_pageCanvas.reset();
    m_recording.reset();
    m_state = dsIdle;
}

void PreviewDocument::Clear()
{
    // The pages of a running job must stay.
    if (m_state == dsPrinting)
        return;
    m_pageCanvas.reset();
    m_recording.reset();
    m_pages.clear();
    m_words = std::make_shared<WordCache>();
    m_state = dsIdle;
    emit pagesChanged();
}

// ---- Printing ----

void PreviewDocument::ApplyPaperToPrinter(PrinterService &printer) const
{
    const QStringList printers = printer.printers();
    if (printers.isEmpty())
        return;
    if (printer.printerIndex() < -1 || printer.printerIndex() >= printers.size())
        printer.setPrinterIndex(-1);
    // Straight to tenths of a millimetre: through whole pixels A4 would come out 2101 x 2971.
    int width = ToLoMetric(m_paperWidth, m_pixelsPerInchX, m_units);
    int height = ToLoMetric(m_paperHeight, m_pixelsPerInchY, m_units);
    if (m_orientation == poLandscape)
        std::swap(width, height);
    PrinterSettings settings = printer.settings();
    settings.paperSize = PaperSizeCode(width, height);
    if (settings.paperSize == PrinterSettings::UserPaperSize) {
        settings.paperWidth = width;
        settings.paperLength = height;
    }
    settings.orientation = printerOrientation(m_orientation);
    printer.setSettings(settings);
}

namespace {

QRect printerPageRect(const PrinterService &printer)
{
    // The whole physical sheet, the unprintable margins on the right and bottom taken as
    // equal to those on the left and top.
    const QRect area = printer.printableArea();
    const int x = area.left();
    const int y = area.top();
    return QRect(QPoint(-x, -y), QPoint(area.width() + x - 1, area.height() + y - 1));
}

} // namespace

PrintResult PreviewDocument::print(PrinterService &printer, int fromPage, int toPage, const PrintHandlers &handlers)
{
    if (TotalPages() == 0 || m_state != dsIdle)
        return {};
    fromPage = qBound(1, fromPage, TotalPages());
    toPage = qBound(1, toPage, TotalPages());
    if (fromPage > toPage)
        return {};
    if (!printer.hasPrinter())
        return {PrintResult::NoPrinter, QStringLiteral("Не встановлено жодного принтера")};

    const int pagesInJob = toPage - fromPage + 1;
    int pagesDone = 0;
    bool begun = false;
    m_state = dsPrinting;

    // Whatever happens, the title goes and the document is idle again.
    struct Finish
    {
        PreviewDocument *document;
        PrinterService &printer;
        ~Finish()
        {
            printer.setTitle(QString());
            document->m_state = dsIdle;
        }
    } finish{this, printer};

    bool abortIt = false;
    const auto reportProgress = [&](int page) {
        if (handlers.progress)
            handlers.progress(page, MulDiv(100, pagesDone, pagesInJob), abortIt);
        if (abortIt || printer.isCancelled())
            throw EAbortPrint();
    };

    PrintResult result{PrintResult::Printed, QString()};
    try {
        if (handlers.beforePrint)
            handlers.beforePrint();
        ApplyPaperToPrinter(printer);
        const QRect sheet = printerPageRect(printer);
        printer.setTitle(m_printJobTitle);
        printer.beginJob();
        begun = true;
        for (int page = fromPage; page <= toPage; ++page) {
            reportProgress(page);
            m_pages.at(page - 1).printOnWhitePaper(*printer.painter(), sheet);
            ++pagesDone;
            // The windows stay responsive during the job.
            QCoreApplication::processEvents();
            reportProgress(page);
            if (page != toPage)
                printer.newPage();
        }
        // Ended before success is announced, so that a job the printer refuses is not reported
        // as printed.
        printer.endJob();
    } catch (const EAbortPrint &) {
        result = {PrintResult::Aborted, QString()};
    } catch (const std::exception &error) {
        result = {PrintResult::Failed, failureMessage(error)};
    }
    if (result.outcome != PrintResult::Printed && begun)
        printer.cancelJob();
    if (handlers.finished)
        handlers.finished(result);
    return result;
}
