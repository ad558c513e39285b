#include "support/reportpages.h"

#include "generatedcatalogue.h"
#include "report/reportlayout.h"
#include "report/reportpdf.h"
#include "support/files.h"
#include "support/models.h"
#include "support/pdf.h"

#include "indicators/numbertext.h"

#include <QGuiApplication>
#include <QtTest>

namespace {

using Row = ReportLayout::PlacedRow;

// Sets the bottom margin that puts the body limit at limit.
void moveBodyLimitTo(PreviewDocument &preview, int limit)
{
    preview.setMarginBottom(preview.MarginBottom() + ReportLayout::bodyLimit(preview) - limit);
}

// The report's paper and pages without a window.
struct Composed
{
    IndicatorModel model;
    PreviewDocument document;

    explicit Composed(const QByteArray &cat) : Composed(modelWith(cat)) {}
    explicit Composed(IndicatorModel m) : model(std::move(m)) { setUpReportPreview(document); }
};

} // namespace

// The report's pages, composed and printed without a window.
class tst_ReportLayout : public QObject
{
    Q_OBJECT

private slots:
    void kindMarksAndValues();
    void rowsNeverReachTheBand();
    void rowEndingExactlyAtTheLimitMovesOn();
    void closingBlockMovesToANewPage();
    void tallRowStandsAlone();
    void failureKeepsFinishedPages();
    void pdfWithoutWindow();
    void longValueDrawnSmallerInItsCell();
    void longSchoolNameWrapsOnThePage();
    void wordFarWiderThanThePageKeepsWhatShows();
    void summaryListsItsSchools();
};

void tst_ReportLayout::kindMarksAndValues()
{
    Composed r(modelOf({4}, [](pokazatel &item, int, int j) {
        item.Kind = QList<QByteArray>{"C", "A", "", "x"}[j];
        item.Value = j == 1 ? 2.5 : 0;
    }));
    ReportLayout::compose(r.document, r.model);
    const QStringList page = printedTexts(r.document).value(0);
    QCOMPARE(page.count(QStringLiteral("C")), 1);
    QCOMPARE(page.count(QStringLiteral("A")), 3);
    QCOMPARE(page.count(QStringLiteral("0")), 3); // a value of 0 is printed, never left empty
    QVERIFY(page.contains(QStringLiteral("2,5")));
    for (const char *number : {"1.1.", "1.2.", "1.3.", "1.4."})
        QVERIFY2(page.contains(QString::fromUtf8(number)), number);
    QVERIFY(page.contains(QStringLiteral("1. ")));
}

// Every row ends above the page band unless it stands first on its page; every page after the
// first opens with the column-number row at the top margin; no page is broken early.
void tst_ReportLayout::rowsNeverReachTheBand()
{
    Composed r(generatedCatalogue(300));
    const QList<Row> rows = ReportLayout::compose(r.document, r.model);
    const int F = ReportLayout::bodyLimit(r.document);
    QVERIFY(r.document.TotalPages() > 5);
    for (int i = 0; i < rows.size(); ++i) {
        const Row &row = rows[i];
        QVERIFY(row.top + row.height < F);
        if (i > 0 && row.page != rows[i - 1].page) {
            QCOMPARE(row.kind, row.kind == Row::Closing ? Row::Closing : Row::ColumnNumbers);
            QCOMPARE(row.top, 100);
            // The first row moved over would not have fitted where the last page ended.
            const Row &last = rows[i - 1];
            const Row &moved = row.kind == Row::Closing ? row : rows[i + 1];
            QVERIFY(last.top + last.height + moved.height >= F);
        }
    }
    QCOMPARE(rows.back().page, r.document.TotalPages());
    const QList<QStringList> pages = printedTexts(r.document);
    for (int p = 0; p < pages.size(); ++p)
        QVERIFY(pages[p].contains(QStringLiteral("Сторінка №%1").arg(p + 1)));
}

void tst_ReportLayout::rowEndingExactlyAtTheLimitMovesOn()
{
    Composed r(generatedCatalogue(40));
    const QList<Row> first = ReportLayout::compose(r.document, r.model);
    // Move the body limit onto the bottom of the fifth indicator row of page 1.
    int target = -1, seen = 0;
    for (int i = 0; i < first.size(); ++i) {
        if (first[i].kind == Row::Indicator && ++seen == 5)
            target = i;
    }
    const int bottom = first[target].top + first[target].height;
    moveBodyLimitTo(r.document, bottom);
    QCOMPARE(ReportLayout::bodyLimit(r.document), bottom);
    const QList<Row> exact = ReportLayout::compose(r.document, r.model);
    // The page break puts the column-number row before the row that moved on.
    QCOMPARE(exact[target - 1].page, 1);
    QCOMPARE(exact[target].kind, Row::ColumnNumbers);
    QCOMPARE(exact[target].page, 2);
    QCOMPARE(exact[target + 1].kind, Row::Indicator);
    QCOMPARE(exact[target + 1].page, 2);
    QCOMPARE(exact[target + 1].top, 100 + exact[target].height);
    moveBodyLimitTo(r.document, bottom + 1);
    const QList<Row> roomy = ReportLayout::compose(r.document, r.model);
    QCOMPARE(roomy[target].page, 1);
}

