#include "support/formfixture.h"

#include "checks/changerule.h"
#include "checks/valuechecks.h"
#include "comparison/comparison.h"
#include "comparison/comparisonchart.h"
#include "comparison/comparisonpdf.h"
#include "comparison/comparisonwindow.h"
#include "indicators/numbertext.h"
#include "support/keys.h"
#include "support/models.h"
#include "support/pdf.h"
#include "support/windows.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QStatusBar>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

using Pairs = QList<std::pair<QByteArray, double>>;
Q_DECLARE_METATYPE(std::optional<double>)

namespace {

DataFileContents contentsOf(const QByteArray &year, const Pairs &pairs)
{
    DataFileContents contents{year, toCp1251(u"Школа №5"), {}, {}, {}};
    for (const auto &[key, value] : pairs) {
        contents.keys << key;
        contents.values << value;
    }
    return contents;
}

QByteArray dataFile(const QByteArray &year, const Pairs &pairs)
{
    QByteArray bytes = year + "\r\n" + toCp1251(u"Школа №5") + "\r\n";
    for (const auto &[key, value] : pairs)
        bytes += key + "\r\n" + dataNumberText(value) + "\r\n";
    return bytes;
}

// The catalogue: "Розділ 1" with KEY1 (од.), KEY2 (осіб), KEY3 (од.), "Розділ 2" with KEY4.
QByteArray comparedCatalogue()
{
    CatalogSection first{QStringLiteral("Розділ 1"), {}};
    for (const char *measure : {"од.", "осіб", "од."})
        first.items.append({QStringLiteral("Показник"), QStringLiteral("C"), QStringLiteral("K"),
                            QStringLiteral("Форма ЗНЗ-1"), QString::fromUtf8(measure)});
    return catalogBytes(QStringLiteral("2026"), {first, {QStringLiteral("Розділ 2"), {{QStringLiteral("Показник")}}}});
}

const Pairs LastYear{{"KEY1", 10}, {"KEY2", 40}, {"KEY3", 0}, {"KEY4", 7}};

// Each row as "number name last current", the cells as the table shows them.
QStringList rowTexts(const Comparison &comparison)
{
    QStringList texts;
    for (const ComparisonRow &row : comparison.rows)
        texts << QStringList{row.number, row.name, comparisonCell(row, LastColumn), comparisonCell(row, CurrentColumn)}
                     .join(QLatin1Char(' '));
    return texts;
}

// The № of every row the view shows, top to bottom.
QStringList shownNumbers(const QTableView &table)
{
    QStringList numbers;
    for (int r = 0; r < table.model()->rowCount(); ++r)
        numbers << table.model()->index(r, NumberColumn).data().toString();
    return numbers;
}

void clickHeading(QTableView &table, int column)
{
    QHeaderView *header = table.horizontalHeader();
    const QPoint middle(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, middle);
}

struct ComparisonFixture : FormFixture
{
    ComparisonFixture() : FormFixture(comparedCatalogue())
    {
        writeBytes(path(QStringLiteral("2025.zrs")), dataFile("2025", LastYear));
        show();
        window = std::make_unique<ComparisonWindow>(document, boxes, form.get());
        QObject::connect(window.get(), &ComparisonWindow::lastYearRead, form.get(), &TForm1::setLastYear);
        form->setShowComparison([this] { window->open(); });
    }
    ~ComparisonFixture() { window.reset(); }

    // "Порівняння" with the file answered in the open dialog, if asked.
    void open(const QString &answer = QStringLiteral("2025.zrs"))
    {
        boxes.fileAnswers.enqueue(path(answer));
        form->ToolButton10->click();
    }

    std::unique_ptr<ComparisonWindow> window;
};

} // namespace

class tst_Comparison : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { verifyNoWindowOpen(); }
    void matchingByLabel_data();
    void matchingByLabel();
    void changeColumns_data();
    void changeColumns();
    void years_data();
    void years();
    void doubtfulChanges_data();
    void doubtfulChanges();
    void tableReadBack();
    void pdfReadBack();
    void choosingLastYearsFile();
    void sorting();
    void longValuesWhole();
    void followsTheGrid();
    void doubtfulChangesInTheGrid();
    void lastYearOnlyForItsSchool();
    void chartSeries();
    void commandLine_data();
    void commandLine();
};

