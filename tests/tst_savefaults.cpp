#include "core/errors.h"
#include "indicators/datafile.h"
#include "platform/files/fileio.h"
#include "support/files.h"
#include "support/smalldisk.h"

#include <QtTest>

#include <csignal>
#include <grp.h>
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
        writeDataFile(path, model);
    } catch (const IoError &error) {
        return error.code();
    }
    return 0;
}

// The error code of writing bytes to path in a child that cannot write path's folder: as the
// superuser, whom permission bits do not stop, it writes as the user "nobody".
int lockedFolderWriteError(const QString &path, const QByteArray &bytes)
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(99);
        int code = 0;
        try {
            writeFileAtomically(path, bytes);
        } catch (const IoError &error) {
            code = error.code();
        }
        ::_exit(code);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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
    void writableFileInLockedFolder_data();
    void writableFileInLockedFolder();
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
    writeDataFile(path, bigModel(10));
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
    writeDataFile(path, first);
    const QByteArray a = dataFileBytes(first);
    const QByteArray b = dataFileBytes(second);
    for (int round = 0; round < 6; ++round) {
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            for (int i = 0;; ++i)
                writeDataFile(path, i % 2 ? first : second);
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

void tst_SaveFaults::writableFileInLockedFolder_data()
{
    QTest::addColumn<bool>("full");
    QTest::addColumn<int>("code");
    QTest::newRow("written in place") << false << 0;
    QTest::newRow("full disk keeps the old file") << true << int(IoError::DiskFull);
}

// Only the file may be written: it is written where it is, shorter or longer than before; a disk
// that fills up half-way gets the old contents back. A new file there is still refused.
void tst_SaveFaults::writableFileInLockedFolder()
{
    QFETCH(bool, full);
    QFETCH(int, code);
    QTemporaryDir plain;
    SmallDisk disk(QStringLiteral("64k"));
    if (full && !disk.ok())
        QSKIP("Cannot mount a small tmpfs here (needs root).");
    const QString folder = full ? disk.path() : plain.path();
    const QString path = folder + QStringLiteral("/school(2026).zrs");
    const QByteArray old(300, 'o');
    writeBytes(path, old);
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0666), 0);
    QCOMPARE(::chmod(QFile::encodeName(folder).constData(), 0555), 0);
    const QByteArray bytes = full ? QByteArray(200 * 1024, 'n') : QByteArray("new");
    QCOMPARE(lockedFolderWriteError(path, bytes), code);
    QCOMPARE(readBytes(path), full ? old : bytes);
    QCOMPARE(lockedFolderWriteError(path + QStringLiteral(".new"), bytes), int(IoError::AccessDenied));
    QCOMPARE(folderEntries(folder), QStringList{"school(2026).zrs"});
    QCOMPARE(QFileInfo(path).permissions() & QFile::WriteOther, QFile::WriteOther);
    ::chmod(QFile::encodeName(folder).constData(), 0700);
}

QTEST_APPLESS_MAIN(tst_SaveFaults)
#include "tst_savefaults.moc"
