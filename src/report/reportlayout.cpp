#include "reportlayout.h"

#include "reportdrawing.h"

#include "indicators/encoding.h"
#include "indicators/model.h"
#include "indicators/numbertext.h"
#include "platform/wordwrap.h"
#include "preview/previewdocument.h"

#include <array>
#include <optional>

namespace {

const QString FontFace = QStringLiteral("Times New Roman");
constexpr int TableLeft = 100;
constexpr auto Edge = columnEdges(TableLeft);
constexpr int HeaderHeight = 400;
constexpr Inset CellInset{5, 5, 5, 5};
constexpr Inset IndicatorInset{15, 5, 5, 5};

class Composer
{
public:
    Composer(PreviewDocument &preview, const IndicatorModel &model)
        : m_preview(preview)
        , m_model(model)
        , m_bodyLimit(ReportLayout::bodyLimit(preview))
    {
    }

    QList<ReportLayout::PlacedRow> run()
    {
        ReportLayout::record(m_preview, [this] {
            openCanvas();
            titleBlock();
            tableHeader();
            columnNumberRow();
            rows();
            closingBlock();
            if (!m_model.SummarySchools.isEmpty())
                schoolsPages();
            footer();
        });
        return m_placed;
    }

private:
    Canvas &canvas() { return *m_canvas; }

    void openCanvas()
    {
        m_canvas.emplace(*m_preview.Canvas(), PageResolution, m_preview.Words(), m_preview.Recorder());
        canvas().setFontName(FontFace);
        canvas().setFontSize(28);
    }

    void place(ReportLayout::PlacedRow::Kind kind, int height)
    {
        m_placed.append({kind, m_preview.TotalPages() + 1, m_y, height});
    }

    void centredText(int axis, int y, QStringView text)
    {
        canvas().textOut(axis - canvas().textWidth(text) / 2, y, text);
    }

    void titleBlock()
    {
        const int printable = m_preview.PrintableWidth();
        const int right = printable - m_preview.MarginRight();
        const int axis = printable / 2 + m_preview.MarginLeft() / 2;
        m_y = m_preview.MarginTop();
        canvas().setFontSize(24);
        canvas().setFontStyle(true, false, false);
        for (int i = 0; i < 10; ++i)
            canvas().rectangle(right - 50 * (i + 1) - 1, m_y, right - 50 * i, m_y + 51);
        m_y += 50;
        canvas().rectangle(right - 501, m_y, right, m_y + 50);
        centredText(right - 250, m_y + 4, QStringLiteral("КОД  ЗНЗ"));
        m_y += 50;
        canvas().setFontSize(35);
        centredText(axis, m_y, QStringLiteral("ПОКАЗНИКИ"));
        m_y += canvas().textHeight();
        centredText(axis, m_y, QStringLiteral("стану розвитку та результатів діяльності"));
        m_y += canvas().textHeight() + 10;
        const QString titleLine(99, QLatin1Char('_'));
        const int titleWidth = canvas().textWidth(titleLine);
        canvas().setFontStyle(false, false, true);
        const QString name = fromCp1251(m_model.SchoolName);
        // A name wider than the title line takes as many lines as it needs, each on its own.
        const QList<QStringView> lines = canvas().textWidth(name) <= titleWidth
            ? QList<QStringView>{name}
            : wrappedLines(canvas().metrics(), name, titleWidth);
        for (const QStringView line : lines) {
            canvas().setFontStyle(true, false, false);
            centredText(axis, m_y, titleLine);
            // Drawn lower over the underscores, the name blanks them out behind its white box and
            // its own underline carries the line on.
            canvas().setFontStyle(false, false, true);
            centredText(axis, m_y + 3, line);
            m_y += canvas().textHeight() + 3;
        }
        canvas().setFontSize(28);
        canvas().setFontStyle(true, false, false);
        centredText(printable / 2, m_y, nameCaption());
        m_y += canvas().textHeight() + 50;
    }

    QString nameCaption() const
    {
        if (m_model.SummarySchools.isEmpty())
            return QStringLiteral("(повна назва навчального закладу)");
        return QStringLiteral("(зведення показників за ") + fromCp1251(m_model.CatalogYear)
            + QStringLiteral(" рік; закладів: ") + QString::number(m_model.SummarySchools.size())
            + QStringLiteral("; їх перелік на останній сторінці)");
    }

    // A header cell: the rectangle from column edge left to right (inclusive), then its text.
    void headerCell(int left, int right, int top, int bottom, const QString &text)
    {
        canvas().rectangle(left, top, right + 1, bottom);
        const int w = right + 1 - left;
        const int h = MeasureWrappedText(canvas(), text, w);
        DrawWrappedText(canvas(), text, QStringLiteral("center"), left, top + (bottom - top - h) / 2, right + 1);
    }

    void verticalText(int left, int right, int top, int bottom, const QString &text, int xShift)
    {
        const int mx = left + (right + 1 - left) / 2;
        const int my = top + (bottom - top) / 2;
        const int tw = canvas().textWidth(text);
        canvas().textOut(mx + xShift, my + tw / 2, text);
    }

