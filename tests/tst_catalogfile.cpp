#include "indicators/catalogfile.h"
#include "indicators/textfile.h"
#include "core/errors.h"

#include <QtTest>

namespace {

// The model as one line: year, then per section "title[key/name/source/measure/kind/code;...]".
QByteArray describe(const IndicatorModel &model)
{
    QByteArray out = model.CatalogYear;
    for (const razdel &section : model.Catalog) {
        out += '|' + section.Name + '[';
        for (const pokazatel &item : section.Items) {
            out += item.Key + '/' + item.Name + '/' + item.Source + '/' + item.Measure + '/' + item.Kind + '/'
                + item.Code + ';';
        }
        out += ']';
    }
    return out;
}

QByteArray block(const char *key, const char *kind = "C")
{
    return QByteArray(key) + "\r\nname " + key + "\r\nsrc\r\nunit\r\n" + kind + "\r\ncode\r\n";
}

} // namespace

class tst_CatalogFile : public QObject
{
    Q_OBJECT

private slots:
    void lines_data();
    void lines();
    void readerPastEnd();
    void catalogue_data();
    void catalogue();
    void valuesStartAtZero();
    void missingFileLeavesYear();
    void unreadableFileRaises();
    void cutAtEveryByteNeverHangs();
};

void tst_CatalogFile::lines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<QByteArray>>("lines");
    QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QList<QByteArray>{"a", "b"};
    QTest::newRow("lf") << QByteArray("a\nb\n") << QList<QByteArray>{"a", "b"};
    QTest::newRow("no final line end") << QByteArray("a\r\nb") << QList<QByteArray>{"a", "b"};
    QTest::newRow("lone cr dropped") << QByteArray("a\rb\r\nc") << QList<QByteArray>{"ab", "c"};
    QTest::newRow("0x1a ends the file") << QByteArray("a\r\nb\x1a\r\nc\r\n") << QList<QByteArray>{"a", "b"};
    QTest::newRow("empty lines kept") << QByteArray("\r\n\r\nx") << QList<QByteArray>{"", "", "x"};
    QTest::newRow("long line") << QByteArray(1 << 20, 'z') << QList<QByteArray>{QByteArray(1 << 20, 'z')};
}

void tst_CatalogFile::lines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QList<QByteArray>, lines);
    TextReader reader(bytes);
    QList<QByteArray> read;
    while (!reader.atEnd())
        read.append(reader.readLine());
    QCOMPARE(read, lines);
}

void tst_CatalogFile::readerPastEnd()
{
    TextReader reader("x");
    QCOMPARE(reader.readLine(), QByteArray("x"));
    QVERIFY(reader.atEnd());
    QCOMPARE(reader.readLine(), QByteArray());
    QCOMPARE(reader.readNumber(), 0.0);
}

