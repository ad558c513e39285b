#include "support/formfixture.h"

#include "indicators/catalogfile.h"
#include "indicators/datafile.h"
#include "indicators/numbertext.h"
#include "summary/summary.h"
#include "summary/summarytable.h"
#include "support/pdf.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QToolButton>

namespace {

// One section of five indicators of kinds C, A, C, A, C: KEY1 to KEY5.
QByteArray mixedCatalogue()
{
    CatalogSection section{QStringLiteral("Розділ 1"), {}};
    for (const char *kind : {"C", "A", "C", "A", "C"})
        section.items.append({QStringLiteral("Показник"), QString::fromLatin1(kind)});
    return catalogBytes(QStringLiteral("2026"), {section, {QStringLiteral("Порожній"), {}}});
}

QByteArray schoolFile(const QString &school, const QList<double> &values, const QByteArray &year = "2026")
{
    QByteArray bytes = year + "\r\n" + toCp1251(school) + "\r\n";
    for (int k = 0; k < values.size(); ++k)
        bytes += "KEY" + QByteArray::number(k + 1) + "\r\n" + dataNumberText(values[k]) + "\r\n";
    return bytes;
}

// The fixture's folder with the mixed catalogue; its model loaded as the window would.
struct SummaryFixture : FormFixture
{
    SummaryFixture() : FormFixture(mixedCatalogue()) { create(); }

    QString write(const QString &name, const QByteArray &bytes)
    {
        writeBytes(path(name), bytes);
        return path(name);
    }

    // Files "s0.zrs", ... of the schools named, by default "Школа 0", ..., with the values given.
    QStringList schools(const QList<QList<double>> &values, const QStringList &names = {})
    {
        QStringList paths;
        for (int f = 0; f < values.size(); ++f)
            paths << write(QStringLiteral("s%1.zrs").arg(f),
                           schoolFile(names.isEmpty() ? QStringLiteral("Школа %1").arg(f) : names[f], values[f]));
        return paths;
    }

    // The program's exit code, or -1 when it does not finish; errors gets its standard error.
    int run(const QStringList &arguments, QString *errors = nullptr)
    {
        QProcess zoris;
        zoris.setWorkingDirectory(path(QString()));
        zoris.start(QStringLiteral(ZORIS_PROGRAM), arguments);
        if (!zoris.waitForFinished(60000))
            return -1;
        if (errors)
            *errors = QString::fromUtf8(zoris.readAllStandardError());
        return zoris.exitCode();
    }
};

} // namespace

class tst_Summary : public QObject
{
    Q_OBJECT

private slots:
    void sumsAndMeans();
    void shippedAverages();
    void agreement_data();
    void agreement();
    void refusals_data();
    void refusals();
    void tableReadBack();
    void tableInSpreadsheet();
    void windowFlow();
    void commandLine();
};

void tst_Summary::sumsAndMeans()
{
    SummaryFixture fixture;
    // Columns: KEY1 (C), KEY2 (A), KEY3 (C), KEY4 (A), KEY5 (C).
    const QList<QList<double>> schools{{-2, 1.5e20, 1.5e20, 0, 0.1},
                                       {0, 1.5e20, 1, -3, 0.2},
                                       {5, 1.5e20, -1.5e20, 1, 0.3}};
    const QList<double> expected{3, 1.5e20, 1, -0.67, 0.6};
    const SchoolSummary summary = readSchoolFiles(fixture.schools(schools), fixture.model);
    QCOMPARE(summary.values, schools);
    for (int k = 0; k < expected.size(); ++k)
        QCOMPARE(numberText(summary.totals[k]), numberText(expected[k]));
    applyDataFile(summaryContents(summary, fixture.model), fixture.model);
    QCOMPARE(fromCp1251(fixture.model.SchoolName), QStringLiteral("Зведені показники (3 заклади)"));
    QCOMPARE(fixture.model.Catalog[0].Items[2].Value, 1.0);
    QCOMPARE(fixture.model.Catalog[0].Items[2].Key, QByteArray("KEY3"));
}

