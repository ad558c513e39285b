#include "support/catalogue.h"
#include "support/files.h"

#include "checks/checkplan.h"
#include "checks/outliers.h"
#include "checks/rulesfile.h"
#include "checks/valuechecks.h"
#include "indicators/catalogfile.h"
#include "indicators/model.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using PlantedValues = QHash<QString, double>;

namespace {

// One section of indicators A to F, all "од." of kind "C".
IndicatorModel lettersModel()
{
    CatalogSection section{QStringLiteral("Розділ"), {}};
    for (int k = 0; k < 6; ++k)
        section.items.append({QStringLiteral("Показник")});
    QByteArray bytes = catalogBytes(QStringLiteral("2026"), {section});
    for (int k = 1; k <= 6; ++k)
        bytes.replace("KEY" + QByteArray::number(k) + "\r\n", QByteArray(1, char('A' + k - 1)) + "\r\n");
    IndicatorModel model;
    readCatalog(bytes, model);
    return model;
}

IndicatorModel shippedModel()
{
    IndicatorModel model;
    loadCatalogFile(QStringLiteral(ZORIS_SHIPPED_DATA "/DEFAULT.lng"), model);
    return model;
}

QStringList reasonsOf(const QList<Finding> &findings)
{
    QStringList reasons;
    for (const Finding &finding : findings)
        reasons << QStringLiteral("%1:%2:%3").arg(finding.school).arg(finding.indicator).arg(finding.reason);
    return reasons;
}

} // namespace

class tst_Checks : public QObject
{
    Q_OBJECT

private slots:
    void unitRules_data();
    void unitRules();
    void rulesFileFaults_data();
    void rulesFileFaults();
    void ruleBreaches_data();
    void ruleBreaches();
    void shippedRules_data();
    void shippedRules();
    void outliers_data();
    void outliers();
    void incrementalMatchesFullCheck();
    void failedValuesText_data();
    void failedValuesText();
    void commandLine_data();
    void commandLine();
};

void tst_Checks::unitRules_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("reason"); // empty: passes

    const QString negative = QStringLiteral("значення не може бути від'ємним: -0,5");
    QTest::newRow("count 0") << "осіб" << QByteArray("C") << 0.0 << "";
    QTest::newRow("count -0,5") << "осіб" << QByteArray("C") << -0.5 << negative;
    QTest::newRow("2,5 pupils") << "осіб" << QByteArray("C") << 2.5 << "кількість має бути цілим числом: 2,5";
    QTest::newRow("half a copy") << "прим." << QByteArray("C") << 0.5 << "кількість має бути цілим числом: 0,5";
    QTest::newRow("18500 classes") << "од." << QByteArray("C") << 18500.0 << "";
    QTest::newRow("analytical mean of pupils") << "осіб" << QByteArray("A") << 2.5 << "";
    QTest::newRow("% 0") << "%" << QByteArray("A") << 0.0 << "";
    QTest::newRow("% 100") << "%" << QByteArray("A") << 100.0 << "";
    QTest::newRow("% 100,01") << "%" << QByteArray("A") << 100.01 << "відсоток має бути від 0 до 100: 100,01";
    QTest::newRow("% -0,5") << "%" << QByteArray("A") << -0.5 << negative;
    QTest::newRow("тис. грн -0,5") << "тис. грн" << QByteArray("C") << -0.5 << negative;
    QTest::newRow("кв. м 2,5") << "кв. м" << QByteArray("C") << 2.5 << "";
    QTest::newRow("Мбіт/с -0,5") << "Мбіт/с" << QByteArray("C") << -0.5 << negative;
    QTest::newRow("unknown unit") << "кг" << QByteArray("C") << -0.5 << "";
}

void tst_Checks::unitRules()
{
    QFETCH(QString, unit);
    QFETCH(QByteArray, kind);
    QFETCH(double, value);
    QFETCH(QString, reason);
    QCOMPARE(unitBreach(unitRuleFor(toCp1251(unit), kind), value).value_or(QString()), reason);
}

void tst_Checks::rulesFileFaults_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("fault"); // empty: the line is a rule

    QTest::newRow("a rule with its words") << "A = B + C - 2,5 ; слова" << "";
    QTest::newRow("no comparison") << "A B" << "рядок 3: немає порівняння (=, <=, >=, <, >)";
    QTest::newRow("two comparisons") << "A <= B <= C" << "рядок 3: два порівняння в одному правилі";
    QTest::newRow("two labels on the left") << "A + B = C" << "рядок 3: ліворуч від порівняння має стояти один показник";
    QTest::newRow("a number on the left") << "5 >= A" << "рядок 3: ліворуч від порівняння має стояти один показник";
    QTest::newRow("nothing on the right") << "A = ; слова" << "рядок 3: праворуч від порівняння немає виразу";
    QTest::newRow("unknown label") << "A = K9_99" << "рядок 3: показника «K9_99» немає в каталозі";
    QTest::newRow("unknown label on the left") << "Z = A" << "рядок 3: показника «Z» немає в каталозі";
    QTest::newRow("two signs") << "A = B + - C" << "рядок 3: два знаки поспіль";
    QTest::newRow("ends with a sign") << "A = B +" << "рядок 3: вираз закінчується знаком";
    QTest::newRow("starts with +") << "A = + B" << "рядок 3: вираз починається знаком «+»";
    QTest::newRow("no sign between") << "A = B C" << "рядок 3: між «B» і «C» немає знака + або -";
    QTest::newRow("not a number") << "A = 1,2,3" << "рядок 3: «1,2,3» не є числом";
}

