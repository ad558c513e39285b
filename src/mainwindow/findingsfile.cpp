#include "findingsfile.h"

#include "indicators/encoding.h"
#include "preview/previewdocument.h"
#include "report/reportdrawing.h"
#include "report/reportlayout.h"
#include "report/reportpdf.h"
#include "report/tablepages.h"
#include "summary/csv.h"

namespace {

constexpr int TableLeft = 100;
// The value column draws a long value smaller rather than cutting it.
constexpr TableColumns Columns{{100, 400, 230, 300, 190, 560, 190, 680},
                               {true, false, false, false, true, false, true, false},
                               {false, false, false, false, false, false, true, false}};
static_assert(Columns.width() == TableWidth, "the list is as wide as the report's table");
constexpr Inset CellInset{5, 5, 5, 5};
constexpr qsizetype ValueField = 6;

QStringList headings()
{
    return {QStringLiteral("№"),       QStringLiteral("Заклад"),          QStringLiteral("Файл з даними"),
            QStringLiteral("Розділ"),  QStringLiteral("Показник"),        QStringLiteral("Зміст показника"),
            QStringLiteral("Значення"), QStringLiteral("Причина")};
}

// A line's fields; the school is the document's own where the line names none.
QStringList fieldsOf(const FindingsDocument &document, qsizetype row)
{
    const FindingRow &line = document.rows[row];
    return {QString::number(row + 1),
            line.school.isEmpty() ? document.subject : line.school,
            line.file,
            line.section,
            line.label,
            line.wording,
            line.value,
            line.reason};
}

class Composer : TablePages
{
public:
    Composer(PreviewDocument &preview, const FindingsDocument &document)
        : TablePages(preview)
        , m_document(document)
    {
    }

    void run()
    {
        ReportLayout::record(m_preview, [this] {
            openPage();
            titleBlock();
            headingRow();
            for (qsizetype row = 0; row < m_document.rows.size(); ++row) {
                const RowCells cells = rowCellsOf(fieldsOf(m_document, row));
                canvas().setFontStyle(false, false, false);
                makeRoomFor(MeasureTableRow(canvas(), Columns, CellInset, cells, 0));
                canvas().setFontStyle(false, false, false);
                m_y += DrawTableRow(canvas(), Columns, TableLeft, m_y, CellInset, true, QStringLiteral("left"), cells, 0);
            }
            footer();
        });
    }

private:
    void centredLines(const QString &text)
    {
        const int h = MeasureWrappedText(canvas(), text, TableWidth);
        DrawWrappedText(canvas(), text, QStringLiteral("center"), TableLeft, m_y, TableLeft + TableWidth);
        m_y += h;
    }

    void titleBlock()
    {
        canvas().setFontSize(35);
        canvas().setFontStyle(true, false, false);
        centredLines(QStringLiteral("ЗНАЧЕННЯ ПОКАЗНИКІВ, ЯКІ НЕ ПРОЙШЛИ ПЕРЕВІРКУ"));
        centredLines(QStringLiteral("за ") + fromCp1251(m_document.year) + QStringLiteral(" рік: ")
                     + failedValuesText(m_document.doubtfulCount));
        m_y += 10;
        canvas().setFontStyle(false, false, true);
        centredLines(m_document.subject);
        m_y += 50;
    }

    void headingRow() override
    {
        canvas().setFontSize(28);
        canvas().setFontStyle(true, false, false);
        m_y += DrawTableRow(canvas(), Columns, TableLeft, m_y, CellInset, true, QStringLiteral("center"),
                            rowCellsOf(headings()), 0);
    }

    const FindingsDocument &m_document;
};

} // namespace

QByteArray findingsTableBytes(const FindingsDocument &document)
{
    QString table;
    appendCsvRow(table, headings());
    for (qsizetype row = 0; row < document.rows.size(); ++row) {
        QStringList fields = fieldsOf(document, row);
        for (qsizetype k = 1; k < fields.size(); ++k) {
            if (k != ValueField)
                fields[k] = inertText(fields[k]);
        }
        appendCsvRow(table, fields);
    }
    return csvFileBytes(table);
}

void writeFindingsPdf(const FindingsDocument &document, const QString &path)
{
    PreviewDocument preview;
    setUpReportPreview(preview);
    Composer(preview, document).run();
    printPagesToPdf(preview, path);
}

QString proposedFindingsName(const FindingsDocument &document)
{
    return QStringLiteral("Сумнівні значення(") + fromCp1251(document.year) + QLatin1Char(')');
}
