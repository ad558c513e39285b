#include "preview/printpreview.h"

#include "platform/errors.h"
#include "platform/muldiv.h"
#include "platform/printing/papercodes.h"
#include "platform/printing/systemprinter.h"
#include "preview/paperpreview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>

#include <new>
#include <utility>

namespace {

// The sheet's distance from the viewport's edges wherever it does not fit.
constexpr int SheetGap = 6;

const char *const NoPageMemory = "Not enough memory to create a new page";

// Leaves the page loop of a print job; never reaches the caller.
class EAbortPrint : public ZorisError
{
public:
    EAbortPrint() : ZorisError(QString()) {}
};

int nonNegative(int value)
{
    return qMax(0, value);
}

// A font point size on a page canvas becomes a pixel size in paper units, as a screen of 96
// logical pixels per inch would give it; a point size on a scaled painter is scaled twice.
QFont pageFont(const QFont &font)
{
    QFont result(font);
    if (font.pointSize() > 0)
        result.setPixelSize(qMax(1, MulDiv(font.pointSize(), TPrintPreview::DefaultResolution, 72)));
    return result;
}

void convertFontSize(QFont &font, int dpi, TUnits from, TUnits to)
{
    if (font.pointSize() > 0)
        font.setPointSize(qMax(1, ConvertUnits(font.pointSize(), dpi, from, to)));
    else if (font.pixelSize() > 0)
        font.setPixelSize(qMax(1, ConvertUnits(font.pixelSize(), dpi, from, to)));
}

} // namespace

TPrintPreview::TPrintPreview(QWidget *parent)
    : QWidget(parent),
      m_vertBar(new QScrollBar(Qt::Vertical, this)),
      m_horzBar(new QScrollBar(Qt::Horizontal, this)),
      m_pagePanel(new QWidget(this)),
      m_paperView(new TPaperPreview(m_pagePanel)),
      m_systemPrinter(std::make_unique<SystemPrinter>()),
      m_printer(m_systemPrinter.get())
{
    m_vertBar->setObjectName(QStringLiteral("VertBar"));
    m_horzBar->setObjectName(QStringLiteral("HorzBar"));
    m_pagePanel->setObjectName(QStringLiteral("PagePanel"));
    m_paperView->setObjectName(QStringLiteral("PaperView"));

    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setFont(QFont(QStringLiteral("Arial"), 20));

    for (QScrollBar *bar : {m_vertBar, m_horzBar}) {
        bar->setFocusPolicy(Qt::NoFocus);
        bar->setRange(0, 0);
        bar->setSingleStep(8);
    }
    connect(m_horzBar, &QScrollBar::valueChanged, this, &TPrintPreview::HorzBarChange);
    connect(m_vertBar, &QScrollBar::valueChanged, this, &TPrintPreview::VertBarChange);

    m_pagePanel->setFocusPolicy(Qt::NoFocus);
    m_pagePanel->setAutoFillBackground(true);
    m_paperView->setFocusPolicy(Qt::NoFocus);
    m_paperView->hide();
    connect(m_paperView, &TPaperPreview::paintPage, this,
            [this](QPainter *canvas, const QRect &pageRect) { PaintPage(canvas, pageRect); });

    const auto watchScreen = [this](QScreen *screen) {
        connect(screen, &QScreen::logicalDotsPerInchChanged, this, &TPrintPreview::SettingsChanged);
    };
    for (QScreen *screen : QGuiApplication::screens())
        watchScreen(screen);
    connect(qApp, &QGuiApplication::screenAdded, this, watchScreen);

    UpdateResolution();
}

TPrintPreview::~TPrintPreview() = default;

// ---- Document properties ----

void TPrintPreview::setResulotion(int resolution)
{
    if (resolution == m_resulotion)
        return;
    m_resulotion = resolution;
    if (!m_usePrinterRes)
        UpdateResolution();
}

void TPrintPreview::setUsePrinterRes(bool use)
{
    if (use == m_usePrinterRes)
        return;
    m_usePrinterRes = use;
    UpdateResolution();
}