void tst_ReportLayout::closingBlockMovesToANewPage()
{
    Composed r(catalogueOf({2}));
    const QList<Row> rows = ReportLayout::compose(r.document, r.model);
    const Row closing = rows.back();
    QCOMPARE(closing.kind, Row::Closing);
    QCOMPARE(r.document.TotalPages(), 1);
    moveBodyLimitTo(r.document, closing.top + closing.height);
    const QList<Row> moved = ReportLayout::compose(r.document, r.model);
    QCOMPARE(r.document.TotalPages(), 2);
    QCOMPARE(moved.back().page, 2);
    QCOMPARE(moved.back().top, 100);
    const QList<QStringList> pages = printedTexts(r.document);
    QVERIFY(pages[1].contains(QStringLiteral("М.П.")));
    QVERIFY(pages[1].contains(QStringLiteral("Сторінка №2")));
    QVERIFY(!pages[0].contains(QStringLiteral("М.П.")));
}

void tst_ReportLayout::tallRowStandsAlone()
{
    QByteArray text;
    for (int i = 0; i < 400; ++i)
        text += "слово ";
    Composed r(catalogueOf({2}));
    r.model.Catalog[0].Items[1].Name = toCp1251(QString::fromUtf8(text));
    const QList<Row> rows = ReportLayout::compose(r.document, r.model);
    // Page 1 ends after the first indicator; page 2 holds the column numbers and the tall row
    // alone, running past the band; the closing block takes page 3.
    QCOMPARE(rows.size(), 6);
    QCOMPARE(rows[3].kind, Row::ColumnNumbers);
    const Row &tall = rows[4];
    QCOMPARE(tall.kind, Row::Indicator);
    QVERIFY(tall.height > ReportLayout::bodyLimit(r.document));
    QCOMPARE(tall.page, 2);
    QCOMPARE(rows[5].kind, Row::Closing);
    QCOMPARE(rows[5].page, 3);
    QCOMPARE(rows[5].top, 100);
}

// A page that cannot be made stops the composition; the pages finished before it stay, each with
// its band, and the next composition begins afresh.
void tst_ReportLayout::failureKeepsFinishedPages()
{
    Composed r(generatedCatalogue(100));
    const int whole = ReportLayout::compose(r.document, r.model).back().page;
    QVERIFY(whole >= 4);
    int started = 0;
    const auto connection = QObject::connect(&r.document, &PreviewDocument::pageStarted, [&started] {
        if (++started == 3)
            throw OutOfMemoryError(QStringLiteral("Not enough memory to create a new page"));
    });
    QVERIFY_THROWS_EXCEPTION(OutOfMemoryError, ReportLayout::compose(r.document, r.model));
    QObject::disconnect(connection);
    QCOMPARE(r.document.State(), dsIdle);
    const QList<QStringList> pages = printedTexts(r.document);
    QCOMPARE(pages.size(), 2);
    QVERIFY(pages[0].contains(QStringLiteral("Сторінка №1")));
    QVERIFY(pages[1].contains(QStringLiteral("Сторінка №2")));
    QCOMPARE(ReportLayout::compose(r.document, r.model).back().page, whole);
    QCOMPARE(r.document.TotalPages(), whole);
}

// The command line's PDF is composed and printed without any widget (see main).
void tst_ReportLayout::pdfWithoutWindow()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("звіт.pdf"));
    writeReportPdf(modelWith(catalogueOf({1})), pdf);
    QVERIFY(readBytes(pdf).startsWith("%PDF"));
}

namespace {

double toPoints(int tenths)
{
    return tenths * 72.0 / 254.0;
}

const PdfWord *findWord(const QList<PdfWord> &words, const QString &text)
{
    for (const PdfWord &word : words)
        if (word.text == text)
            return &word;
    return nullptr;
}

} // namespace

// A summary's mean is printed whole inside its value cell in a smaller size; a value that fits
// keeps the table's size.
void tst_ReportLayout::longValueDrawnSmallerInItsCell()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    writeReportPdf(modelOf({2}, [](pokazatel &item, int, int j) { item.Value = j ? 2.5 : 89245.7666666666667; }), pdf);
    REQUIRE_PDF_TOOLS();
    const QList<PdfWord> words = pdfWords(pdf);
    const PdfWord *mean = findWord(words, numberText(89245.7666666666667));
    QVERIFY(mean);
    QCOMPARE(mean->text.size(), 16); // 15 digits and the comma
    QVERIFY2(mean->box.left() >= toPoints(2300) && mean->box.right() <= toPoints(2550),
             qPrintable(QStringLiteral("%1..%2").arg(mean->box.left()).arg(mean->box.right())));
    const PdfWord *fitting = findWord(words, QStringLiteral("2,5"));
    const PdfWord *wording = findWord(words, QStringLiteral("1.2."));
    QVERIFY(fitting && wording);
    QVERIFY(mean->box.height() < fitting->box.height());
    QCOMPARE(fitting->box.height(), wording->box.height());
}

