#include "comparisonpdf.h"

#include "comparison/comparison.h"
#include "indicators/datafile.h"
#include "indicators/encoding.h"
#include "platform/wordwrap.h"
#include "preview/previewdocument.h"
#include "report/reportdrawing.h"
#include "report/reportlayout.h"
#include "report/reportpdf.h"
#include "report/tablepages.h"

namespace {

constexpr int TableLeft = 100;
constexpr TableColumns Columns{{110, 220, 1080, 200, 260, 260, 260, 260},
                               {true, true, false, true, true, true, true, true}};
static_assert(Columns.width() == TableWidth, "the comparison is as wide as the report's table");
constexpr int NarrowestWording = 640;
constexpr Inset CellInset{5, 5, 5, 5};
constexpr Inset IndicatorInset{15, 5, 5, 5};

// A value may carry fifteen digits: the columns of values widen so that their longest text
// stays on one line, taking the room from the wordings, which wrap.
TableColumns fittedColumns(const Canvas &canvas, const Comparison &comparison)
{
    int widest = 0;
    for (const ComparisonRow &row : comparison.rows) {
        if (row.kind == ComparisonRow::Section)
            continue;
        for (int column = LastColumn; column < PercentColumn; ++column)
            widest = qMax(widest, unbrokenLimit(canvas.metrics(), comparisonCell(row, column)));
    }
    TableColumns columns = Columns;
    const int wanted = qMax(widest + IndicatorInset.left + IndicatorInset.right, Columns.widths[LastColumn]);
    const int room = Columns.widths[NameColumn] - NarrowestWording;
    const int width = qMin(wanted, Columns.widths[LastColumn] + room / (PercentColumn - LastColumn));
    for (int column = LastColumn; column < PercentColumn; ++column)
        columns.widths[size_t(column)] = width;
    columns.widths[NameColumn] -= (width - Columns.widths[LastColumn]) * (PercentColumn - LastColumn);
    return columns;
}

class Composer : TablePages
{
public:
    Composer(PreviewDocument &preview, const Comparison &comparison)
        : TablePages(preview)
        , m_comparison(comparison)
    {
    }

    void run()
    {
        ReportLayout::record(m_preview, [this] {
            openPage();
            titleBlock();
            canvas().setFontSize(28);
            canvas().setFontStyle(false, false, false);
            m_columns = fittedColumns(canvas(), m_comparison);
            headingRow();
            rows();
            footer();
        });
    }

private:
    void centredText(const QString &text)
    {
        const int axis = TableLeft + TableWidth / 2;
        canvas().textOut(axis - canvas().textWidth(text) / 2, m_y, text);
        m_y += canvas().textHeight();
    }

    void titleBlock()
    {
        canvas().setFontSize(35);
        canvas().setFontStyle(true, false, false);
        centredText(QStringLiteral("ПОРІВНЯННЯ ПОКАЗНИКІВ"));
        centredText(QStringLiteral("стану розвитку та результатів діяльності за ") + shownYear(m_comparison.lastYear)
                    + QStringLiteral(" і ") + shownYear(m_comparison.thisYear) + QStringLiteral(" роки"));
        m_y += 10;
        canvas().setFontStyle(false, false, true);
        centredText(fromCp1251(m_comparison.schoolName));
        m_y += 50;
    }

    void headingRow() override
    {
        canvas().setFontSize(28);
        canvas().setFontStyle(true, false, false);
        m_y += DrawTableRow(canvas(), m_columns, TableLeft, m_y, CellInset, true, QStringLiteral("center"),
                            rowCellsOf(comparisonHeadings(m_comparison)), 0);
    }

    void rows()
    {
        for (const ComparisonRow &row : m_comparison.rows) {
            if (row.kind == ComparisonRow::Section) {
                const QString title = row.number + QStringLiteral(". ") + row.name;
                canvas().setFontStyle(true, false, false);
                makeRoomFor(MeasureSpanRow(canvas(), CellInset, title, 0, m_columns.width()));
                canvas().setFontStyle(true, false, false);
                m_y += DrawSpanRow(canvas(), TableLeft, m_y, CellInset, true, QStringLiteral("center"), title, 0,
                                   m_columns.width());
                continue;
            }
            RowCells cells;
            for (int column = 0; column < ComparisonColumnCount; ++column)
                cells[size_t(column)] = comparisonCell(row, column);
            canvas().setFontStyle(false, false, false);
            makeRoomFor(MeasureTableRow(canvas(), m_columns, IndicatorInset, cells, 0));
            canvas().setFontStyle(false, false, false);
            m_y += DrawTableRow(canvas(), m_columns, TableLeft, m_y, IndicatorInset, true, QStringLiteral("left"), cells,
                                0);
        }
    }

    const Comparison &m_comparison;
    TableColumns m_columns = Columns;
};

} // namespace

void composeComparison(PreviewDocument &document, const Comparison &comparison)
{
    Composer(document, comparison).run();
}

void writeComparisonPdf(const Comparison &comparison, const QString &path)
{
    PreviewDocument document;
    setUpReportPreview(document);
    composeComparison(document, comparison);
    printPagesToPdf(document, path);
}
