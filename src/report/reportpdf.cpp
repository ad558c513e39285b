#include "reportpdf.h"

#include "reportlayout.h"

#include "platform/errors.h"
#include "platform/printing/pdffileprinter.h"
#include "preview/printpreview.h"

#include <QFileInfo>

void setUpReportPreview(TPrintPreview &preview)
{
    preview.setUnits(mmLoMetric);
    // Turning the page turns the paper: the landscape size is set after the orientation.
    preview.setOrientation(poLandscape);
    preview.setPaperWidth(2970);
    preview.setPaperHeight(2100);
    preview.setMarginLeft(100);
    preview.setMarginRight(100);
    preview.setMarginTop(100);
    preview.setMarginBottom(100);
    QFont pageFont(QStringLiteral("Arial"));
    pageFont.setPixelSize(27);
    preview.setFont(pageFont);
}

PrintOutcome printAllPages(TPrintPreview &preview)
{
    PrintOutcome outcome = PrintOutcome::Failed;
    const auto done = QObject::connect(&preview, &TPrintPreview::afterPrint,
                                       [&outcome] { outcome = PrintOutcome::Printed; });
    const auto aborted = QObject::connect(&preview, &TPrintPreview::printAborted, [&outcome, &preview] {
        outcome = preview.LastPrintError().isEmpty() ? PrintOutcome::Cancelled : PrintOutcome::Failed;
    });
    preview.Print();
    QObject::disconnect(done);
    QObject::disconnect(aborted);
    return outcome;
}

void printPagesToPdf(TPrintPreview &preview, const QString &path)
{
    PdfFilePrinter pdf(path);
    PrinterService *const previous = preview.Printer();
    preview.setPrinter(&pdf);
    const bool completed = printAllPages(preview) == PrintOutcome::Printed;
    preview.setPrinter(previous);
    if (!completed) {
        QString message = QStringLiteral("Не вдалося записати файл PDF \"%1\"").arg(QFileInfo(path).fileName());
        if (!preview.LastPrintError().isEmpty())
            message += QStringLiteral(": ") + preview.LastPrintError();
        throw ZorisError(message);
    }
}

void writeReportPdf(const IndicatorModel &model, const QString &path)
{
    TPrintPreview preview;
    setUpReportPreview(preview);
    ReportLayout::compose(preview, model);
    printPagesToPdf(preview, path);
}