// A long official name wraps onto centred lines within the page; the caption under it moves down.
void tst_ReportLayout::longSchoolNameWrapsOnThePage()
{
    const QString name = QStringLiteral("Комунальний заклад «Харківський ліцей № 141 з поглибленим вивченням іноземних мов, "
                                        "природничих і точних дисциплін імені Героя України І.Петренка» Харківської "
                                        "міської ради Харківської області");
    QCOMPARE(name.size(), 190);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    writeReportPdf(modelWith(catalogueOf({1}), name), pdf);
    // The title line's underscores stand under each line of the name.
    REQUIRE_PDF_TOOLS();
    QList<PdfWord> words = pdfWords(pdf);
    words.removeIf([](const PdfWord &word) { return word.text.startsWith(QLatin1Char('_')); });
    const QStringList nameWords = name.split(QLatin1Char(' '));
    qsizetype at = 0;
    while (at < words.size() && words[at].text != nameWords.first())
        ++at;
    QVERIFY(at + nameWords.size() <= words.size());
    QList<qreal> lineTops;
    for (qsizetype i = 0; i < nameWords.size(); ++i) {
        const PdfWord &word = words[at + i];
        QCOMPARE(word.text, nameWords[i]);
        QVERIFY2(word.box.left() >= 0 && word.box.right() <= toPoints(2970), qPrintable(word.text));
        if (!lineTops.contains(word.box.top()))
            lineTops.append(word.box.top());
    }
    QVERIFY(lineTops.size() >= 2);
    const PdfWord *caption = findWord(words, QStringLiteral("(повна"));
    QVERIFY(caption);
    QVERIFY(caption->box.top() > words[at + nameWords.size() - 1].box.top());
}

// A section's name of one word of a million characters: its page keeps the part of it that
// shows across the table, not the whole word, and its width does not overflow.
void tst_ReportLayout::wordFarWiderThanThePageKeepsWhatShows()
{
    IndicatorModel model = modelWith(catalogueOf({2}));
    model.Catalog.front().Name = QByteArray(1000000, '\xe6');
    Composed r(std::move(model));
    ReportLayout::compose(r.document, r.model);
    const QStringList page = printedTexts(r.document).value(0);
    qsizetype shown = 0;
    for (const QString &text : page)
        if (text.startsWith(QChar(u'ж')))
            shown += text.size();
    // The table is 2650 units wide; a bold ж at 28 points is some 25 units.
    QVERIFY2(shown > 2650 / 40 && shown < 2970 / 5, qPrintable(QString::number(shown)));
    QVERIFY(page.contains(QStringLiteral("1.2.")));
}

// A summary says what it is under its name and ends with its schools, on as many pages as
// they take, each opening with the list's heading row.
void tst_ReportLayout::summaryListsItsSchools()
{
    IndicatorModel model = modelWith(catalogueOf({3}), QStringLiteral("Зведені показники (40 закладів)"));
    for (int f = 1; f <= 40; ++f)
        model.SummarySchools.append({toCp1251(QStringLiteral("Гімназія №%1").arg(f)), toCp1251(QStringLiteral("школа%1.zrs").arg(f))});
    Composed r(std::move(model));
    const QList<Row> rows = ReportLayout::compose(r.document, r.model);
    const QList<QStringList> pages = printedTexts(r.document);
    const int reportPages = rows.last().page;
    QVERIFY(pages.size() > reportPages + 1);
    QVERIFY(pages[0].contains(QStringLiteral("(зведення показників за 2026 рік; закладів: 40; їх перелік на останній сторінці)")));
    QVERIFY(!pages[0].contains(QStringLiteral("(повна назва навчального закладу)")));
    QCOMPARE(pages[reportPages].first(), QStringLiteral("Заклади, що увійшли до зведення"));
    QStringList listed;
    for (int p = reportPages; p < pages.size(); ++p) {
        QVERIFY(pages[p].contains(QStringLiteral("даними")));
        QVERIFY(pages[p].contains(QStringLiteral("Сторінка №%1").arg(p + 1)));
        for (const QString &text : pages[p])
            if (text.startsWith(QStringLiteral("школа")))
                listed << text;
    }
    QCOMPARE(listed.size(), 40);
    QVERIFY(listed.last().startsWith(QStringLiteral("школа40")));
}

// A QGuiApplication, not a QApplication: a widget made on the way would end the run.
int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    tst_ReportLayout test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_reportlayout.moc"