// Line 3 after a comment and a blank line: one rule or one fault with its line number.
void tst_Checks::rulesFileFaults()
{
    QFETCH(QString, line);
    QFETCH(QString, fault);
    const IndicatorModel model = lettersModel();
    const RuleSet set = readRules(toCp1251(QStringLiteral("# правила\r\n\r\n") + line + QStringLiteral("\r\n")), model);
    QCOMPARE(set.rules.size(), fault.isEmpty() ? 1 : 0);
    if (fault.isEmpty()) {
        QCOMPARE(set.rules[0].line, 3);
        QCOMPARE(set.rules[0].note, QStringLiteral("слова"));
        QCOMPARE(ruleText(set.rules[0]), QStringLiteral("A (K) = B (K) + C (K) - 2,5"));
        QVERIFY(set.faults.isEmpty());
    } else {
        QCOMPARE(rulesFaultsText(set.faults),
                 QStringLiteral("У файлі правил DEFAULT.chk пропущено те, що не вдалося прочитати:\n") + fault);
    }
}

void tst_Checks::ruleBreaches_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QList<double>>("values"); // A to F
    QTest::addColumn<QString>("reason");       // empty: holds

    QTest::newRow("sum broken") << "A = B + C + D ; Усього" << QList<double>{12, 4, 4, 3, 0, 0}
                                << "A (K) = B (K) + C (K) + D (K): 12 ≠ 4 + 4 + 3 (Усього)";
    QTest::newRow("sum holds") << "A = B + C + D" << QList<double>{11, 4, 4, 3, 0, 0} << "";
    QTest::newRow("sum of decimals") << "A = B + C" << QList<double>{0.3, 0.1, 0.2, 0, 0, 0} << "";
    QTest::newRow("large sum of decimals") << "A = B + C" << QList<double>{1234567.3, 1234567.1, 0.2, 0, 0, 0} << "";
    QTest::newRow("off by a hundredth") << "A = B" << QList<double>{100.01, 100, 0, 0, 0, 0} << "A (K) = B (K): 100,01 ≠ 100";
    QTest::newRow("<= at equality") << "A <= B" << QList<double>{5, 5, 0, 0, 0, 0} << "";
    QTest::newRow("< at equality") << "A < B" << QList<double>{5, 5, 0, 0, 0, 0} << "A (K) < B (K): 5 ≥ 5";
    QTest::newRow(">= broken") << "A >= B + C" << QList<double>{5, 3, 4, 0, 0, 0} << "A (K) >= B (K) + C (K): 5 < 3 + 4";
    QTest::newRow("> broken") << "A > B" << QList<double>{2, 3, 0, 0, 0, 0} << "A (K) > B (K): 2 ≤ 3";
    QTest::newRow("balance") << "A = B + C - D" << QList<double>{579, 5400, 0, 0, 0, 0} << "A (K) = B (K) + C (K) - D (K): 579 ≠ 5400 + 0 - 0";
    QTest::newRow("leading minus and a number") << "A = -B + 10" << QList<double>{7, 3, 0, 0, 0, 0} << "";
}

void tst_Checks::ruleBreaches()
{
    QFETCH(QString, rule);
    QFETCH(QList<double>, values);
    QFETCH(QString, reason);
    const RuleSet set = readRules(toCp1251(rule), lettersModel());
    QCOMPARE(set.rules.size(), 1);
    QCOMPARE(ruleBreach(set.rules[0], values).value_or(QString()), reason);
}