// The shipped catalogue's indicators a summary averages: its analytical ones, and the one
// statistical indicator that does not add up across schools, the internet speed.
void tst_Summary::shippedAverages()
{
    IndicatorModel model;
    QCOMPARE(loadCatalogFile(QStringLiteral(ZORIS_SHIPPED_DATA "/DEFAULT.lng"), model), CatalogLoad::Loaded);
    QStringList averagedStatistical;
    forEachIndicator(model.Catalog, [&](int, const pokazatel &item) {
        if (!isStatistical(item))
            QVERIFY2(isAveragedInSummary(item), item.Key.constData());
        else if (isAveragedInSummary(item))
            averagedStatistical << fromCp1251(item.Key + ' ' + item.Measure);
    });
    QCOMPARE(averagedStatistical, QStringList{"K7_06 Мбіт/с"});

    SummaryFixture fixture;
    const QList<QList<double>> speeds{{100, 100, 30, 1, 1}, {0, 0, 10, 2, 2}};
    fixture.model.Catalog[0].Items[0].Measure = toCp1251(u"Мбіт/с");
    fixture.model.Catalog[0].Items[2].Name = toCp1251(u"Середня наповнюваність класів");
    QCOMPARE(readSchoolFiles(fixture.schools(speeds), fixture.model).totals, (QList<double>{50, 50, 20, 1.5, 3}));
}

void tst_Summary::agreement_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("text");
    const QList<std::pair<int, const char *>> rows{{1, "1 заклад"},     {2, "2 заклади"},     {4, "4 заклади"},
                                                   {5, "5 закладів"},   {11, "11 закладів"},  {12, "12 закладів"},
                                                   {14, "14 закладів"}, {21, "21 заклад"},    {22, "22 заклади"},
                                                   {101, "101 заклад"}, {111, "111 закладів"}, {112, "112 закладів"},
                                                   {1002, "1002 заклади"}};
    for (const auto &[count, text] : rows)
        QTest::addRow("%d", count) << count << QString::fromUtf8(text);
}

void tst_Summary::agreement()
{
    QFETCH(int, count);
    QFETCH(QString, text);
    QCOMPARE(schoolCountText(count), text);
    QCOMPARE(summarySchoolName(count), QStringLiteral("Зведені показники (") + text + QLatin1Char(')'));
}

void tst_Summary::refusals_data()
{
    QTest::addColumn<QByteArray>("second");
    QTest::addColumn<QString>("message");
    const QList<double> five{1, 2, 3, 4, 5};
    QTest::newRow("other year") << schoolFile(QStringLiteral("Б"), five, "2025")
                                << QStringLiteral("Файл \"b.zrs\": Рік файлу з даними (2025) не співпадає з поточним роком (2026)");
    QByteArray otherKey = schoolFile(QStringLiteral("Б"), five);
    otherKey.replace("KEY3", "INNE");
    QTest::newRow("other catalogue")
        << otherKey << QStringLiteral("Файл \"b.zrs\" не відповідає каталогу: замість показника \"KEY3\" у ньому \"INNE\"");
    QTest::newRow("missing key") << schoolFile(QStringLiteral("Б"), {1, 2, 3, 4})
                                 << QStringLiteral("Файл \"b.zrs\" не відповідає каталогу: у ньому немає показника \"KEY5\"");
    QTest::newRow("surplus key") << schoolFile(QStringLiteral("Б"), {1, 2, 3, 4, 5, 6})
                                 << QStringLiteral("Файл \"b.zrs\" не відповідає каталогу: у ньому більше показників, ніж у каталозі");
    QTest::newRow("duplicate school") << schoolFile(QStringLiteral("А"), five)
                                      << QStringLiteral("Заклад \"А\" є у двох файлах: \"a.zrs\" і \"b.zrs\"");
    QByteArray badNumber = schoolFile(QStringLiteral("Б"), five);
    badNumber.replace(" 2.00000000000000E+0000", "2,5");
    QTest::newRow("bad number") << badNumber
                                << QStringLiteral("Файл \"b.zrs\", показник \"KEY2\": Invalid numeric input");
    QTest::newRow("summary among schools")
        << schoolFile(summarySchoolName(3), five)
        << QStringLiteral("Файл \"b.zrs\" містить зведені показники (3 заклади), а не показники одного закладу");
    QTest::newRow("unreadable") << QByteArray() << QStringLiteral("Файл \"b.zrs\": File not found");
}

