#include "testing/recordingprinter.h"

// A4 portrait at 600 dpi with a printable area 4 mm in from the left and 5 mm from the top.
RecordingPrinter::RecordingPrinter() : m_printableArea(94, 118, 4772, 6780) {}

RecordingPrinter::~RecordingPrinter() = default;

void RecordingPrinter::record(const QString &call)
{
    m_calls << call;
    if (call == m_failingCall)
        throw PrintError(QStringLiteral("Принтер відмовився: %1").arg(call));
}

void RecordingPrinter::beginJob()
{
    record(QStringLiteral("beginJob"));
    m_jobTitle = title();
    m_jobSettings = settings();
    m_jobPrinterIndex = printerIndex();
    m_pages.clear();
    m_cancelled = false;
    openPage();
}

void RecordingPrinter::newPage()
{
    record(QStringLiteral("newPage"));
    closePage();
    openPage();
}

void RecordingPrinter::endJob()
{
    record(QStringLiteral("endJob"));
    closePage();
}

void RecordingPrinter::cancelJob()
{
    record(QStringLiteral("cancelJob"));
    if (!isPrinting())
        return;
    m_painter.reset();
    m_cancelled = true;
}

void RecordingPrinter::openPage()
{
    m_page = QPicture();
    m_painter = std::make_unique<QPainter>(&m_page);
}

void RecordingPrinter::closePage()
{
    m_painter.reset();
    m_pages << m_page;
}