void tst_Comparison::matchingByLabel_data()
{
    QTest::addColumn<QList<QByteArray>>("labels");
    QTest::addColumn<Pairs>("last");
    QTest::addColumn<Pairs>("current");
    QTest::addColumn<QStringList>("rows");
    const Pairs thisYear{{"K1", 1}, {"K2", 2}, {"K3", 3}};
    const QList<QByteArray> labels{"K1", "K2", "K3"};
    QTest::newRow("same labels, other order") << labels << Pairs{{"K3", 30}, {"K1", 10}, {"K2", 20}} << thisYear
                                              << QStringList{"1 Розділ 1  ", "1.1. Показник 1.1 10 1",
                                                             "1.2. Показник 1.2 20 2", "2 Розділ 2  ",
                                                             "2.1. Показник 2.1 30 3"};
    QTest::newRow("last year lacks one, has another")
        << labels << Pairs{{"K1", 10}, {"K9", 90}} << thisYear
        << QStringList{"1 Розділ 1  ",          "1.1. Показник 1.1 10 1",
                       "1.2. Показник 1.2  2",  "2 Розділ 2  ",
                       "2.1. Показник 2.1  3",  "3 Показники, яких немає в каталозі  ",
                       "3.1. K9 90 "};
    QTest::newRow("this year's file lacks one, both have another")
        << labels << Pairs{{"K1", 10}, {"K2", 20}, {"K3", 30}, {"K8", 80}} << Pairs{{"K1", 1}, {"K8", 8}, {"K3", 3}}
        << QStringList{"1 Розділ 1  ",           "1.1. Показник 1.1 10 1",
                       "1.2. Показник 1.2 20 ",  "2 Розділ 2  ",
                       "2.1. Показник 2.1 30 3", "3 Показники, яких немає в каталозі  ",
                       "3.1. K8 80 8"};
    QTest::newRow("a label twice pairs off in order")
        << QList<QByteArray>{"K1", "K2", "K2"} << Pairs{{"K2", 20}, {"K1", 10}, {"K2", 21}}
        << Pairs{{"K1", 1}, {"K2", 2}, {"K2", 3}}
        << QStringList{"1 Розділ 1  ", "1.1. Показник 1.1 10 1", "1.2. Показник 1.2 20 2", "2 Розділ 2  ",
                       "2.1. Показник 2.1 21 3"};
}

void tst_Comparison::matchingByLabel()
{
    QFETCH(QList<QByteArray>, labels);
    QFETCH(Pairs, last);
    QFETCH(Pairs, current);
    QFETCH(QStringList, rows);
    const IndicatorModel model = modelOf({2, 1}, [&](pokazatel &item, int s, int j) { item.Key = labels[s * 2 + j]; });
    const Comparison comparison = compareYears(model, contentsOf("2025", last), contentsOf("2026", current));
    QCOMPARE(rowTexts(comparison), rows);
    QCOMPARE(comparisonCaption(comparison), QStringLiteral("Порівняння з 2025 роком"));
}

void tst_Comparison::changeColumns_data()
{
    QTest::addColumn<std::optional<double>>("last");
    QTest::addColumn<std::optional<double>>("current");
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("percent");
    const std::optional<double> none;
    QTest::newRow("growth") << std::optional(100.0) << std::optional(125.0) << "25" << "25";
    QTest::newRow("fall") << std::optional(80.0) << std::optional(20.0) << "-60" << "-75";
    QTest::newRow("a third, to one decimal") << std::optional(3.0) << std::optional(4.0) << "1" << "33,3";
    QTest::newRow("zero last year") << std::optional(0.0) << std::optional(5.0) << "5" << "";
    QTest::newRow("negative last year") << std::optional(-4.0) << std::optional(-2.0) << "2" << "50";
    QTest::newRow("tiny fall rounds to 0") << std::optional(100000.0) << std::optional(99999.99) << "-0,01" << "0";
    QTest::newRow("decimals") << std::optional(0.1) << std::optional(0.3) << "0,2" << "200";
    QTest::newRow("no last year") << none << std::optional(5.0) << "" << "";
    QTest::newRow("no this year") << std::optional(5.0) << none << "" << "";
}