// Each refusal leaves the model as it was, and the command line writes nothing over its output.
void tst_Summary::refusals()
{
    QFETCH(QByteArray, second);
    QFETCH(QString, message);
    SummaryFixture fixture;
    const QStringList paths{fixture.write(QStringLiteral("a.zrs"), schoolFile(QStringLiteral("А"), {1, 2, 3, 4, 5})),
                            second.isNull() ? fixture.path(QStringLiteral("b.zrs"))
                                            : fixture.write(QStringLiteral("b.zrs"), second)};
    const QByteArray before = dataFileBytes(fixture.model);
    try {
        readSchoolFiles(paths, fixture.model);
        QFAIL("accepted");
    } catch (const SummaryRefusal &refusal) {
        QCOMPARE(refusal.message(), message);
    }
    QCOMPARE(dataFileBytes(fixture.model), before);

    for (const char *option : {"--merge", "--table"}) {
        const QString out = fixture.write(QStringLiteral("out"), "old");
        const QStringList files = folderEntries(fixture.path(QString()));
        QString errors;
        QCOMPARE(fixture.run(QStringList{QString::fromLatin1(option), out} + paths, &errors), 1);
        QVERIFY(errors.contains(message));
        QCOMPARE(readBytes(out), QByteArray("old"));
        QCOMPARE(folderEntries(fixture.path(QString())), files); // no temporary left
    }
}

void tst_Summary::tableReadBack()
{
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        QSKIP("python3 is not installed: its csv module reads the table back");
    SummaryFixture fixture;
    const QStringList names{QStringLiteral(" Ліцей \"Світоч\"; м. Київ"), QStringLiteral("Школа\u00a0№1"),
                            QStringLiteral("Гімназія")};
    const QList<QList<double>> values{{1.5e20, -2.5, 0, 1.0 / 3, 1e-5}, {1, 2, 3, 4, 5}, {0, 0, 0, 0, 0}};
    const SchoolSummary summary = readSchoolFiles(fixture.schools(values, names), fixture.model);
    const QString csv = fixture.path(QStringLiteral("t.csv"));
    writeSummaryTable(csv, fixture.model, summary);
    QVERIFY(readBytes(csv).startsWith("\xEF\xBB\xBF\xE2\x84\x96;"));

    const QString read = toolOutput(
        python, {QStringLiteral("-c"),
                 QStringLiteral("import csv, json, sys\n"
                                "with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:\n"
                                "    print(json.dumps(list(csv.reader(f, delimiter=';'))))"),
                 csv});
    const QJsonArray rows = QJsonDocument::fromJson(read.toUtf8()).array();
    QCOMPARE(rows.size(), 1 + 2 + 5);
    auto row = [&](int r) {
        QStringList fields;
        for (const QJsonValue &v : rows[r].toArray())
            fields << v.toString();
        return fields;
    };
    QCOMPARE(row(0), (QStringList{"№", "Позначення", "Показник", "Вид", "Одиниці"} + names
                      + QStringList{"Разом (C — сума, A — середнє)"}));
    QCOMPARE(row(1), (QStringList{"1", "", "Розділ 1", "", "", "", "", "", ""}));
    QCOMPARE(row(2), (QStringList{"1.1.", "K", "Показник", "C", "од.", "1,5E20", "1", "0", "1,5E20"}));
    QCOMPARE(row(3), (QStringList{"1.2.", "K", "Показник", "A", "од.", "-2,5", "2", "0", "-0,17"}));
    QCOMPARE(row(5), (QStringList{"1.4.", "K", "Показник", "A", "од.", "0,333333333333333", "4", "0", "1,44"}));
    QCOMPARE(row(6).mid(5), (QStringList{"1E-5", "5", "0", "5,00001"}));
    QCOMPARE(row(7), (QStringList{"2", "", "Порожній", "", "", "", "", "", ""}));
}

