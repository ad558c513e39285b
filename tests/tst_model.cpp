#include "indicators/document.h"
#include "indicators/encoding.h"
#include "indicators/finder.h"
#include "indicators/pastedvalues.h"
#include "indicators/model.h"
#include "support/models.h"

#include <QtTest>

namespace {

// Sections with 3, 0 and 2 indicators; each indicator's value is 100 * (section + 1) + item.
IndicatorModel threeZeroTwo()
{
    return modelOf({3, 0, 2}, [](pokazatel &item, int s, int i) {
        item = pokazatel{"n", double(100 * (s + 1) + i), "same key", {}, {}, "C", "same code"};
    });
}

} // namespace

class tst_Model : public QObject
{
    Q_OBJECT

private slots:
    void rows_data();
    void rows();
    void rowCount();
    void setValueAtRow_data();
    void setValueAtRow();
    void emptyCatalogue();
    void pastedValues_data();
    void pastedValues();
    void findIndicators_data();
    void findIndicators();
    void cp1251_data();
    void cp1251();
#ifndef _WIN32
    void cp1251AsIcuReadsIt();
#endif
};

void tst_Model::rows_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("section");
    QTest::addColumn<int>("item");
    QTest::addColumn<QByteArray>("title");
    QTest::newRow("0 header") << 0 << int(GridRow::Header) << -1 << -1 << QByteArray();
    QTest::newRow("1 section 1") << 1 << int(GridRow::Section) << 0 << -1 << toCp1251(u"Розділ 1");
    QTest::newRow("2 first indicator") << 2 << int(GridRow::Indicator) << 0 << 0 << QByteArray();
    QTest::newRow("4 last of section 1") << 4 << int(GridRow::Indicator) << 0 << 2 << QByteArray();
    QTest::newRow("5 empty section 2") << 5 << int(GridRow::Section) << 1 << -1 << toCp1251(u"Розділ 2");
    QTest::newRow("6 section 3") << 6 << int(GridRow::Section) << 2 << -1 << toCp1251(u"Розділ 3");
    QTest::newRow("7 its first") << 7 << int(GridRow::Indicator) << 2 << 0 << QByteArray();
    QTest::newRow("8 last row") << 8 << int(GridRow::Indicator) << 2 << 1 << QByteArray();
    QTest::newRow("9 past the end") << 9 << int(GridRow::Outside) << -1 << -1 << QByteArray();
    QTest::newRow("-1 negative") << -1 << int(GridRow::Outside) << -1 << -1 << QByteArray();
}

void tst_Model::rows()
{
    QFETCH(int, row);
    QFETCH(int, kind);
    QFETCH(int, section);
    QFETCH(int, item);
    QFETCH(QByteArray, title);
    const IndicatorModel m = threeZeroTwo();
    const RowMap &rows = m.rows();
    const GridRow at = rows.at(row);
    QCOMPARE(int(at.kind), kind);
    QCOMPARE(at.section, section);
    QCOMPARE(at.item, item);
    QCOMPARE(m.SectionTitleAtRow(row), title);
    if (at.kind == GridRow::Section)
        QCOMPARE(rows.sectionRow(section), row);
    if (at.kind == GridRow::Indicator) {
        QCOMPARE(at.indicator, rows.indicatorIndex(section, item));
        QCOMPARE(rows.indicatorRow(at.indicator), row);
        QCOMPARE(rows.ofIndicator(at.indicator).item, item);
    }
}

void tst_Model::rowCount()
{
    QCOMPARE(threeZeroTwo().rows().gridRowCount(), 9);
    QCOMPARE(threeZeroTwo().indicatorCount(), 5);
}

void tst_Model::setValueAtRow_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QList<double>>("after");
    const QList<double> unchanged{100, 101, 102, 300, 301};
    QTest::newRow("header") << 0 << unchanged;
    QTest::newRow("section row") << 1 << unchanged;
    QTest::newRow("third section's own row") << 6 << unchanged;
    QTest::newRow("negative") << -3 << unchanged;
    QTest::newRow("past the last") << 9 << unchanged;
    QTest::newRow("row 2") << 2 << QList<double>{-1, 101, 102, 300, 301};
    QTest::newRow("row 7: first of the third section") << 7 << QList<double>{100, 101, 102, -1, 301};
    QTest::newRow("row 8") << 8 << QList<double>{100, 101, 102, 300, -1};
}

void tst_Model::setValueAtRow()
{
    QFETCH(int, row);
    QFETCH(QList<double>, after);
    IndicatorModel m = threeZeroTwo();
    IndicatorDocument document(m);
    document.setValue(m.rows().indicatorAt(row), -1);
    QCOMPARE(values(m), after);
    QCOMPARE(document.unsaved(), after != values(threeZeroTwo()));
}

void tst_Model::emptyCatalogue()
{
    IndicatorModel m;
    IndicatorDocument document(m);
    QCOMPARE(m.rows().gridRowCount(), 1);
    for (int row = -1; row < 3; ++row)
        document.setValue(m.rows().indicatorAt(row), 5);
    QCOMPARE(m.rows().at(1).kind, GridRow::Outside);
    QVERIFY(!document.unsaved());
}

