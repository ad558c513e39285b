#include "indicators/document.h"
#include "indicators/encoding.h"
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
