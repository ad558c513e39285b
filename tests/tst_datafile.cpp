#include "core/errors.h"
#include "indicators/catalogfile.h"
#include "indicators/datafile.h"
#include "indicators/encoding.h"
#include "platform/files/fileio.h"
#include "support/files.h"

#include <QtTest>

#include <cmath>
#include <random>

namespace {

IndicatorModel twoIndicators()
{
    IndicatorModel m;
    m.CatalogYear = "2008";
    m.SchoolName = toCp1251(u"Середня школа №5");
    razdel s;
    s.Name = "S";
    s.Items.append(pokazatel{"n1", 25, "k1", {}, {}, "C", {}});
    s.Items.append(pokazatel{"n2", 0, "k2", {}, {}, "A", {}});
    m.Catalog.append(s);
    return m;
}

} // namespace

class tst_DataFile : public QObject
{
    Q_OBJECT

private slots:
    void workedExample();
    void emptyCatalogueWritesHeaderOnly();
    void proposedName_data();
    void proposedName();
    void extension_data();
    void extension();
    void parse_data();
    void parse();
    void badNumberRaises_data();
    void badNumberRaises();
    void applyReplacesKeysAndValues();
    void shippedCatalogueRoundTrip();
    void saveReplacesAtomically();
    void saveFailures_data();
    void saveFailures();
    void readFailures_data();
    void readFailures();
    void hostileFiles_data();
    void hostileFiles();
    void cutAtEveryByte();
};

void tst_DataFile::workedExample()
{
    const QByteArray expected = "2008\r\n" + toCp1251(u"Середня школа №5")
        + "\r\nk1\r\n 2.50000000000000E+0001\r\nk2\r\n 0.00000000000000E+0000\r\n";
    QCOMPARE(dataFileBytes(twoIndicators()), expected);
}

void tst_DataFile::emptyCatalogueWritesHeaderOnly()
{
    IndicatorModel m;
    m.SchoolName = "X";
    QCOMPARE(dataFileBytes(m), QByteArray("\r\nX\r\n"));
}

void tst_DataFile::proposedName_data()
{
    QTest::addColumn<QString>("school");
    QTest::addColumn<QByteArray>("year");
    QTest::addColumn<QString>("proposed");
    QTest::newRow("school and year") << "Середня школа №5" << QByteArray("2008") << "Середня школа №5(2008)";
    QTest::newRow("empty year") << "Ліцей" << QByteArray() << "Ліцей()";
}

void tst_DataFile::proposedName()
{
    QFETCH(QString, school);
    QFETCH(QByteArray, year);
    QFETCH(QString, proposed);
    IndicatorModel m;
    m.SchoolName = toCp1251(school);
    m.CatalogYear = year;
    QCOMPARE(proposedDataFileName(m), proposed);
}

void tst_DataFile::extension_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("saved");
    QTest::newRow("appended") << "report" << "report.zrs";
    QTest::newRow("kept") << "report.zrs" << "report.zrs";
    QTest::newRow("case-sensitive") << "report.ZRS" << "report.ZRS.zrs";
    QTest::newRow("other extension") << "report.txt" << "report.txt.zrs";
    QTest::newRow("with folder") << "/tmp/a b/report" << "/tmp/a b/report.zrs";
}

void tst_DataFile::extension()
{
    QFETCH(QString, chosen);
    QFETCH(QString, saved);
    QCOMPARE(withDataFileExtension(chosen), saved);
}

