#include "comparisonpdf.h"

#include "indicators/comparison.h"
#include "indicators/datafile.h"
#include "indicators/encoding.h"
#include "preview/previewdocument.h"
#include "report/reportdrawing.h"
#include "report/reportlayout.h"
#include "report/reportpdf.h"

#include <optional>

namespace {

const QString FontFace = QStringLiteral("Times New Roman");
constexpr int TableLeft = 100;
constexpr TableColumns Columns{{110, 220, 1080, 200, 260, 260, 260, 260},
                               {true, true, false, true, true, true, true, true}};
static_assert(Columns.width() == TableWidth, "the comparison is as wide as the report's table");
constexpr Inset CellInset{5, 5, 5, 5};
constexpr Inset IndicatorInset{15, 5, 5, 5};

RowCells cellsOf(const QStringList &texts)
{
    RowCells cells;
    for (size_t k = 0; k < cells.size(); ++k)
        cells[k] = texts.value(qsizetype(k));
    return cells;
}

class Composer
{
public:
    Composer(PreviewDocument &preview, const Comparison &comparison)
        : m_preview(preview)
        , m_comparison(comparison)
        , m_bodyLimit(ReportLayout::bodyLimit(preview))
    {
    }

    void run()
    {
        m_preview.setPrintJobTitle(QStringLiteral("АС Зоріс"));
        m_preview.BeginDoc();
        try {
            openPage();
            titleBlock();
            headingRow();
            rows();
            footer();
            m_preview.EndDoc();
        } catch (...) {
            m_preview.Clear();
            throw;
        }
    }

private:
    Canvas &canvas() { return *m_canvas; }

    void openPage()
    {
        m_canvas.emplace(*m_preview.Canvas(), PageResolution);
        canvas().setFontName(FontFace);
        m_y = m_preview.MarginTop();
    }

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

    void headingRow()
    {
        canvas().setFontSize(28);
        canvas().setFontStyle(true, false, false);
        m_y += DrawTableRow(canvas(), Columns, TableLeft, m_y, CellInset, true, QStringLiteral("center"),
                            cellsOf(comparisonHeadings(m_comparison)), 0);
    }

    void footer()
    {
        DrawPageFooter(canvas(), m_preview.MarginLeft(), m_bodyLimit,
                       m_preview.PaperWidth() - m_preview.MarginRight() - m_preview.MarginLeft(),
                       m_preview.TotalPages());
    }

    // A row that would reach the page band opens a new page with the headings, unless it stands
    // first on its page already: no page could hold it then.
    void makeRoomFor(int height)
    {
        if (m_y + height >= m_bodyLimit && !m_freshPage) {
            footer();
            m_preview.NewPage();
            openPage();
            headingRow();
            m_freshPage = true;
            return;
        }
        m_freshPage = false;
    }

    void rows()
    {
        for (const ComparisonRow &row : m_comparison.rows) {
            if (row.kind == ComparisonRow::Section) {
                const QString title = row.number + QStringLiteral(". ") + row.name;
                canvas().setFontStyle(true, false, false);
                makeRoomFor(MeasureSpanRow(canvas(), CellInset, title, 0, Columns.width()));
                canvas().setFontStyle(true, false, false);
                m_y += DrawSpanRow(canvas(), TableLeft, m_y, CellInset, true, QStringLiteral("center"), title, 0,
                                   Columns.width());
                continue;
            }
            RowCells cells;
            for (int column = 0; column < ComparisonColumnCount; ++column)
                cells[size_t(column)] = comparisonCell(row, column);
            canvas().setFontStyle(false, false, false);
            makeRoomFor(MeasureTableRow(canvas(), Columns, IndicatorInset, cells, 0));
            canvas().setFontStyle(false, false, false);
            m_y += DrawTableRow(canvas(), Columns, TableLeft, m_y, IndicatorInset, true, QStringLiteral("left"), cells, 0);
        }
    }

    PreviewDocument &m_preview;
    const Comparison &m_comparison;
    const int m_bodyLimit;
    std::optional<Canvas> m_canvas;
    int m_y = 0;
    bool m_freshPage = false;
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
