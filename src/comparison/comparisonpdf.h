#pragma once

#include <QString>

struct Comparison;
class PreviewDocument;

// The comparison table on the report's paper (landscape A4), in the report's fonts and table
// lines: a title with the school's name and both years, the column headings opening every page,
// section and indicator rows, the page band on every page.
void composeComparison(PreviewDocument &document, const Comparison &comparison);
// Composes and writes it as a PDF file. Throws ZorisError when the file could not be written.
void writeComparisonPdf(const Comparison &comparison, const QString &path);