void tst_DataFile::parse_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<QByteArray>>("keys");
    QTest::addColumn<QList<double>>("values");
    QTest::newRow("as written") << dataFileBytes(twoIndicators()) << 2 << QList<QByteArray>{"k1", "k2"}
                                << QList<double>{25, 0};
    QTest::newRow("fewer pairs") << QByteArray("2008\r\nS\r\nk1\r\n 1.5E+0000\r\n") << 3
                                 << QList<QByteArray>{"k1", "", ""} << QList<double>{1.5, 0, 0};
    QTest::newRow("more pairs ignored") << QByteArray("2008\r\nS\r\na\r\n1\r\nb\r\n2\r\nc\r\n3\r\n") << 2
                                        << QList<QByteArray>{"a", "b"} << QList<double>{1, 2};
    QTest::newRow("leading blanks and text after") << QByteArray("2008\r\nS\r\na\r\n   7.5 kg\r\nb\r\n8\r\n") << 2
                                                   << QList<QByteArray>{"a", "b"} << QList<double>{7.5, 8};
    QTest::newRow("blank line before the number")
        << QByteArray("2008\r\nS\r\na\r\n\r\n 4\r\nb\r\n5\r\n") << 2 << QList<QByteArray>{"a", "b"}
        << QList<double>{4, 5};
    QTest::newRow("LF only") << QByteArray("2008\nS\na\n3\n") << 1 << QList<QByteArray>{"a"} << QList<double>{3};
    QTest::newRow("no indicators") << QByteArray("2008\r\nS\r\n") << 0 << QList<QByteArray>{} << QList<double>{};
}

void tst_DataFile::parse()
{
    QFETCH(QByteArray, file);
    QFETCH(int, count);
    QFETCH(QList<QByteArray>, keys);
    QFETCH(QList<double>, values);
    const DataFileContents contents = parseDataFile(file, count);
    QCOMPARE(contents.year, QByteArray("2008"));
    QCOMPARE(contents.keys, keys);
    QCOMPARE(contents.values, values);
}

void tst_DataFile::badNumberRaises_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("comma separator") << QByteArray("2008\r\nS\r\na\r\n2,5\r\n");
    QTest::newRow("letters") << QByteArray("2008\r\nS\r\na\r\nabc\r\n");
    QTest::newRow("overflow") << QByteArray("2008\r\nS\r\na\r\n1E+9999\r\n");
}

void tst_DataFile::badNumberRaises()
{
    QFETCH(QByteArray, file);
    try {
        parseDataFile(file, 1);
        QFAIL("no error");
    } catch (const IoError &error) {
        QCOMPARE(error.code(), 106);
        QCOMPARE(error.message(), QStringLiteral("Invalid numeric input"));
    }
}

void tst_DataFile::applyReplacesKeysAndValues()
{
    IndicatorModel m = twoIndicators();
    applyDataFile(parseDataFile("2008\r\nNew\r\nx\r\n3\r\n", 2), m);
    QCOMPARE(m.SchoolName, QByteArray("New"));
    QCOMPARE(m.Catalog[0].Items[0].Key, QByteArray("x"));
    QCOMPARE(m.Catalog[0].Items[0].Value, 3.0);
    QCOMPARE(m.Catalog[0].Items[1].Key, QByteArray());
    QCOMPARE(m.Catalog[0].Items[1].Value, 0.0);
}

void tst_DataFile::shippedCatalogueRoundTrip()
{
    IndicatorModel m;
    QCOMPARE(loadCatalogFile(ZORIS_SHIPPED_DATA "/DEFAULT.lng", m), CatalogLoad::Loaded);
    QCOMPARE(m.CatalogYear, QByteArray("2026"));
    QVERIFY(m.Catalog.size() >= 8);
    QVERIFY(m.indicatorCount() >= 80);
    std::mt19937_64 random(20261209);
    std::uniform_int_distribution<long long> digits(0, 999999999999999LL);
    std::uniform_int_distribution<int> exponent(-20, 20);
    QList<double> values;
    for (razdel &s : m.Catalog) {
        for (pokazatel &item : s.Items) {
            // At most 15 significant digits, as a user can type them.
            const QString text = QString::number(digits(random)) + QStringLiteral("E%1").arg(exponent(random));
            item.Value = text.toDouble();
            values.append(item.Value);
        }
    }
    QTemporaryDir dir;
    const QString path = dir.filePath("school(2026).zrs");
    writeDataFile(path, m);
    const DataFileContents back = readDataFile(path, m.indicatorCount());
    QCOMPARE(back.year, m.CatalogYear);
    QCOMPARE(back.schoolName, m.SchoolName);
    qsizetype k = 0;
    for (const razdel &s : m.Catalog) {
        for (const pokazatel &item : s.Items) {
            QCOMPARE(back.keys[k], item.Key);
            QCOMPARE(std::memcmp(&back.values[k], &values[k], sizeof(double)), 0);
            ++k;
        }
    }
}