void tst_CatalogFile::catalogue_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("model");

    QTest::newRow("worked example: two sections, second empty")
        << "2008\r\nFirst\r\n" + block("k1") + block("k2", "A") + "===\r\nSecond\r\n===\r\n"
        << QByteArray("2008|First[k1/name k1/src/unit/C/code;k2/name k2/src/unit/A/code;]|Second[]");
    QTest::newRow("no line end after the last ===")
        << "2008\r\nS\r\n" + block("k") + "===" << QByteArray("2008|S[k/name k/src/unit/C/code;]");
    QTest::newRow("LF only") << QByteArray("2008\nS\nk\nn\ns\nm\nC\nc\n===\n") << QByteArray("2008|S[k/n/s/m/C/c;]");
    QTest::newRow("empty file") << QByteArray() << QByteArray("");
    QTest::newRow("year only") << QByteArray("2026\r\n") << QByteArray("2026");
    QTest::newRow("blank lines after the last === start no section")
        << QByteArray("2008\r\nS\r\n===\r\n\r\n\r\n") << QByteArray("2008|S[]");
    QTest::newRow("blank title") << QByteArray("2008\r\n\r\n===\r\nT\r\n===\r\n") << QByteArray("2008|[]|T[]");
    QTest::newRow("blank key") << QByteArray("2008\r\nS\r\n\r\nn\r\ns\r\nm\r\nC\r\nc\r\n===\r\n")
                               << QByteArray("2008|S[/n/s/m/C/c;]");
    QTest::newRow("=== with a trailing blank is a key")
        << QByteArray("2008\r\nS\r\n=== \r\nn\r\ns\r\nm\r\nA\r\nc\r\n===\r\n") << QByteArray("2008|S[=== /n/s/m/A/c;]");
    QTest::newRow("=== as a field is text")
        << QByteArray("===\r\n===\r\nk\r\n===\r\n===\r\n===\r\n===\r\n===\r\n===\r\n")
        << QByteArray("===|===[k/===/===/===/===/===;]");
    QTest::newRow("other kind kept") << QByteArray("2008\r\nS\r\nk\r\nn\r\ns\r\nm\r\nc\r\nx\r\n===\r\n")
                                     << QByteArray("2008|S[k/n/s/m/c/x;]");
    QTest::newRow("cut inside a section keeps its indicators")
        << "2008\r\nS\r\n" + block("k1") << QByteArray("2008|S[k1/name k1/src/unit/C/code;]");
    QTest::newRow("cut inside an indicator keeps its lines")
        << QByteArray("2008\r\nS\r\nk\r\nname\r\nsrc") << QByteArray("2008|S[k/name/src///;]");
    QTest::newRow("cut after a title") << QByteArray("2008\r\nS\r\n===\r\nT") << QByteArray("2008|S[]|T[]");
    QTest::newRow("0x1a ends the catalogue")
        << QByteArray("2008\r\nS\r\n===\r\n\x1aT\r\n===\r\n") << QByteArray("2008|S[]");
}

void tst_CatalogFile::catalogue()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, model);
    IndicatorModel m;
    m.Catalog.append(razdel{"old", {}});
    readCatalog(file, m);
    QCOMPARE(describe(m), model);
}

void tst_CatalogFile::valuesStartAtZero()
{
    IndicatorModel m;
    readCatalog("2008\r\nS\r\n" + block("a") + block("b") + "===\r\n", m);
    QCOMPARE(m.indicatorCount(), 2);
    for (const pokazatel &item : m.Catalog[0].Items)
        QCOMPARE(item.Value, 0.0);
}

void tst_CatalogFile::missingFileLeavesYear()
{
    QTemporaryDir dir;
    IndicatorModel m;
    m.CatalogYear = "1999";
    m.Catalog.append(razdel{"old", {}});
    QCOMPARE(loadCatalogFile(dir.filePath("DEFAULT.lng"), m), CatalogLoad::Missing);
    QCOMPARE(m.CatalogYear, QByteArray("1999"));
    QVERIFY(m.Catalog.isEmpty());
}

void tst_CatalogFile::unreadableFileRaises()
{
    QTemporaryDir dir;
    // A folder of that name exists but cannot be read as a file.
    QVERIFY(QDir(dir.path()).mkdir("DEFAULT.lng"));
    IndicatorModel m;
    try {
        loadCatalogFile(dir.filePath("DEFAULT.lng"), m);
        QFAIL("no error");
    } catch (const IoError &error) {
        QCOMPARE(error.code(), int(IoError::AccessDenied));
    }
}

void tst_CatalogFile::cutAtEveryByteNeverHangs()
{
    const QByteArray file = "2008\r\nFirst\r\n" + block("k1") + block("k2", "A") + "===\r\nSecond\r\n===\r\n";
    for (qsizetype n = 0; n <= file.size(); ++n) {
        IndicatorModel m;
        readCatalog(file.left(n), m);
        // A cut "===" reads as the key of one more indicator.
        QVERIFY(m.Catalog.size() <= 2);
        QVERIFY(m.indicatorCount() <= 3);
        if (n == file.size())
            QCOMPARE(m.indicatorCount(), 2);
    }
}

QTEST_APPLESS_MAIN(tst_CatalogFile)
#include "tst_catalogfile.moc"