void tst_Comparison::changeColumns()
{
    QFETCH(std::optional<double>, last);
    QFETCH(std::optional<double>, current);
    ComparisonRow row;
    row.last = last;
    row.current = current;
    QTEST(comparisonCell(row, ChangeColumn), "change");
    QTEST(comparisonCell(row, PercentColumn), "percent");
}

void tst_Comparison::years_data()
{
    QTest::addColumn<QByteArray>("earlier");
    QTest::addColumn<QByteArray>("later");
    QTest::addColumn<bool>("precedes");
    QTest::newRow("last year") << QByteArray("2025") << QByteArray("2026") << true;
    QTest::newRow("years ago") << QByteArray("2019") << QByteArray("2026") << true;
    QTest::newRow("same year") << QByteArray("2026") << QByteArray("2026") << false;
    QTest::newRow("next year") << QByteArray("2027") << QByteArray("2026") << false;
    QTest::newRow("no year") << QByteArray() << QByteArray("2026") << false;
    QTest::newRow("blank after it") << QByteArray("2025 ") << QByteArray("2026") << false;
    QTest::newRow("not a number") << QByteArray("рік") << QByteArray("2026") << false;
    QTest::newRow("catalogue without year") << QByteArray("2025") << QByteArray() << false;
}

void tst_Comparison::years()
{
    QFETCH(QByteArray, earlier);
    QFETCH(QByteArray, later);
    QTEST(precedesYear(earlier, later), "precedes");
}

void tst_Comparison::doubtfulChanges_data()
{
    QTest::addColumn<double>("last");
    QTest::addColumn<double>("current");
    QTest::addColumn<QString>("reason");
    QTest::newRow("more than threefold") << 579.0 << 1738.0 << "Минулого року: 579, цього року: 1738";
    QTest::newRow("exactly threefold") << 579.0 << 1737.0 << QString();
    QTest::newRow("fell below a third") << 579.0 << 192.0 << "Минулого року: 579, цього року: 192";
    QTest::newRow("fell to a third") << 579.0 << 193.0 << QString();
    QTest::newRow("zero now") << 579.0 << 0.0 << "Минулого року: 579, цього року: 0";
    QTest::newRow("zero then") << 0.0 << 579.0 << QString();
    QTest::newRow("zero both") << 0.0 << 0.0 << QString();
    QTest::newRow("negative") << -5.0 << -50.0 << QString();
    QTest::newRow("decimal comma") << 2.5 << 0.0 << QStringLiteral("Минулого року: 2,5, цього року: 0");
}

void tst_Comparison::doubtfulChanges()
{
    QFETCH(double, last);
    QFETCH(double, current);
    QFETCH(QString, reason);
    QCOMPARE(doubtfulChangeReason(last, current), reason);
    // Per indicator of a model: one beside last year's value, one that last year's file lacks.
    IndicatorModel model = modelOf({2}, [&](pokazatel &item, int, int j) {
        item.Key = j == 0 ? "K1" : "K2";
        item.Value = current;
    });
    ValueChecks checks;
    checks.setPlan(CheckPlan(model, {}));
    checks.setLastYearValues(lastYearValues(model, contentsOf("2025", {{"K1", last}})));
    checks.setValues(values(model));
    QCOMPARE(checks.reasons(0).join(QString()), reason);
    QVERIFY(checks.reasons(1).isEmpty());
}

void tst_Comparison::tableReadBack()
{
    IndicatorModel model = modelOf({1}, [](pokazatel &item, int, int) {
        item.Key = "K1";
        item.Code = toCp1251(u"Кл");
        item.Kind = "A";
        item.Name = toCp1251(u"Учні; усього");
        item.Measure = toCp1251(u"осіб");
    });
    const QByteArray csv = comparisonTableBytes(
        compareYears(model, contentsOf("2025", {{"K1", 2.5}}), contentsOf("2026", {{"K1", 5}})));
    QCOMPARE(csv, QByteArray("\xEF\xBB\xBF")
                      + QStringLiteral("№;Позначення;Показник;Вид;Одиниці;2025;2026;Зміна;Зміна, %\r\n"
                                       "1;;Розділ 1;;;;;;\r\n"
                                       "1.1.;Кл;\"Учні; усього\";A;осіб;2,5;5;2,5;100\r\n")
                            .toUtf8());
}

