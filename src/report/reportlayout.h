#pragma once

#include <QList>

#include <functional>

class Canvas;
class IndicatorModel;
class PreviewDocument;

// Composes the report from the catalogue, the values and the school's name into the preview
// document's pages: title block and two-level header on page 1, the column-number row opening
// every page, section and indicator rows, the closing block, and the page band on every page.
class ReportLayout
{
public:
    // Where each row went, for whoever wants to check the pages.
    struct PlacedRow
    {
        enum Kind { ColumnNumbers, Section, Indicator, Closing };
        Kind kind;
        int page;
        int top;
        int height;
    };

    static QList<PlacedRow> compose(PreviewDocument &preview, const IndicatorModel &model);
    // Where the page band begins: a row reaching it goes to the next page.
    static int bodyLimit(const PreviewDocument &preview);
    // A row of height at top goes to the next page when it would reach the page band. It is
    // tested once: a row taller than a page's body runs past the band of the page it begins.
    static bool goesToNextPage(const PreviewDocument &preview, int top, int height);
    // The page band at the foot of the page being recorded.
    static void drawPageBand(Canvas &canvas, const PreviewDocument &preview);
    // Records the pages that compose draws as one document of the program; when compose throws,
    // the pages finished so far stay and the next composition can begin.
    static void record(PreviewDocument &preview, const std::function<void()> &compose);
};