    void rotate(int angle) { canvas().setFontHandle(CreateRotatedFont(canvas().fontHandle(), angle)); }

    void tableHeader()
    {
        canvas().setFontSize(28);
        canvas().setFontStyle(true, false, false);
        const int top = m_y;
        const int bottom = top + HeaderHeight;
        const int th = canvas().textHeight();
        headerCell(Edge[0], Edge[1], top, bottom, QStringLiteral("№ п/п"));
        canvas().rectangle(Edge[1], top, Edge[2] + 1, bottom);
        rotate(90);
        verticalText(Edge[1], Edge[2], top, bottom, QStringLiteral("Умовне позначення"), -th);
        verticalText(Edge[1], Edge[2], top, bottom, QStringLiteral("показника"), 0);
        rotate(0);
        headerCell(Edge[2], Edge[3], top, bottom, QStringLiteral("Вхідні дані"));
        canvas().rectangle(Edge[3], top + 100, Edge[4] + 1, bottom);
        rotate(90);
        verticalText(Edge[3], Edge[4], top + 100, bottom, QStringLiteral("Статистичний"), -th / 2);
        canvas().rectangle(Edge[4], top + 100, Edge[5] + 1, bottom);
        verticalText(Edge[4], Edge[5], top + 100, bottom, QStringLiteral("Аналітичний"), -th / 2);
        rotate(0);
        headerCell(Edge[3], Edge[5], top, top + 101, QStringLiteral("Вид показника"));
        headerCell(Edge[5], Edge[6], top, bottom, QStringLiteral("Джерело інформації"));
        canvas().rectangle(Edge[6], top, Edge[7] + 1, bottom);
        rotate(90);
        verticalText(Edge[6], Edge[7], top, bottom, QStringLiteral("Цифрові дані"), -th / 2);
        canvas().rectangle(Edge[7], top, Edge[8] + 1, bottom);
        verticalText(Edge[7], Edge[8], top, bottom, QStringLiteral("Одиниці"), -th);
        verticalText(Edge[7], Edge[8], top, bottom, QStringLiteral("вимірювання"), 0);
        rotate(0);
        m_y = bottom;
    }

    void columnNumberRow()
    {
        canvas().setFontSize(28);
        canvas().setFontStyle(true, true, false);
        const RowCells numbers{"1", "2", "3", "4", "5", "6", "7", "8"};
        const int h = MeasureTableRow(canvas(), CellInset, numbers, 0);
        place(ReportLayout::PlacedRow::ColumnNumbers, h);
        DrawTableRow(canvas(), TableLeft, m_y, CellInset, true, QStringLiteral("center"), numbers, 0);
        m_y += h;
    }

    void footer() { ReportLayout::drawPageBand(canvas(), m_preview); }

    // Closes the page and opens the next one in the table's font.
    void pageBreak(bool withColumnNumbers)
    {
        const QFont style = canvas().font();
        footer();
        m_preview.NewPage();
        openCanvas();
        m_y = m_preview.MarginTop();
        if (withColumnNumbers) {
            columnNumberRow();
        } else {
            canvas().setFontStyle(style.bold(), style.italic(), false);
        }
    }

    void makeRoomFor(int height)
    {
        if (ReportLayout::goesToNextPage(m_preview, m_y, height))
            pageBreak(true);
    }

    void rows()
    {
        int n = 0;
        for (const razdel &section : m_model.Catalog) {
            ++n;
            canvas().setFontStyle(true, false, false);
            const QString title = QString::number(n) + QStringLiteral(". ") + fromCp1251(section.Name);
            makeRoomFor(MeasureSpanRow(canvas(), CellInset, title, 0));
            canvas().setFontStyle(true, false, false);
            const int h = DrawSpanRow(canvas(), TableLeft, m_y, CellInset, true, QStringLiteral("center"), title, 0);
            place(ReportLayout::PlacedRow::Section, h);
            m_y += h;
            int m = 0;
            for (const pokazatel &item : section.Items) {
                ++m;
                const RowCells cells = indicatorCells(n, m, item);
                canvas().setFontStyle(false, false, false);
                makeRoomFor(MeasureTableRow(canvas(), IndicatorInset, cells, 0));
                canvas().setFontStyle(false, false, false);
                const int rowHeight =
                    DrawTableRow(canvas(), TableLeft, m_y, IndicatorInset, true, QStringLiteral("left"), cells, 0);
                place(ReportLayout::PlacedRow::Indicator, rowHeight);
                m_y += rowHeight;
            }
        }
    }

    static RowCells indicatorCells(int n, int m, const pokazatel &item)
    {
        const bool statistical = isStatistical(item);
        return RowCells{indicatorNumber(n, m),
                        fromCp1251(item.Code),
                        fromCp1251(item.Name),
                        statistical ? QStringLiteral("C") : QString(),
                        statistical ? QString() : QStringLiteral("A"),
                        fromCp1251(item.Source),
                        numberText(item.Value),
                        fromCp1251(item.Measure)};
    }