void tst_Comparison::pdfReadBack()
{
    ComparisonFixture fixture;
    fixture.model.Catalog[0].Items[1].Value = 52;
    // A summary's mean, all fifteen digits of it, stays whole on its row.
    fixture.model.Catalog[0].Items[0].Value = 124.666666666667;
    Pairs lastYear = LastYear;
    lastYear[0].second = 210.666666666667;
    const Comparison comparison =
        compareYears(fixture.model, contentsOf("2025", lastYear), modelContents(fixture.model));
    const QString pdf = fixture.path(QStringLiteral("out.pdf"));
    writeComparisonPdf(comparison, pdf);
    REQUIRE_PDF_TOOLS();
    QCOMPARE(pdfPageSize(pdf, 1), QSizeF(842, 595));
    const QString text = pdfText(pdf, true).simplified();
    for (const char *expected : {"ПОРІВНЯННЯ ПОКАЗНИКІВ", "за 2025 і 2026 роки", "Школа №5", "Позначення", "Зміна, %",
                                 "1. Розділ 1", "210,666666666667 124,666666666667 -86 -40,8", "1.2. K Показник осіб 40 52 12 30", "2.1. K Показник од. 7 0 -7 -100",
                                 "Сторінка №1"})
        QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
}

void tst_Comparison::choosingLastYearsFile()
{
    ComparisonFixture fixture;
    writeBytes(fixture.path(QStringLiteral("2026.zrs")), dataFile("2026", LastYear));
    writeBytes(fixture.path(QStringLiteral("bad.zrs")), "2024\r\nШкола\r\nKEY1\r\n1,5\r\n");

    // Refused files: the window stays closed and nothing is remembered.
    fixture.open(QStringLiteral("2026.zrs"));
    fixture.open(QStringLiteral("bad.zrs"));
    QCOMPARE(fixture.boxes.texts(ScriptedBoxes::Kind::Warning),
             QStringList{QStringLiteral("Рік файлу з даними (2026) не передує поточному року (2026)")});
    QCOMPARE(fixture.boxes.texts(ScriptedBoxes::Kind::Error),
             QStringList{QStringLiteral("Файл \"bad.zrs\": Invalid numeric input.")});
    QVERIFY(!fixture.window->isVisible());

    fixture.open();
    QVERIFY(fixture.window->isVisible());
    QCOMPARE(fixture.window->windowTitle(), QStringLiteral("Порівняння з 2025 роком"));
    QCOMPARE(fixture.boxes.count(ScriptedBoxes::Kind::OpenFile), 3);
    QCOMPARE(fixture.boxes.asked.last().caption, QStringLiteral("Порівняння: файл з даними минулого року"));
    fixture.window->close();

    // Remembered for the folder: the next window asks nothing.
    fixture.boxes.fileAnswers.clear();
    ComparisonWindow second(fixture.document, fixture.boxes, fixture.form.get());
    second.open();
    QVERIFY(second.isVisible());
    QCOMPARE(fixture.boxes.count(ScriptedBoxes::Kind::OpenFile), 3);

    // "Інший файл…" with a file of this year keeps last year's.
    fixture.boxes.fileAnswers.enqueue(fixture.path(QStringLiteral("2026.zrs")));
    second.Button1->click();
    QCOMPARE(second.windowTitle(), QStringLiteral("Порівняння з 2025 роком"));
    QCOMPARE(fixture.boxes.count(ScriptedBoxes::Kind::Warning), 2);
    fixture.boxes.fileAnswers.enqueue(fixture.path(QStringLiteral("table")));
    second.Button3->click();
    QCOMPARE(fixture.boxes.asked.back().proposed, QStringLiteral("Школа №5(2025-2026).csv"));
    QVERIFY(readBytes(fixture.path(QStringLiteral("table.csv"))).startsWith("\xEF\xBB\xBF№;"));
    second.Button4->click();
    QVERIFY(!second.isVisible());
    // The model never saw last year's file.
    QCOMPARE(values(fixture.model), (QList<double>{0, 0, 0, 0}));
}

