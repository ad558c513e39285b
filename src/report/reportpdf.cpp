#include "reportpdf.h"

#include "reportlayout.h"

#include "core/errors.h"
#include "platform/printing/pdffileprinter.h"
#include "preview/previewdocument.h"

#include <QFileInfo>

void setUpReportPreview(PreviewDocument &document)
{
    document.setUnits(mmLoMetric);
    // Turning the page turns the paper: the landscape size is set after the orientation.
    document.setOrientation(poLandscape);
    document.setPaperWidth(2970);
    document.setPaperHeight(2100);
    document.setMarginLeft(100);
    document.setMarginRight(100);
    document.setMarginTop(100);
    document.setMarginBottom(100);
    QFont pageFont(QStringLiteral("Arial"));
    pageFont.setPixelSize(27);
    document.setFont(pageFont);
}

void printPagesToPdf(PreviewDocument &document, const QString &path)
{
    PdfFilePrinter pdf(path);
    const PrintResult result = document.print(pdf, 1, document.TotalPages());
    if (result.outcome != PrintResult::Printed) {
        QString message = QStringLiteral("Не вдалося записати файл PDF \"%1\"").arg(QFileInfo(path).fileName());
        if (!result.message.isEmpty())
            message += QStringLiteral(": ") + result.message;
        throw ZorisError(message);
    }
}

QString withPdfExtension(const QString &name)
{
    return name.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive) ? name : name + QLatin1String(".pdf");
}

void writeReportPdf(const IndicatorModel &model, const QString &path)
{
    PreviewDocument document;
    setUpReportPreview(document);
    ReportLayout::compose(document, model);
    printPagesToPdf(document, path);
}