void tst_Checks::shippedRules_data()
{
    QTest::addColumn<PlantedValues>("values"); // the rest 0
    QTest::addColumn<QStringList>("doubtful");          // labels with a finding

    QTest::newRow("all zero") << PlantedValues{} << QStringList{};
    QTest::newRow("consistent school")
        << PlantedValues{{"K1_01", 11}, {"K1_02", 4}, {"K1_03", 5}, {"K1_04", 2}, {"K2_01", 300}, {"K2_02", 298},
                                  {"K2_03", 3}, {"K2_04", 5}, {"K2_06", 30}, {"K2_07", 20}, {"K2_08", 9}, {"K2_09", 15}}
        << QStringList{};
    QTest::newRow("classes do not add up") << PlantedValues{{"K1_01", 12}, {"K1_02", 4}, {"K1_03", 4}, {"K1_04", 3}}
                                           << QStringList{"K1_01"};
    QTest::newRow("5400 at the start, 579 at the end")
        << PlantedValues{{"K2_01", 5400}, {"K2_02", 579}} << QStringList{"K2_02"};
    QTest::newRow("more medallists than graduates")
        << PlantedValues{{"K2_02", 40}, {"K2_01", 40}, {"K2_09", 10}, {"K4_08", 8}, {"K4_09", 5}}
        << QStringList{"K2_09"};
    QTest::newRow("of whom more than all")
        << PlantedValues{{"K7_02", 10}, {"K7_03", 12}, {"K8_01", 100}, {"K8_02", 120.5}}
        << QStringList{"K7_03", "K8_02"};
    QTest::newRow("250 % carried, half a class")
        << PlantedValues{{"K1_11", 250}, {"K1_09", 0.5}} << QStringList{"K1_09", "K1_11"};
}

void tst_Checks::shippedRules()
{
    QFETCH(PlantedValues, values);
    QFETCH(QStringList, doubtful);
    const IndicatorModel model = shippedModel();
    const RuleSet set = loadRulesFile(QStringLiteral(ZORIS_SHIPPED_DATA "/DEFAULT.chk"), model);
    QVERIFY2(set.faults.isEmpty(), qPrintable(rulesFaultsText(set.faults)));
    QVERIFY(set.rules.size() >= 15);
    QList<double> all;
    QStringList labels;
    for (const razdel &section : model.Catalog) {
        for (const pokazatel &item : section.Items) {
            labels << QString::fromLatin1(item.Key);
            all << values.value(labels.last());
        }
    }
    QStringList found;
    for (const Finding &finding : CheckPlan(model, set.rules).findings(all))
        found << labels[finding.indicator];
    QCOMPARE(found, doubtful);
}

void tst_Checks::outliers_data()
{
    QTest::addColumn<QList<double>>("schools"); // one indicator
    QTest::addColumn<QStringList>("findings");

    QTest::newRow("3 schools") << QList<double>{500, 579, 6000} << QStringList{};
    QTest::newRow("4 schools, one 14 times the median")
        << QList<double>{500, 579, 8100, 600} << QStringList{"2:0:у 14 разів більше за медіану інших закладів (579)"};
    QTest::newRow("5 schools, one a twelfth")
        << QList<double>{500, 579, 48, 600, 580}
        << QStringList{"2:0:у 12 разів менше за медіану інших закладів (579,5)"};
    QTest::newRow("5 schools, one at 0") << QList<double>{500, 579, 0, 600, 580} << QStringList{};
    QTest::newRow("a planted 7000 among zeros and 579s")
        << QList<double>{579, 0, 7000, 581, 0, 579}
        << QStringList{"2:0:у 12 разів більше за медіану інших закладів (579)"};
    QTest::newRow("a negative value")
        << QList<double>{500, 579, -3, 600, 580}
        << QStringList{"2:0:менше за десяту частину медіани інших закладів (579,5)"};
    QTest::newRow("within one unit of a small median") << QList<double>{0.05, 0.05, 0.9, 0.05} << QStringList{};
    QTest::newRow("one unit and more away") << QList<double>{0.05, 0.05, 1.1, 0.05}
        << QStringList{"2:0:у 22 рази більше за медіану інших закладів (0,05)"};
    QTest::newRow("5 schools, exactly ten times") << QList<double>{50, 50, 500, 50, 50} << QStringList{};
    QTest::newRow("zero median") << QList<double>{0, 0, 700, 0, 0} << QStringList{};
}

void tst_Checks::outliers()
{
    QFETCH(QList<double>, schools);
    QFETCH(QStringList, findings);
    QList<QList<double>> values;
    for (double value : schools)
        values.append(QList<double>{value});
    QCOMPARE(reasonsOf(outlierFindings(values)), findings);
}