void tst_Comparison::sorting()
{
    ComparisonFixture fixture;
    const QList<double> thisYear{30, 50, 9, 7};
    for (int k = 0; k < 3; ++k)
        fixture.model.Catalog[0].Items[k].Value = thisYear[k];
    fixture.model.Catalog[1].Items[0].Value = thisYear[3];
    fixture.open();
    QTableView &table = *fixture.window->Table1;
    QCOMPARE(shownNumbers(table), (QStringList{"1", "1.1.", "1.2.", "1.3.", "2", "2.1."}));
    // The changes sort downwards first: 200 %, 25 %, 0 %, and 1.3. without a per cent (last year 0)
    // last in either direction; the section rows go.
    clickHeading(table, PercentColumn);
    QCOMPARE(shownNumbers(table), (QStringList{"1.1.", "1.2.", "2.1.", "1.3."}));
    clickHeading(table, PercentColumn);
    QCOMPARE(shownNumbers(table), (QStringList{"2.1.", "1.2.", "1.1.", "1.3."}));
    clickHeading(table, ChangeColumn);
    QCOMPARE(shownNumbers(table), (QStringList{"1.1.", "1.2.", "1.3.", "2.1."}));
    clickHeading(table, CurrentColumn);
    QCOMPARE(shownNumbers(table), (QStringList{"2.1.", "1.3.", "1.1.", "1.2."}));
    clickHeading(table, NumberColumn);
    QCOMPARE(shownNumbers(table), (QStringList{"1", "1.1.", "1.2.", "1.3.", "2", "2.1."}));
    fixture.window->close();
}

// A summary's mean shows whole in every column of values.
void tst_Comparison::longValuesWhole()
{
    ComparisonFixture fixture;
    fixture.model.Catalog[0].Items[0].Value = 89245.7666666666667;
    fixture.open();
    QTableView &table = *fixture.window->Table1;
    QCoreApplication::processEvents();
    for (const int column : {LastColumn, CurrentColumn, ChangeColumn, PercentColumn}) {
        const QString text = table.model()->index(1, column).data().toString();
        QVERIFY(!text.isEmpty());
        QVERIFY2(table.horizontalHeader()->sectionSize(column) >= table.fontMetrics().horizontalAdvance(text) + 6,
                 qPrintable(text));
    }
    QCOMPARE(table.model()->index(1, CurrentColumn).data().toString(), numberText(89245.7666666666667));
    fixture.window->close();
}

// Last year's file chosen marks this year's zeros where last year had more; a value typed past
// threefold is marked and unmarked at once.
void tst_Comparison::doubtfulChangesInTheGrid()
{
    ComparisonFixture fixture;
    TForm1 &form = *fixture.form;
    QVERIFY(!form.doubtfulText->isVisible());
    fixture.open();
    fixture.window->close();
    QCOMPARE(form.doubtfulText->text(), QStringLiteral("Сумнівних значень: 3")); // KEY1, KEY2, KEY4

    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.Grid1->setFocus();
    form.Grid1->setRow(2);
    form.Grid1->setCol(6);
    const QList<std::pair<char, QString>> typed{{'3', "Сумнівних значень: 3"}, // 3 against 10: more than threefold
                                                {'0', "Сумнівних значень: 2"}, // 30: threefold, not more
                                                {'1', "Сумнівних значень: 3"}};
    for (const auto &[key, count] : typed) {
        typeKey(key);
        QCOMPARE(form.doubtfulText->text(), count);
    }
    form.Grid1->setCol(2); // the editor closed
    QTest::mouseMove(form.Grid1->viewport(), form.Grid1->cellRect(6, 2).center());
    QCOMPARE(form.Grid1->hint(), QStringLiteral("Минулого року: 10, цього року: 301"));
    QTest::mouseMove(form.Grid1->viewport(), form.Grid1->cellRect(6, 3).center());
    QCOMPARE(form.Grid1->hint(), QStringLiteral("Минулого року: 40, цього року: 0"));
}