void TPrintPreview::setMargin(int &margin, int value)
{
    margin = qMax(value, m_minMargin);
}

void TPrintPreview::setMarginLeft(int margin)
{
    setMargin(m_marginLeft, margin);
}

void TPrintPreview::setMarginRight(int margin)
{
    setMargin(m_marginRight, margin);
}

void TPrintPreview::setMarginTop(int margin)
{
    setMargin(m_marginTop, margin);
}

void TPrintPreview::setMarginBottom(int margin)
{
    setMargin(m_marginBottom, margin);
}

void TPrintPreview::setPaperWidth(int width)
{
    if (width == m_paperWidth)
        return;
    m_paperWidth = width;
    UpdateResolution();
    UpdateLayout();
}

void TPrintPreview::setPaperHeight(int height)
{
    if (height == m_paperHeight)
        return;
    m_paperHeight = height;
    UpdateResolution();
    UpdateLayout();
}

void TPrintPreview::setOrientation(TPrinterOrientation orientation)
{
    if (orientation == m_orientation || m_state == dsRecording)
        return;
    m_orientation = orientation;
    std::swap(m_paperWidth, m_paperHeight);
    UpdateResolution();
    UpdateLayout();
}

void TPrintPreview::setUnits(TUnits units)
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
    QFont controlFont = font();
    convertFontSize(controlFont, m_pixelsPerInchY, m_units, units);
    setFont(controlFont);
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

void TPrintPreview::UpdateResolution()
{
    if (m_usePrinterRes && m_printer->hasPrinter() && !m_printer->isPrinting()) {
        PrinterSettings settings = m_printer->settings();
        settings.orientation = m_orientation == poLandscape ? PaperOrientation::Landscape
                                                            : PaperOrientation::Portrait;
        m_printer->setSettings(settings);
        m_pixelsPerInchX = m_printer->logicalDpi().width();
        m_pixelsPerInchY = m_printer->logicalDpi().height();
    } else {
        m_pixelsPerInchX = m_pixelsPerInchY = m_resulotion;
    }
    // Every conversion divides by the resolution.
    if (m_pixelsPerInchX <= 0)
        m_pixelsPerInchX = DefaultResolution;
    if (m_pixelsPerInchY <= 0)
        m_pixelsPerInchY = DefaultResolution;
    m_paperPixelWidth = ConvertUnits(m_paperWidth, m_pixelsPerInchX, m_units, mmPixel);
    m_paperPixelHeight = ConvertUnits(m_paperHeight, m_pixelsPerInchY, m_units, mmPixel);
}

void TPrintPreview::SettingsChanged()
{
    UpdateResolution();
    UpdateLayout();
}

QPainter *TPrintPreview::Canvas()
{
    if (m_state == dsRecording && m_pageCanvas)
        return m_pageCanvas.get();
    return m_printer->painter();
}

void TPrintPreview::setPrinter(PrinterService *printer)
{
    if (m_state == dsPrinting)
        return;
    m_printer = printer ? printer : m_systemPrinter.get();
    UpdateResolution();
}

// ---- Recording ----

void TPrintPreview::OpenPage()
{
    m_pageFrame = QRect(0, 0, m_paperWidth, m_paperHeight);
    std::unique_ptr<PageRecorder> recording;
    std::unique_ptr<QPainter> canvas;
    try {
        recording = std::make_unique<PageRecorder>(m_pageFrame);
        canvas = std::make_unique<QPainter>();
    } catch (const std::bad_alloc &) {
        throw OutOfMemoryError(QString::fromLatin1(NoPageMemory));
    }
    if (!canvas->begin(recording.get()))
        throw OutOfMemoryError(QString::fromLatin1(NoPageMemory));
    canvas->setFont(pageFont(font()));
    canvas->setPen(QPen(Qt::black, 1));
    canvas->setBrush(Qt::white);
    canvas->setBackground(Qt::white);
    canvas->setBackgroundMode(Qt::OpaqueMode);
    m_recording = std::move(recording);
    m_pageCanvas = std::move(canvas);
}