// A spreadsheet with Ukrainian settings takes every value cell as the number shown, and a school
// whose name looks like a formula as the text it is.
void tst_Summary::tableInSpreadsheet()
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed");
    SummaryFixture fixture;
    const QList<QList<double>> values{{1.5e20, -2.5, 7, 1.0 / 3, 1e-5}, {123456789012345, 2, -0.001, 4, 5}};
    const QStringList names{QStringLiteral("=HYPERLINK(\"http://x\";\"Натисніть\")"), QStringLiteral("@SUM(1;2)")};
    const SchoolSummary summary = readSchoolFiles(fixture.schools(values, names), fixture.model);
    writeSummaryTable(fixture.path(QStringLiteral("t.csv")), fixture.model, summary);
    QProcess convert;
    convert.setWorkingDirectory(fixture.path(QString()));
    convert.setEnvironment(QProcess::systemEnvironment()
                           << QStringLiteral("HOME=") + fixture.path(QString()));
    convert.start(soffice, {QStringLiteral("--headless"), QStringLiteral("--infilter=CSV:59,34,76,1,,1058"),
                            QStringLiteral("--convert-to"), QStringLiteral("fods"), QStringLiteral("t.csv")});
    QVERIFY(convert.waitForFinished(120000));
    QVERIFY2(QFile::exists(fixture.path(QStringLiteral("t.fods"))), convert.readAllStandardError().constData());
    const QString document = QString::fromUtf8(readBytes(fixture.path(QStringLiteral("t.fods"))));
    QVERIFY(!document.contains(QStringLiteral("table:formula")));
    QVERIFY(document.contains(
        QStringLiteral("<text:p>&apos;=HYPERLINK(&quot;http://x&quot;;&quot;Натисніть&quot;)</text:p>")));
    QVERIFY(document.contains(QStringLiteral("<text:p>&apos;@SUM(1;2)</text:p>")));
    // Cells of equal value next to each other would be written once, repeated: the data has none.
    QList<double> numbers;
    static const QRegularExpression floatCell(QStringLiteral("office:value-type=\"float\" office:value=\"([^\"]+)\""));
    for (const QRegularExpressionMatch &match : floatCell.globalMatch(document))
        numbers << match.captured(1).toDouble();
    QList<double> expected;
    expected << 1 << 2; // the section numbers stand between
    for (int k = 0; k < 5; ++k)
        expected << values[0][k] << values[1][k] << summary.totals[k];
    expected.move(1, expected.size() - 1);
    QCOMPARE(numbers.size(), expected.size());
    for (int i = 0; i < numbers.size(); ++i)
        QCOMPARE(numberText(numbers[i]), numberText(expected[i]));
}

void tst_Summary::windowFlow()
{
    SummaryFixture fixture;
    TForm1 &form = fixture.show();
    const QStringList paths = fixture.schools({{1, 1, 3, 4, 5}, {2, 0, 3, 4, 5}, {3, 1, 3, 4, 5}});
    fixture.boxes.filesAnswers.enqueue(paths);
    fixture.boxes.confirmAnswers.enqueue(true);
    fixture.boxes.fileAnswers.enqueue(fixture.path(QStringLiteral("район")));
    form.ToolButton8->click();
    QCOMPARE(fixture.boxes.texts(ScriptedBoxes::Kind::ConfirmYesNo), QStringList{"Записати також зведену таблицю?"});
    QCOMPARE(fixture.boxes.asked.last().proposed, QStringLiteral("Зведення(2026).csv"));
    QCOMPARE(fixture.boxes.asked.first().caption, QStringLiteral("Зведення: файли з даними закладів"));
    QCOMPARE(form.Grid1->cells(6, 2), QStringLiteral("6"));
    QCOMPARE(form.Grid1->cells(6, 3), QStringLiteral("0,67")); // the mean, rounded
    QCOMPARE(fromCp1251(fixture.model.SchoolName), QStringLiteral("Зведені показники (3 заклади)"));
    QVERIFY(readBytes(fixture.path(QStringLiteral("район.csv"))).contains("Школа 2"));
    // The summary is in no data file yet: the next summary first asks about it, and Cancel
    // keeps it.
    QVERIFY(fixture.document.unsaved());
    fixture.boxes.clear();
    form.ToolButton8->click();
    QCOMPARE(fixture.boxes.count(ScriptedBoxes::Kind::ConfirmYesNoCancel), 1);
    QCOMPARE(fixture.boxes.count(ScriptedBoxes::Kind::OpenFiles), 0);

    // A refusal: the warning names the file, and the grid and the model keep the summary.
    fixture.boxes.clear();
    const QByteArray before = dataFileBytes(fixture.model);
    fixture.write(QStringLiteral("s1.zrs"), schoolFile(QStringLiteral("Школа 1"), {1, 2}));
    fixture.boxes.threeWayAnswers.enqueue(StandardBoxes::Answer::No);
    fixture.boxes.filesAnswers.enqueue(paths);
    form.ToolButton8->click();
    QCOMPARE(fixture.boxes.texts(ScriptedBoxes::Kind::Warning),
             QStringList{"Файл \"s1.zrs\" не відповідає каталогу: у ньому немає показника \"KEY3\""});
    QCOMPARE(fixture.boxes.count(ScriptedBoxes::Kind::ConfirmYesNo), 0);
    QCOMPARE(dataFileBytes(fixture.model), before);
    QCOMPARE(form.Grid1->cells(6, 2), QStringLiteral("6"));

    // One file is no summary.
    fixture.boxes.clear();
    fixture.boxes.threeWayAnswers.enqueue(StandardBoxes::Answer::No);
    fixture.boxes.filesAnswers.enqueue({paths[0]});
    form.ToolButton8->click();
    QCOMPARE(fixture.boxes.texts(ScriptedBoxes::Kind::Warning),
             QStringList{"Для зведення потрібні щонайменше два файли з даними"});
}