// Last year's file marks nothing in another school's values, and the status bar says why once;
// a summary goes only with a summary.
void tst_Comparison::lastYearOnlyForItsSchool()
{
    ComparisonFixture fixture;
    TForm1 &form = *fixture.form;
    fixture.open();
    fixture.window->close();
    QCOMPARE(form.doubtfulText->text(), QStringLiteral("Сумнівних значень: 3"));
    const QByteArray zeros = dataFile("2026", {{"KEY1", 0}, {"KEY2", 0}, {"KEY3", 0}, {"KEY4", 0}});
    const QString other = fixture.path(QStringLiteral("other.zrs"));
    writeBytes(other, QByteArray(zeros).replace(toCp1251(u"Школа №5"), toCp1251(u"Гімназія №2")));
    form.openDataFileNamed(other);
    QVERIFY(!form.doubtfulText->isVisible());
    QCOMPARE(form.sStatusBar1->currentMessage(), QStringLiteral("Файл минулого року належить іншому закладу («Школа №5»): "
                                                                "зміни проти минулого року не позначаються"));
    form.sStatusBar1->clearMessage();
    form.openDataFileNamed(other);
    QVERIFY(form.sStatusBar1->currentMessage().isEmpty());
    const QString own = fixture.path(QStringLiteral("own.zrs"));
    writeBytes(own, QByteArray(zeros).replace(toCp1251(u"Школа №5"), toCp1251(u" школа  №5")));
    form.openDataFileNamed(own);
    QCOMPARE(form.doubtfulText->text(), QStringLiteral("Сумнівних значень: 3"));

    DataFileContents summary = contentsOf("2025", LastYear);
    summary.schools.append(SummarySchool{"A", "a.zrs"});
    QVERIFY(!isSameSchool(summary, fixture.model));
    fixture.model.SummarySchools.append(SummarySchool{"B", "b.zrs"});
    QVERIFY(isSameSchool(summary, fixture.model));
    QVERIFY(!isSameSchool(contentsOf("2025", LastYear), fixture.model));
}

void tst_Comparison::followsTheGrid()
{
    ComparisonFixture fixture;
    fixture.open();
    QTableView &table = *fixture.window->Table1;
    clickHeading(table, ChangeColumn);
    QCOMPARE(shownNumbers(table).front(), QStringLiteral("1.3."));
    fixture.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(fixture.form.get()));
    fixture.form->Grid1->setFocus();
    fixture.form->Grid1->setRow(2);
    fixture.form->Grid1->setCol(6);
    for (const char key : {'6', '0'})
        typeKey(key);
    // 1.1. went from 10 to 60: now the largest change, on top, with its cells.
    const QAbstractItemModel &shown = *table.model();
    QCOMPARE(shownNumbers(table).front(), QStringLiteral("1.1."));
    QCOMPARE(shown.index(0, CurrentColumn).data().toString(), QStringLiteral("60"));
    QCOMPARE(shown.index(0, PercentColumn).data().toString(), QStringLiteral("500"));
    // Labels replaced, as by opening a data file of other labels: matched anew, so last year's
    // KEY1 now stands alone at the end, among the indicators the catalogue lacks.
    DataFileContents opened = modelContents(fixture.model);
    opened.keys[0] = "KEY9";
    fixture.document.replaceContents(opened, true);
    QCOMPARE(shownNumbers(table).back(), QStringLiteral("3.1."));
    QCOMPARE(shown.index(shown.rowCount() - 1, NameColumn).data().toString(), QStringLiteral("KEY1"));
    fixture.window->close();
}