RecordedPage TPrintPreview::ClosePage()
{
    const bool ended = m_pageCanvas->end();
    m_pageCanvas.reset();
    RecordedPage page = m_recording->take();
    m_recording.reset();
    if (!ended)
        throw OutOfMemoryError(QString::fromLatin1(NoPageMemory));
    return page;
}

void TPrintPreview::storeOpenPage()
{
    m_pages.append(ClosePage());
    if (m_currentPage == 0) {
        m_currentPage = 1;
        m_paperView->show();
        m_paperView->update();
    }
    emit changed();
}

void TPrintPreview::BeginDoc()
{
    if (m_state != dsIdle)
        return;
    Clear();
    UpdateResolution();
    m_state = dsRecording;
    emit docBegun();
    NewPage();
}

void TPrintPreview::NewPage()
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

void TPrintPreview::EndDoc()
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
void TPrintPreview::abandonRecording()
{
    m_pageCanvas.reset();
    m_recording.reset();
    m_state = dsIdle;
}

void TPrintPreview::Clear()
{
    // The pages of a running job must stay.
    if (m_state == dsPrinting)
        return;
    m_pageCanvas.reset();
    m_recording.reset();
    m_pages.clear();
    m_state = dsIdle;
    m_currentPage = 0;
    m_paperView->hide();
    emit changed();
}

// ---- Display ----

void TPrintPreview::setZoomState(TZoomState state)
{
    if (state == m_zoomState)
        return;
    m_zoomState = state;
    UpdateLayout();
}

void TPrintPreview::setZoom(int zoom)
{
    // A zoom of 0 or less would leave no page area, or a negative one.
    zoom = qMax(1, zoom);
    if (zoom == m_zoom && m_zoomState == zsZoomOther)
        return;
    m_zoom = zoom;
    m_zoomState = zsZoomOther;
    UpdateLayout();
}

void TPrintPreview::setCurrentPage(int page)
{
    if (TotalPages() == 0)
        return;
    page = qBound(1, page, TotalPages());
    if (page == m_currentPage)
        return;
    m_currentPage = page;
    m_paperView->update();
    emit changed();
}

void TPrintPreview::arrangeChildren()
{
    const QRect inner = rect().adjusted(1, 1, -1, -1);
    const int barHeight = m_horzBar->isHidden() ? 0 : m_horzBar->sizeHint().height();
    const int barWidth = m_vertBar->isHidden() ? 0 : m_vertBar->sizeHint().width();
    m_horzBar->setGeometry(inner.left(), inner.bottom() + 1 - barHeight, inner.width(), barHeight);
    m_vertBar->setGeometry(inner.right() + 1 - barWidth, inner.top(), barWidth,
                           inner.height() - barHeight);
    m_pagePanel->setGeometry(inner.left(), inner.top(), nonNegative(inner.width() - barWidth),
                             nonNegative(inner.height() - barHeight));
}

void TPrintPreview::setBarsShown(bool horizontal, bool vertical)
{
    m_horzBar->setHidden(!horizontal);
    m_vertBar->setHidden(!vertical);
    arrangeChildren();
}

void TPrintPreview::setPageArea(int width, int height)
{
    const int frame = 2 * m_paperView->BorderSize() + m_paperView->ShadowSize();
    m_paperView->resize(nonNegative(width) + frame, nonNegative(height) + frame);
}

