#include "fuzzentries.h"

#include <QtTest>

// Every input a fuzzer once failed on stays here and must pass its reader for good.
class tst_FuzzRegressions : public QObject
{
    Q_OBJECT

private slots:
    void inputs_data();
    void inputs();
};

void tst_FuzzRegressions::inputs_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("path");
    const QString root = QStringLiteral(ZORIS_FUZZ_DIR);
    for (const QString &target : {QStringLiteral("catalog"), QStringLiteral("datafile"), QStringLiteral("numbertext"),
                                  QStringLiteral("rules")}) {
        for (const char *kind : {"regressions", "seeds"}) {
            const QDir dir(root + QLatin1Char('/') + QLatin1String(kind) + QLatin1Char('/') + target);
            for (const QFileInfo &file : dir.entryInfoList(QDir::Files))
                QTest::newRow(qPrintable(target + QLatin1Char('/') + file.fileName())) << target << file.filePath();
        }
    }
}

void tst_FuzzRegressions::inputs()
{
    QFETCH(QString, target);
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const auto *data = reinterpret_cast<const std::uint8_t *>(bytes.constData());
    if (target == QLatin1String("catalog"))
        fuzzCatalog(data, size_t(bytes.size()));
    else if (target == QLatin1String("datafile"))
        fuzzDataFile(data, size_t(bytes.size()));
    else if (target == QLatin1String("numbertext"))
        fuzzNumberText(data, size_t(bytes.size()));
    else
        fuzzRules(data, size_t(bytes.size()));
}

QTEST_APPLESS_MAIN(tst_FuzzRegressions)
#include "tst_fuzzregressions.moc"
