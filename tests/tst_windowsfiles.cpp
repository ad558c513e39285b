#include "core/errors.h"
#include "platform/files/fileio.h"
#include "support/files.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace {

const QString HeldOpen = QStringLiteral("Файл відкрито в іншій програмі: закрийте його там і спробуйте ще раз");

// Another program's handle on the file, opened without sharing it, until destroyed.
class ExclusiveHandle
{
public:
    explicit ExclusiveHandle(const QString &path)
        : m_handle(CreateFileW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()),
                               GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                               nullptr))
    {
    }
    ~ExclusiveHandle()
    {
        if (ok())
            CloseHandle(m_handle);
    }
    ExclusiveHandle(const ExclusiveHandle &) = delete;
    ExclusiveHandle &operator=(const ExclusiveHandle &) = delete;
    bool ok() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;
};

// The code and message of what the call threw; 0 and nothing when it did not.
template<typename Call>
std::pair<int, QString> failure(Call call)
{
    try {
        call();
    } catch (const IoError &error) {
        return {error.code(), error.message()};
    }
    return {0, QString()};
}

} // namespace

class tst_WindowsFiles : public QObject
{
    Q_OBJECT

private slots:
    void ukrainianNames();
    void writeFaultsKeepTheOldFile_data();
    void writeFaultsKeepTheOldFile();
    void readingAFileHeldOpen();
    void errorsByMeaning_data();
    void errorsByMeaning();
};

// Written, replaced and read back under a Ukrainian folder and file name; the temporary file
// is gone after each save.
void tst_WindowsFiles::ukrainianNames()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Школа №5")));
    const QString folder = dir.filePath(QStringLiteral("Школа №5"));
    const QString path = folder + QStringLiteral("/Звіт за 2026 рік — їжак.zrs");
    writeFileAtomically(path, "first");
    writeFileAtomically(path, "second, longer");
    QCOMPARE(readWholeFile(path), QByteArray("second, longer"));
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("Звіт за 2026 рік — їжак.zrs")});
    const QString moved = folder + QStringLiteral("/Ґанок.zrs");
    moveFile(path, moved);
    QCOMPARE(readWholeFile(moved), QByteArray("second, longer"));
    QVERIFY(!fileExists(path));
}

void tst_WindowsFiles::writeFaultsKeepTheOldFile_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::newRow("read-only file") << "read-only" << int(IoError::AccessDenied) << "File access denied";
    QTest::newRow("held open by another program") << "held" << int(IoError::AccessDenied) << HeldOpen;
    QTest::newRow("folder gone") << "missing folder" << int(IoError::FileNotFound) << "File not found";
    QTest::newRow("a folder under the name") << "folder" << int(IoError::AccessDenied) << "File access denied";
}

void tst_WindowsFiles::writeFaultsKeepTheOldFile()
{
    QFETCH(QString, fault);
    QFETCH(int, code);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("школа.zrs"));
    writeBytes(path, "old");
    std::unique_ptr<ExclusiveHandle> holder;
    if (fault == "read-only") {
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser));
    } else if (fault == "held") {
        holder = std::make_unique<ExclusiveHandle>(path);
        QVERIFY(holder->ok());
    } else if (fault == "missing folder") {
        path = dir.filePath(QStringLiteral("немає/школа.zrs"));
    } else {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("тека.zrs")));
        path = dir.filePath(QStringLiteral("тека.zrs"));
    }
    QCOMPARE(failure([&] { writeFileAtomically(path, "new"); }), std::make_pair(code, message));
    holder.reset();
    QFile::setPermissions(dir.filePath(QStringLiteral("школа.zrs")), QFile::ReadOwner | QFile::WriteOwner);
    QCOMPARE(readBytes(dir.filePath(QStringLiteral("школа.zrs"))), QByteArray("old"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

void tst_WindowsFiles::readingAFileHeldOpen()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("школа.zrs"));
    writeBytes(path, "values");
    {
        const ExclusiveHandle holder(path);
        QVERIFY(holder.ok());
        QCOMPARE(failure([&] { readWholeFile(path); }), std::make_pair(int(IoError::AccessDenied), HeldOpen));
    }
    QCOMPARE(readWholeFile(path), QByteArray("values"));
}

void tst_WindowsFiles::errorsByMeaning_data()
{
    QTest::addColumn<unsigned long>("error");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::newRow("path not found") << (unsigned long)ERROR_PATH_NOT_FOUND << 2 << "File not found";
    QTest::newRow("bad name") << (unsigned long)ERROR_INVALID_NAME << 3 << "Invalid filename";
    QTest::newRow("too many open") << (unsigned long)ERROR_TOO_MANY_OPEN_FILES << 4 << "Too many open files";
    QTest::newRow("write-protected") << (unsigned long)ERROR_WRITE_PROTECT << 5 << "File access denied";
    QTest::newRow("disk full") << (unsigned long)ERROR_DISK_FULL << 101 << "Disk full";
    QTest::newRow("handle disk full") << (unsigned long)ERROR_HANDLE_DISK_FULL << 101 << "Disk full";
    QTest::newRow("lock violation") << (unsigned long)ERROR_LOCK_VIOLATION << 5 << HeldOpen;
    // A system number that happens to be a code of the table means none of its messages.
    QTest::newRow("too many semaphores") << (unsigned long)ERROR_TOO_MANY_SEMAPHORES << 100 << "I/O error 100";
}

void tst_WindowsFiles::errorsByMeaning()
{
    QFETCH(unsigned long, error);
    QFETCH(int, code);
    QFETCH(QString, message);
    const IoError io = IoError::fromWindowsError(error);
    QCOMPARE(io.code(), code);
    QCOMPARE(io.message(), message);
}

QTEST_APPLESS_MAIN(tst_WindowsFiles)
#include "tst_windowsfiles.moc"