    void closingBlock()
    {
        canvas().setFontSize(28);
        const int L = canvas().textHeight();
        const int height = 10 + 100 + (L + 10) + (L + 10) + L;
        if (m_y + height >= m_bodyLimit)
            pageBreak(false);
        place(ReportLayout::PlacedRow::Closing, height);
        const int x = m_preview.MarginLeft();
        m_y += 10;
        canvas().textOut(x, m_y,
                         QStringLiteral("*Подається навчальним закладом районному відділу освіти на 15.01 поточного року"));
        m_y += 100;
        const QString signature = QStringLiteral("Керівник навчального закладу") + QString(4, QLatin1Char(' '))
            + QString(27, QLatin1Char('_')) + QString(8, QLatin1Char(' ')) + QString(40, QLatin1Char('_'));
        canvas().textOut(x, m_y, signature);
        m_y += canvas().textHeight() + 10;
        const QString captions = QString(79, QLatin1Char(' ')) + QStringLiteral("(підпис)") + QString(52, QLatin1Char(' '))
            + QStringLiteral("(прізвище, ініціали)");
        canvas().textOut(x, m_y, captions);
        m_y += canvas().textHeight() + 10;
        canvas().textOut(x, m_y, QStringLiteral("М.П."));
    }

    // The schools' table: number, name and data file, all wrapped where long.
    static constexpr std::array<int, 3> SchoolColumns{110, 1740, 800};

    int schoolRow(int y, const std::array<QString, 3> &cells, bool draw)
    {
        int height = 0;
        for (size_t k = 0; k < cells.size(); ++k)
            height = qMax(height, MeasureSpanRow(canvas(), CellInset, cells[k], 0, SchoolColumns[k]));
        if (draw) {
            int x = TableLeft;
            for (size_t k = 0; k < cells.size(); ++k) {
                DrawSpanRow(canvas(), x, y, CellInset, true, k == 0 ? QStringLiteral("center") : QStringLiteral("left"),
                            cells[k], height, SchoolColumns[k]);
                x += SchoolColumns[k];
            }
        }
        return height;
    }

    void schoolsHeaderRow()
    {
        canvas().setFontSize(28);
        canvas().setFontStyle(true, false, false);
        m_y += schoolRow(m_y, {QStringLiteral("№ п/п"), QStringLiteral("Повна назва навчального закладу"),
                               QStringLiteral("Файл з даними")},
                         true);
        canvas().setFontStyle(false, false, false);
    }

    // After the report, on pages of their own.
    void schoolsPages()
    {
        pageBreak(false);
        canvas().setFontSize(35);
        canvas().setFontStyle(true, false, false);
        centredText(TableLeft + TableWidth / 2, m_y, QStringLiteral("Заклади, що увійшли до зведення"));
        m_y += canvas().textHeight() + 30;
        schoolsHeaderRow();
        int number = 0;
        for (const SummarySchool &school : m_model.SummarySchools) {
            const std::array<QString, 3> cells{QString::number(++number) + QLatin1Char('.'), fromCp1251(school.name),
                                               fromCp1251(school.fileName)};
            if (ReportLayout::goesToNextPage(m_preview, m_y, schoolRow(m_y, cells, false))) {
                pageBreak(false);
                schoolsHeaderRow();
            }
            m_y += schoolRow(m_y, cells, true);
        }
    }

    PreviewDocument &m_preview;
    const IndicatorModel &m_model;
    const int m_bodyLimit;
    std::optional<Canvas> m_canvas;
    int m_y = 0;
    QList<ReportLayout::PlacedRow> m_placed;
};

} // namespace

QList<ReportLayout::PlacedRow> ReportLayout::compose(PreviewDocument &preview, const IndicatorModel &model)
{
    return Composer(preview, model).run();
}

int ReportLayout::bodyLimit(const PreviewDocument &preview)
{
    return preview.PaperHeight() - preview.MarginBottom() - preview.MarginTop() - 20;
}

bool ReportLayout::goesToNextPage(const PreviewDocument &preview, int top, int height)
{
    return top + height >= bodyLimit(preview);
}

void ReportLayout::drawPageBand(Canvas &canvas, const PreviewDocument &preview)
{
    DrawPageFooter(canvas, preview.MarginLeft(), bodyLimit(preview),
                   preview.PaperWidth() - preview.MarginRight() - preview.MarginLeft(), preview.TotalPages());
}

void ReportLayout::record(PreviewDocument &preview, const std::function<void()> &compose)
{
    preview.setPrintJobTitle(QStringLiteral("АС Зоріс"));
    preview.BeginDoc();
    try {
        compose();
        preview.EndDoc();
    } catch (...) {
        // The pages finished so far stay to be shown; the next composition can begin.
        preview.abandonRecording();
        throw;
    }
}
