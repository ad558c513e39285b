#include "indicators/datafile.h"
#include "indicators/fileio.h"
#include "core/errors.h"
#include "smalldisk.h"
#include "support/files.h"

#include <QtTest>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

IndicatorModel bigModel(int indicators)
{
    IndicatorModel m;
    m.CatalogYear = "2026";
    m.SchoolName = "School";
    for (int i = 0; i < indicators; ++i) {
        if (i % 20 == 0)
            m.Catalog.append(razdel{"Section " + QByteArray::number(i / 20), {}});
        m.Catalog.back().Items.append(pokazatel{"n", double(i) + 0.5, "K" + QByteArray::number(i), {}, {}, "C", {}});
    }
    return m;
}

int saveError(const QString &path, const IndicatorModel &model)
{
    try {
        SaveDataFile(path, model);
    } catch (const IoError &error) {
        return error.code();
    }
    return 0;
}

} // namespace

class tst_SaveFaults : public QObject
{
    Q_OBJECT

private slots:
    void faultKeepsOldFile_data();
    void faultKeepsOldFile();
    void killedWhileSavingKeepsAWholeFile();
    void pipeWithoutReaderIsRefused();
};

void tst_SaveFaults::faultKeepsOldFile_data()
{
    QTest::addColumn<bool>("full"); // else read-only
    QTest::addColumn<int>("code");
    QTest::newRow("full disk") << true << int(IoError::DiskFull);
    QTest::newRow("read-only folder") << false << int(IoError::AccessDenied);
}

// Over the old file and beside it, the save fails and leaves the folder as it was.
void tst_SaveFaults::faultKeepsOldFile()
{
    QFETCH(bool, full);
    QFETCH(int, code);
    SmallDisk disk(QStringLiteral("64k"));
    if (!disk.ok())
        QSKIP("Cannot mount a small tmpfs here (needs root).");
    const QString path = disk.path() + QStringLiteral("/school(2026).zrs");
    SaveDataFile(path, bigModel(10));
    const QByteArray old = readBytes(path);
    if (!full)
        QVERIFY(disk.makeReadOnly());
    QCOMPARE(saveError(path, bigModel(5000)), code);
    QCOMPARE(saveError(disk.path() + QStringLiteral("/new.zrs"), bigModel(5000)), code);
    QCOMPARE(IoError(IoError::DiskFull).message(), QStringLiteral("Disk full"));
    QCOMPARE(readBytes(path), old);
    QCOMPARE(folderEntries(disk.path()), QStringList{"school(2026).zrs"});
}

// A child saves a large file over and over and is killed at some moment; the file under the
// name is always one whole version, never a part of one.
void tst_SaveFaults::killedWhileSavingKeepsAWholeFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.zrs"));
    const IndicatorModel first = bigModel(100000);
    IndicatorModel second = first;
    second.SchoolName = "Other school";
    SaveDataFile(path, first);
    const QByteArray a = dataFileBytes(first);
    const QByteArray b = dataFileBytes(second);
    for (int round = 0; round < 6; ++round) {
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            for (int i = 0;; ++i)
                SaveDataFile(path, i % 2 ? first : second);
        }
        ::usleep(useconds_t(20000 + round * 37000));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        QVERIFY(WIFSIGNALED(status));
        const QByteArray now = readBytes(path);
        QVERIFY2(now == a || now == b, qPrintable(QStringLiteral("round %1: %2 bytes").arg(round).arg(now.size())));
    }
}

// Saving under the name of a pipe no one reads fails at once instead of waiting for a reader.
void tst_SaveFaults::pipeWithoutReaderIsRefused()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pipe.zrs"));
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    QCOMPARE(saveError(path, bigModel(10)), int(IoError::AccessDenied));
    QCOMPARE(folderEntries(dir.path()), QStringList{"pipe.zrs"});
    QVERIFY(QFileInfo(path).exists() && !QFileInfo(path).isFile());
}

QTEST_APPLESS_MAIN(tst_SaveFaults)
#include "tst_savefaults.moc"
