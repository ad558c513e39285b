#pragma once

#include <QList>

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
};