void tst_Comparison::chartSeries()
{
    ComparisonFixture fixture;
    fixture.model.Catalog[0].Items[0].Value = 12;
    fixture.model.Catalog[0].Items[2].Value = 3;
    fixture.open();
    const auto bars = [&] {
        QStringList shown;
        const QList<QAbstractSeries *> series = fixture.window->Chart1->chart()->series();
        if (series.size() != 1)
            return shown;
        for (const QBarSet *set : static_cast<QBarSeries *>(series.front())->barSets()) {
            QStringList values;
            for (int i = 0; i < set->count(); ++i)
                values << numberText(set->at(i));
            shown << set->label() + QLatin1Char(':') + values.join(QLatin1Char(' '));
        }
        return shown;
    };
    QTableView &table = *fixture.window->Table1;
    table.selectRow(1);
    QCOMPARE(bars(), (QStringList{"2025:10", "2026:12"}));
    // The section's indicators in "од.": 1.1. and 1.3., not 1.2. in "осіб".
    fixture.window->CheckBox1->click();
    QCOMPARE(bars(), (QStringList{"2025:10 0", "2026:12 3"}));
    fixture.window->CheckBox1->click();
    table.selectRow(0);
    QCOMPARE(bars(), (QStringList{"2025:10 0", "2026:12 3"}));
    QCOMPARE(fixture.window->Chart1->chart()->title(), QStringLiteral("1. Розділ 1 (од.)"));
    fixture.window->close();
}

void tst_Comparison::commandLine_data()
{
    QTest::addColumn<QString>("out");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("error");
    QTest::newRow("table") << "out.csv" << QStringList{"2025.zrs", "2026.zrs"} << QString();
    QTest::newRow("pdf") << "out.PDF" << QStringList{"2025.zrs", "2026.zrs"} << QString();
    QTest::newRow("years reversed") << "out.csv" << QStringList{"2026.zrs", "2025.zrs"}
                                    << "Рік файлу з даними \"2026.zrs\" (2026) не передує року файлу з даними "
                                       "\"2025.zrs\" (2025)";
    QTest::newRow("same year") << "out.pdf" << QStringList{"2025.zrs", "2025.zrs"}
                               << "Рік файлу з даними \"2025.zrs\" (2025) не передує року файлу з даними "
                                  "\"2025.zrs\" (2025)";
    QTest::newRow("one file") << "out.csv" << QStringList{"2025.zrs"}
                              << "Для порівняння потрібні два файли з даними: минулого року і цього.";
    QTest::newRow("missing file") << "out.csv" << QStringList{"2025.zrs", "none.zrs"}
                                  << "Файл \"none.zrs\": File not found.";
    QTest::newRow("other output") << "out.txt" << QStringList{"2025.zrs", "2026.zrs"}
                                  << "Порівняння записується у файл .csv або .pdf.";
}

void tst_Comparison::commandLine()
{
    QFETCH(QString, out);
    QFETCH(QStringList, files);
    QFETCH(QString, error);
    FormFixture fixture(comparedCatalogue());
    writeBytes(fixture.path(QStringLiteral("2025.zrs")), dataFile("2025", LastYear));
    writeBytes(fixture.path(QStringLiteral("2026.zrs")), dataFile("2026", {{"KEY1", 12}, {"KEY2", 40}}));
    QProcess zoris;
    zoris.setWorkingDirectory(fixture.path(QString()));
    zoris.start(QStringLiteral(ZORIS_PROGRAM), QStringList{QStringLiteral("--compare"), out} + files);
    QVERIFY(zoris.waitForFinished(60000));
    QCOMPARE(QString::fromUtf8(zoris.readAllStandardError()).trimmed(), error);
    QCOMPARE(zoris.exitCode(), error.isEmpty() ? 0 : 1);
    const QString written = fixture.path(out);
    if (!error.isEmpty()) {
        QVERIFY(!QFile::exists(written));
    } else if (out.endsWith(QLatin1String(".csv"))) {
        const QStringList lines = QString::fromUtf8(readBytes(written)).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.value(2), QStringLiteral("1.1.;K;Показник;C;од.;10;12;2;20"));
        QCOMPARE(lines.value(6), QStringLiteral("2.1.;K;Показник;C;од.;7;;;"));
    } else {
        REQUIRE_PDF_TOOLS();
        QVERIFY(pdfText(written, true).simplified().contains(QStringLiteral("1.1. K Показник од. 10 12 2 20")));
    }
}

QTEST_MAIN(tst_Comparison)
#include "tst_comparison.moc"