// Value after value, the marks kept up to date equal a check of everything.
void tst_Checks::incrementalMatchesFullCheck()
{
    const IndicatorModel model = lettersModel();
    const RuleSet set = readRules("A = B + C + D\r\nE <= A - B\r\nF >= 2\r\nB < C + C\r\n", model);
    QCOMPARE(set.rules.size(), 4);
    const CheckPlan plan(model, set.rules);
    ValueChecks checks;
    checks.setPlan(plan);
    QList<double> values(6, 0.0);
    QRandomGenerator random(21);
    for (int step = 0; step < 500; ++step) {
        const int indicator = random.bounded(6);
        QList<bool> before;
        for (int i = 0; i < 6; ++i)
            before << checks.isDoubtful(i);
        values[indicator] = random.bounded(8) / 2.0 - 0.5;
        QList<int> changed = checks.updateValue(indicator, values[indicator]);
        std::sort(changed.begin(), changed.end());
        QList<int> flipped;
        for (int i = 0; i < 6; ++i) {
            if (checks.isDoubtful(i) != before[i])
                flipped << i;
        }
        QCOMPARE(changed, flipped);
        const QList<Finding> full = plan.findings(values);
        QCOMPARE(reasonsOf(checks.findings()), reasonsOf(full));
        QCOMPARE(checks.doubtfulCount(), doubtfulValueCount(full));
        for (int i = 0; i < 6; ++i)
            QCOMPARE(checks.isDoubtful(i), !plan.reasons(i, values).isEmpty());
    }
}

void tst_Checks::failedValuesText_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("text");
    QTest::newRow("1") << 1 << "1 значення не пройшло перевірку";
    QTest::newRow("3") << 3 << "3 значення не пройшли перевірку";
    QTest::newRow("5") << 5 << "5 значень не пройшли перевірку";
    QTest::newRow("11") << 11 << "11 значень не пройшли перевірку";
    QTest::newRow("21") << 21 << "21 значення не пройшло перевірку";
    QTest::newRow("112") << 112 << "112 значень не пройшли перевірку";
}

void tst_Checks::failedValuesText()
{
    QFETCH(int, count);
    QFETCH(QString, text);
    QCOMPARE(::failedValuesText(count), text);
}

void tst_Checks::commandLine_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("errors");

    QTest::newRow("passes") << QStringList{"zero.zrs"} << 0 << "" << "";
    QTest::newRow("doubtful") << QStringList{"zero.zrs", "bad.zrs"} << 1
                              << "Школа №5\tK1_01 (Кл)\t12\tK1_01 (Кл) = K1_02 (Кл1) + K1_03 (Кл2) + K1_04 (Кл3): 12 ≠ 4 + 4 + 3 "
                                 "(Усього класів = початкові + основні + старші)\n"
                                 "Школа №5\tK1_09 (ГПД)\t0,5\tкількість має бути цілим числом: 0,5\n"
                              << "";
    QTest::newRow("unreadable") << QStringList{"missing.zrs", "bad.zrs"} << 2
                                << "Школа №5\tK1_01 (Кл)\t12\tK1_01 (Кл) = K1_02 (Кл1) + K1_03 (Кл2) + K1_04 (Кл3): 12 ≠ 4 + 4 + 3 "
                                   "(Усього класів = початкові + основні + старші)\n"
                                   "Школа №5\tK1_09 (ГПД)\t0,5\tкількість має бути цілим числом: 0,5\n"
                                << "Файл \"missing.zrs\": File not found\n";
}

// The shipped catalogue and rules; an all-zero school and one with two doubtful values.
void tst_Checks::commandLine()
{
    QFETCH(QStringList, files);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(QString, errors);
    QTemporaryDir dir;
    for (const char *name : {"DEFAULT.lng", "DEFAULT.chk"})
        QVERIFY(QFile::copy(QStringLiteral(ZORIS_SHIPPED_DATA "/") + QLatin1String(name), dir.filePath(QLatin1String(name))));
    const IndicatorModel model = shippedModel();
    const QHash<QByteArray, double> bad{{"K1_01", 12}, {"K1_02", 4}, {"K1_03", 4}, {"K1_04", 3}, {"K1_09", 0.5}};
    for (const auto &[name, school, planted] : {std::tuple{"zero.zrs", "Нульова", QHash<QByteArray, double>{}},
                                                std::tuple{"bad.zrs", "Школа №5", bad}}) {
        QByteArray bytes = model.CatalogYear + "\r\n" + toCp1251(QString::fromUtf8(school)) + "\r\n";
        for (const razdel &section : model.Catalog) {
            for (const pokazatel &item : section.Items)
                bytes += item.Key + "\r\n" + QByteArray::number(planted.value(item.Key), 'E', 14) + "\r\n";
        }
        writeBytes(dir.filePath(QLatin1String(name)), bytes);
    }
    QProcess zoris;
    zoris.setWorkingDirectory(dir.path());
    zoris.start(QStringLiteral(ZORIS_PROGRAM), QStringList{QStringLiteral("--check")} + files);
    QVERIFY(zoris.waitForFinished(30000));
    QCOMPARE(zoris.exitCode(), exitCode);
    QCOMPARE(QString::fromUtf8(zoris.readAllStandardOutput()), output);
    QCOMPARE(QString::fromUtf8(zoris.readAllStandardError()), errors);
}

QTEST_MAIN(tst_Checks)
#include "tst_checks.moc"