void TPrintPreview::UpdateLayout()
{
    m_horzBar->setRange(0, 0);
    m_vertBar->setRange(0, 0);

    const int frame = 2 * m_paperView->BorderSize() + m_paperView->ShadowSize();
    const int ppw = m_paperPixelWidth;
    const int pph = m_paperPixelHeight;
    switch (m_zoomState) {
    case zsZoomOther: {
        setBarsShown(true, true);
        const int screenDpi = logicalDpiY();
        setPageArea(MulDiv(ppw, screenDpi * m_zoom, m_pixelsPerInchX * 100),
                    MulDiv(pph, screenDpi * m_zoom, m_pixelsPerInchY * 100));
        break;
    }
    case zsZoomToWidth: {
        setBarsShown(false, true);
        const int width = nonNegative(m_pagePanel->width() - 2 * SheetGap - frame);
        setPageArea(width, MulDiv(width, pph, ppw));
        break;
    }
    case zsZoomToHeight: {
        setBarsShown(true, false);
        const int height = nonNegative(m_pagePanel->height() - 2 * SheetGap - frame);
        setPageArea(MulDiv(height, ppw, pph), height);
        break;
    }
    case zsZoomToFit: {
        setBarsShown(false, false);
        const QSize viewport = m_pagePanel->size();
        // The viewport is taller than the paper, compared without dividing by either width.
        const bool taller = qint64(viewport.height()) * ppw > qint64(pph) * viewport.width();
        int height;
        if (taller)
            height = nonNegative(MulDiv(nonNegative(viewport.width() - 2 * SheetGap - frame), pph, ppw));
        else
            height = nonNegative(viewport.height() - 2 * SheetGap - frame);
        setPageArea(MulDiv(height, ppw, pph), height);
        break;
    }
    }

    const QSize viewport = m_pagePanel->size();
    const QSize sheet = m_paperView->size();
    int left = SheetGap;
    if (sheet.width() < viewport.width() - 2 * SheetGap)
        left = (viewport.width() - sheet.width()) / 2;
    else
        m_horzBar->setMaximum(sheet.width() - viewport.width() + 2 * SheetGap);
    int top = SheetGap;
    if (sheet.height() < viewport.height() - 2 * SheetGap)
        top = (viewport.height() - sheet.height()) / 2;
    else
        m_vertBar->setMaximum(sheet.height() - viewport.height() + 2 * SheetGap);
    m_paperView->move(left, top);
    m_paperView->update();

    // The sheet is not centred again when a bar goes here.
    m_vertBar->setHidden(m_vertBar->maximum() == 0);
    m_horzBar->setHidden(m_horzBar->maximum() == 0);
    arrangeChildren();
}

void TPrintPreview::HorzBarChange(int position)
{
    m_paperView->move(SheetGap - position, m_paperView->y());
}

void TPrintPreview::VertBarChange(int position)
{
    m_paperView->move(m_paperView->x(), SheetGap - position);
}

void TPrintPreview::PaintPage(QPainter *canvas, const QRect &pageRect)
{
    if (m_currentPage >= 1 && m_currentPage <= TotalPages())
        m_pages.at(m_currentPage - 1).play(*canvas, pageRect);
}

void TPrintPreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    // A raised bevel one pixel wide.
    const QRect r = rect();
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
}

void TPrintPreview::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    arrangeChildren();
    UpdateLayout();
    m_horzBar->setPageStep(m_pagePanel->width());
    m_vertBar->setPageStep(m_pagePanel->height());
}