// Two sections of two indicators with labels L1 to L4 and designations D1 to D4.
IndicatorModel labelled()
{
    return modelOf({2, 0, 2}, [](pokazatel &item, int s, int j) {
        const int n = (s == 0 ? 1 : 3) + j;
        item.Key = "L" + QByteArray::number(n);
        item.Code = "D" + QByteArray::number(n);
        item.Name = toCp1251(n == 2 ? u"Кількість учнів на кінець року" : n == 3 ? u"Частка об’єктів" : u"Кількість класів");
    });
}

void tst_Model::pastedValues_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("at");
    QTest::addColumn<QString>("outcome"); // indicator=value pairs, or the refused line and why

    QTest::newRow("one number") << "5" << 1 << "1=5";
    QTest::newRow("column, spreadsheet's last line break") << "1\n2,5\r\n3\n" << 1 << "1=1 2=2.5 3=3";
    QTest::newRow("thousands and full stop") << QString::fromUtf8("1 234,5\n1\u00a0000.25\n2\u2009000") << 0
                                             << "0=1234.5 1=1000.25 2=2000";
    QTest::newRow("empty line stores nothing") << "1\n\n3" << 0 << "0=1 2=3";
    QTest::newRow("by label and designation") << "L4\t7\nD1\t1,5" << 0 << "3=7 0=1.5";
    QTest::newRow("no number") << "1\nabc" << 0 << "2 не число";
    QTest::newRow("negative") << "-2" << 0 << "1 від'ємне число";
    QTest::newRow("unknown label") << "L1\t1\nL9\t2" << 0 << "2 такого позначення немає в каталозі";
    QTest::newRow("label without number") << "L1\t" << 0 << "1 не число";
    QTest::newRow("more lines than below") << "1\n2\n3" << 2 << "3 для нього немає показника нижче";
    QTest::newRow("no value cell") << "1" << -1 << "1 для нього немає показника нижче";
}

void tst_Model::pastedValues()
{
    QFETCH(QString, text);
    QFETCH(int, at);
    QFETCH(QString, outcome);
    const std::variant<PastedValues, PasteRefusal> pasted = readPastedValues(text, labelled(), at);
    QStringList got;
    if (const auto *refusal = std::get_if<PasteRefusal>(&pasted)) {
        got << QString::number(refusal->line) + QLatin1Char(' ') + refusal->reason;
        QVERIFY(pasteRefusalText(*refusal).contains(refusal->text));
    } else {
        const PastedValues &values = std::get<PastedValues>(pasted);
        for (qsizetype k = 0; k < values.indicators.size(); ++k)
            got << QStringLiteral("%1=%2").arg(values.indicators[k]).arg(values.values[k]);
    }
    QCOMPARE(got.join(QLatin1Char(' ')), outcome);
}

void tst_Model::findIndicators_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QList<int>>("found");
    QTest::newRow("one word") << QStringLiteral("кількість") << QList<int>{0, 1, 3};
    QTest::newRow("words anywhere, any case") << QStringLiteral("УЧНІВ кількість") << QList<int>{1};
    QTest::newRow("label") << QStringLiteral("l3") << QList<int>{2};
    QTest::newRow("designation") << QStringLiteral("D4") << QList<int>{3};
    QTest::newRow("apostrophes alike") << QStringLiteral("об'єктів") << QList<int>{2};
    QTest::newRow("nothing") << QStringLiteral("вчителів") << QList<int>{};
    QTest::newRow("blank query") << QStringLiteral("  ") << QList<int>{};
}

void tst_Model::findIndicators()
{
    QFETCH(QString, query);
    QFETCH(QList<int>, found);
    QCOMPARE(::findIndicators(labelled(), query), found);
}

void tst_Model::cp1251_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ukrainian") << "Ґанок їжак Є №" << QByteArray("\xa5\xe0\xed\xee\xea \xbf\xe6\xe0\xea \xaa \xb9");
    QTest::newRow("ascii") << "2026" << QByteArray("2026");
    QTest::newRow("unmappable becomes ?") << "a→b" << QByteArray("a?b");
    QTest::newRow("emoji is one ?") << "x😀y" << QByteArray("x?y");
    QTest::newRow("0x1a never written") << QString("a\x1a" "b") << QByteArray("a?b");
}

void tst_Model::cp1251()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(toCp1251(text), bytes);
    if (!bytes.contains('?'))
        QCOMPARE(fromCp1251(bytes), text);
}

#ifndef _WIN32
// The program's own table reads every byte as ICU's converter, which read the files before,
// does, and writes them back; the Windows Qt has no ICU to compare with.
void tst_Model::cp1251AsIcuReadsIt()
{
    QByteArray all(256, '\0');
    for (int i = 0; i < 256; ++i)
        all[i] = char(i);
    QStringDecoder icu("windows-1251", QStringDecoder::Flag::Stateless);
    QVERIFY(icu.isValid());
    const QString expected = icu.decode(all);
    QCOMPARE(fromCp1251(all), expected);
    QCOMPARE(toCp1251(QStringView(expected).mid(0x80)), all.mid(0x80));
}
#endif

QTEST_APPLESS_MAIN(tst_Model)
#include "tst_model.moc"