void tst_DataFile::saveReplacesAtomically()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.zrs");
    writeDataFile(path, twoIndicators());
    IndicatorModel other = twoIndicators();
    other.Catalog[0].Items[0].Value = 7;
    writeDataFile(path, other);
    QCOMPARE(readBytes(path), dataFileBytes(other));
    QCOMPARE(folderEntries(dir.path()), QStringList{"a.zrs"});
}

void tst_DataFile::saveFailures_data()
{
    QTest::addColumn<QString>("target"); // relative to a fresh folder; "/..." is absolute
    QTest::addColumn<int>("code");
    QTest::newRow("folder that does not exist") << "missing/a.zrs" << 2;
    QTest::newRow("target is a folder") << "folder" << 5;
    QTest::newRow("read-only file") << "readonly.zrs" << 5;
#ifndef _WIN32
    QTest::newRow("full device") << "/dev/full" << 101;
#endif
}

void tst_DataFile::saveFailures()
{
    QFETCH(QString, target);
    QFETCH(int, code);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("folder"));
    const QString readOnly = dir.filePath("readonly.zrs");
    writeBytes(readOnly, "old");
    QVERIFY(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const QStringList before = folderEntries(dir.path());
    const QString path = target.startsWith('/') ? target : dir.filePath(target);
    try {
        writeDataFile(path, twoIndicators());
        QFAIL("no error");
    } catch (const IoError &error) {
        QCOMPARE(error.code(), code);
    }
    QCOMPARE(folderEntries(dir.path()), before);
    QCOMPARE(readBytes(readOnly), QByteArray("old"));
}

void tst_DataFile::readFailures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("code");
    QTest::newRow("missing") << "nothing.zrs" << 2;
    QTest::newRow("folder") << "folder" << 5;
    QTest::newRow("empty name") << "" << 3;
}

void tst_DataFile::readFailures()
{
    QFETCH(QString, name);
    QFETCH(int, code);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("folder"));
    try {
        readDataFile(name.isEmpty() ? QString() : dir.filePath(name), 1);
        QFAIL("no error");
    } catch (const IoError &error) {
        QCOMPARE(error.code(), code);
    }
}

void tst_DataFile::hostileFiles_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("reads");
    QTest::newRow("empty") << QByteArray() << true;
    QByteArray junk(4096, '\0');
    for (int i = 0; i < junk.size(); ++i)
        junk[i] = char((i * 7919) % 251);
    QTest::newRow("binary junk ended early by 0x1a") << junk << true;
    junk.replace('\x1a', "\x1b");
    QTest::newRow("binary junk") << junk << false;
    QTest::newRow("100 MB line") << QByteArray("2026\r\n") + QByteArray(100 << 20, 'x') << true;
    QTest::newRow("100 MB number") << QByteArray("2026\r\nS\r\nk\r\n") + QByteArray(100 << 20, '7') << false;
    QTest::newRow("only line ends") << QByteArray(1 << 20, '\n') << true;
}

void tst_DataFile::hostileFiles()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, reads);
    bool read = true;
    try {
        parseDataFile(file, 3);
    } catch (const IoError &error) {
        QCOMPARE(error.code(), 106);
        read = false;
    }
    QCOMPARE(read, reads);
}

void tst_DataFile::cutAtEveryByte()
{
    const QByteArray whole = dataFileBytes(twoIndicators());
    for (qsizetype n = 0; n <= whole.size(); ++n) {
        try {
            const DataFileContents contents = parseDataFile(whole.left(n), 2);
            QCOMPARE(contents.values.size(), 2);
            // " 2.50000000000000E+0001" cut short reads as 2, 2.5 or 25; the second value as 0.
            QVERIFY2(QList<double>({0, 2, 2.5, 25}).contains(contents.values[0]), qPrintable(QString::number(n)));
            QCOMPARE(contents.values[1], 0.0);
        } catch (const IoError &error) {
            QCOMPARE(error.code(), 106); // a number cut in its exponent
        }
    }
}

QTEST_APPLESS_MAIN(tst_DataFile)
#include "tst_datafile.moc"