void TPrintPreview::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::NoModifier && modifiers != Qt::ControlModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    const bool ctrl = modifiers == Qt::ControlModifier;
    QScrollBar *const scrolled = ctrl ? m_vertBar : m_horzBar;
    const auto step = [ctrl](const QScrollBar *bar) {
        return ctrl ? bar->pageStep() : bar->singleStep();
    };
    switch (event->key()) {
    case Qt::Key_Home:
        scrolled->setValue(scrolled->minimum());
        break;
    case Qt::Key_End:
        scrolled->setValue(scrolled->maximum());
        break;
    case Qt::Key_Left:
        m_horzBar->setValue(m_horzBar->value() + step(m_horzBar));
        break;
    case Qt::Key_Right:
        m_horzBar->setValue(m_horzBar->value() - step(m_horzBar));
        break;
    case Qt::Key_Up:
        m_vertBar->setValue(m_vertBar->value() - step(m_vertBar));
        break;
    case Qt::Key_Down:
        m_vertBar->setValue(m_vertBar->value() + step(m_vertBar));
        break;
    case Qt::Key_PageUp:
        setCurrentPage(ctrl ? 1 : m_currentPage - 1);
        break;
    case Qt::Key_PageDown:
        setCurrentPage(ctrl ? TotalPages() : m_currentPage + 1);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TPrintPreview::wheelEvent(QWheelEvent *event)
{
    const QPoint delta = event->angleDelta();
    QScrollBar *const bar = qAbs(delta.x()) > qAbs(delta.y()) ? m_horzBar : m_vertBar;
    QCoreApplication::sendEvent(bar, event);
}

// ---- Printing ----

void TPrintPreview::Print()
{
    PrintPages(1, TotalPages());
}

void TPrintPreview::ApplyPaperToPrinter()
{
    const QStringList printers = m_printer->printers();
    if (printers.isEmpty())
        return;
    if (m_printer->printerIndex() < -1 || m_printer->printerIndex() >= printers.size())
        m_printer->setPrinterIndex(-1);
    // Straight to tenths of a millimetre: through whole pixels A4 would come out 2101 x 2971.
    int width = ToLoMetric(m_paperWidth, m_pixelsPerInchX, m_units);
    int height = ToLoMetric(m_paperHeight, m_pixelsPerInchY, m_units);
    if (m_orientation == poLandscape)
        std::swap(width, height);
    PrinterSettings settings = m_printer->settings();
    settings.paperSize = PaperSizeCode(width, height);
    if (settings.paperSize == PrinterSettings::UserPaperSize) {
        settings.paperWidth = width;
        settings.paperLength = height;
    }
    settings.orientation = m_orientation == poLandscape ? PaperOrientation::Landscape
                                                        : PaperOrientation::Portrait;
    m_printer->setSettings(settings);
}

QRect TPrintPreview::PrinterPageRect() const
{
    // The whole physical sheet, the unprintable margins on the right and bottom taken as
    // equal to those on the left and top.
    const QRect area = m_printer->printableArea();
    const int x = area.left();
    const int y = area.top();
    return QRect(QPoint(-x, -y), QPoint(area.width() + x - 1, area.height() + y - 1));
}

void TPrintPreview::reportProgress(int page, int pagesDone, int pagesInJob, bool &abortIt)
{
    emit printProgress(page, MulDiv(100, pagesDone, pagesInJob), abortIt);
    if (abortIt || m_printer->isCancelled())
        throw EAbortPrint();
}

void TPrintPreview::PrintPages(int fromPage, int toPage)
{
    if (TotalPages() == 0 || m_state != dsIdle)
        return;
    fromPage = qBound(1, fromPage, TotalPages());
    toPage = qBound(1, toPage, TotalPages());
    if (fromPage > toPage)
        return;
    if (!m_printer->hasPrinter()) {
        m_lastPrintError = QStringLiteral("Не встановлено жодного принтера");
        return;
    }
    m_lastPrintError.clear();

    const int pagesInJob = toPage - fromPage + 1;
    int pagesDone = 0;
    bool begun = false;
    bool aborted = false;
    m_state = dsPrinting;

    // Whatever the finishing handlers do, the title goes and the control is idle again.
    struct Finish
    {
        TPrintPreview *preview;
        ~Finish()
        {
            preview->m_printer->setTitle(QString());
            preview->m_state = dsIdle;
        }
    } finish{this};

    try {
        emit beforePrint();
        ApplyPaperToPrinter();
        const QRect sheet = PrinterPageRect();
        m_printer->setTitle(m_printJobTitle);
        bool abortIt = false;
        m_printer->beginJob();
        begun = true;
        for (int page = fromPage; page <= toPage; ++page) {
            reportProgress(page, pagesDone, pagesInJob, abortIt);
            m_pages.at(page - 1).printOnWhitePaper(*m_printer->painter(), sheet);
            ++pagesDone;
            // The windows stay responsive during the job.
            QCoreApplication::processEvents();
            reportProgress(page, pagesDone, pagesInJob, abortIt);
            if (page != toPage)
                m_printer->newPage();
        }
        // Ended before success is announced, so that a job the printer refuses is not reported
        // as printed.
        m_printer->endJob();
    } catch (const EAbortPrint &) {
        aborted = true;
    } catch (const std::exception &error) {
        aborted = true;
        m_lastPrintError = failureMessage(error);
    }

    if (aborted) {
        if (begun)
            m_printer->cancelJob();
        emit printAborted();
    } else {
        emit afterPrint();
    }
}