void tst_Summary::commandLine()
{
    SummaryFixture fixture;
    const QStringList paths = fixture.schools({{1, 2, 3, 4, 5}, {2, 2, 3, 4, 5}});
    QCOMPARE(fixture.run(QStringList{QStringLiteral("--merge"), QStringLiteral("m.zrs")} + paths), 0);
    QVERIFY(readBytes(fixture.path(QStringLiteral("m.zrs")))
                .startsWith("2026\r\n" + toCp1251(u"Зведені показники (2 заклади)") + "\r\nKEY1\r\n 3.00000000000000E+0000\r\n"));
    QCOMPARE(fixture.run({QStringLiteral("--merge"), QStringLiteral("one.zrs"), paths[0]}), 1);
    QVERIFY(!QFile::exists(fixture.path(QStringLiteral("one.zrs"))));
    QCOMPARE(fixture.run({QStringLiteral("--table"), QStringLiteral("one.csv"), paths[0]}), 0);
    QVERIFY(QString::fromUtf8(readBytes(fixture.path(QStringLiteral("one.csv"))))
                .contains(u"Школа 0;Разом (C — сума, A — середнє)\r\n"));
    QCOMPARE(fixture.run(QStringList{QStringLiteral("--pdf"), QStringLiteral("r.pdf")} + paths), 0);

    // The summary's file names its schools after the values; reopened, its report lists them,
    // and a summary renamed is still no school.
    const QByteArray merged = readBytes(fixture.path(QStringLiteral("m.zrs")));
    QVERIFY(merged.endsWith(toCp1251(u"\r\nЗаклади, що увійшли до зведення\r\nШкола 0\r\ns0.zrs\r\nШкола 1\r\ns1.zrs\r\n")));
    QCOMPARE(parseDataFile(merged, 5).schools,
             (QList<SummarySchool>{{toCp1251(u"Школа 0"), "s0.zrs"}, {toCp1251(u"Школа 1"), "s1.zrs"}}));
    QCOMPARE(parseEveryPair(merged).keys.size(), 5);
    QCOMPARE(fixture.run({QStringLiteral("--pdf"), QStringLiteral("m.pdf"), QStringLiteral("m.zrs")}), 0);
    fixture.write(QStringLiteral("renamed.zrs"), QByteArray(merged).replace(toCp1251(u"Зведені показники (2 заклади)"), "District"));
    QString errors;
    QCOMPARE(fixture.run({QStringLiteral("--merge"), QStringLiteral("x.zrs"), QStringLiteral("renamed.zrs"), paths[0]}, &errors), 1);
    QVERIFY2(errors.contains(u"Файл \"renamed.zrs\" містить зведення показників, а не показники одного закладу"), qPrintable(errors));

    REQUIRE_PDF_TOOLS();
    QVERIFY(pdfText(fixture.path(QStringLiteral("r.pdf"))).contains(u"Зведені показники (2 заклади)"));
    const QString report = pdfText(fixture.path(QStringLiteral("m.pdf")), true).simplified();
    QVERIFY(report.contains(u"Заклади, що увійшли до зведення"));
    QVERIFY(report.contains(u"2. Школа 1 s1.zrs"));
}

QTEST_MAIN(tst_Summary)
#include "tst_summary.moc"
