#include "preview/printpreview.h"

#include "core/muldiv.h"
#include "preview/paperpreview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>

#include <utility>

namespace {

// The sheet's distance from the viewport's edges wherever it does not fit.
constexpr int SheetGap = 6;

int nonNegative(int value)
{
    return qMax(0, value);
}

} // namespace

TPrintPreview::TPrintPreview(QWidget *parent)
    : QWidget(parent),
      m_vertBar(new QScrollBar(Qt::Vertical, this)),
      m_horzBar(new QScrollBar(Qt::Horizontal, this)),
      m_pagePanel(new QWidget(this)),
      m_paperView(new TPaperPreview(m_pagePanel))
{
    m_vertBar->setObjectName(QStringLiteral("VertBar"));
    m_horzBar->setObjectName(QStringLiteral("HorzBar"));
    m_pagePanel->setObjectName(QStringLiteral("PagePanel"));
    m_paperView->setObjectName(QStringLiteral("PaperView"));

    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

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

    connect(&m_document, &PreviewDocument::docBegun, this, &TPrintPreview::docBegun);
    connect(&m_document, &PreviewDocument::pageStarted, this, &TPrintPreview::pageStarted);
    connect(&m_document, &PreviewDocument::pagesChanged, this, &TPrintPreview::showPages);
    connect(&m_document, &PreviewDocument::docEnded, this, &TPrintPreview::docEnded);
    connect(&m_document, &PreviewDocument::paperChanged, this, &TPrintPreview::UpdateLayout);

    const auto watchScreen = [this](QScreen *screen) {
        connect(screen, &QScreen::logicalDotsPerInchChanged, this, &TPrintPreview::SettingsChanged);
    };
    for (QScreen *screen : QGuiApplication::screens())
        watchScreen(screen);
    connect(qApp, &QGuiApplication::screenAdded, this, watchScreen);
}

TPrintPreview::~TPrintPreview() = default;

void TPrintPreview::SettingsChanged()
{
    UpdateResolution();
    UpdateLayout();
}

// The first page finished is shown; discarded pages take the sheet away.
void TPrintPreview::showPages()
{
    if (TotalPages() == 0) {
        m_currentPage = 0;
        m_paperView->hide();
    } else if (m_currentPage == 0) {
        m_currentPage = 1;
        m_paperView->show();
        m_paperView->update();
    }
    emit changed();
}

// ---- Display ----

void TPrintPreview::setZoomState(TZoomState state)
{
    if (std::exchange(m_zoomState, state) != state)
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

void TPrintPreview::UpdateLayout()
{
    m_horzBar->setRange(0, 0);
    m_vertBar->setRange(0, 0);

    const int frame = m_paperView->FrameSize();
    const int ppw = PaperPixelWidth();
    const int pph = PaperPixelHeight();
    const auto setPageArea = [this](int width, int height) {
        m_paperView->setPaperSize(QSize(nonNegative(width), nonNegative(height)));
    };
    switch (m_zoomState) {
    case zsZoomOther: {
        setBarsShown(true, true);
        const int screenDpi = logicalDpiY();
        setPageArea(MulDiv(ppw, screenDpi * m_zoom, PixelsPerInchX() * 100),
                    MulDiv(pph, screenDpi * m_zoom, PixelsPerInchY() * 100));
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
        m_document.Pages().at(m_currentPage - 1).play(*canvas, pageRect);
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

PrintResult TPrintPreview::Print()
{
    return PrintPages(1, TotalPages());
}

PrintResult TPrintPreview::PrintPages(int fromPage, int toPage)
{
    PrintHandlers handlers;
    handlers.beforePrint = [this] {
        m_lastPrintError.clear();
        emit beforePrint();
    };
    handlers.progress = [this](int page, int progress, bool &abortIt) { emit printProgress(page, progress, abortIt); };
    handlers.finished = [this](const PrintResult &result) {
        m_lastPrintError = result.message;
        if (result.outcome == PrintResult::Printed)
            emit afterPrint();
        else
            emit printAborted();
    };
    const PrintResult result = m_document.print(fromPage, toPage, handlers);
    if (result.outcome == PrintResult::NoPrinter)
        m_lastPrintError = result.message;
    return result;
}
