#pragma once

#include <QString>

class IndicatorModel;
class PreviewDocument;

// The report's paper on a preview document: landscape A4 (2970 x 2100 tenths of a millimetre),
// margins 100, pages starting in Arial 27 units high.
void setUpReportPreview(PreviewDocument &document);

// Prints the document's pages into a PDF file, the same sheets a printer gets. Throws ZorisError
// when the file could not be written.
void printPagesToPdf(PreviewDocument &document, const QString &path);

// Appends ".pdf" unless the name already ends in it (any case).
QString withPdfExtension(const QString &name);

// Composes the report of model and writes it as a PDF file, without a window.
void writeReportPdf(const IndicatorModel &model, const QString &path);
