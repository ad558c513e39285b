#include "fileio.h"

#include "core/errors.h"

#include <QDir>
#include <QRandomGenerator>

#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string>
#include <utility>

namespace {

class FileHandle
{
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle() { close(); }
    FileHandle(const FileHandle &) = delete;
    FileHandle &operator=(const FileHandle &) = delete;
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_handle; }
    void reset(HANDLE handle)
    {
        close();
        m_handle = handle;
    }
    // False with the system's error when the last writes could not be completed.
    bool close()
    {
        const bool closed = !valid() || CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE m_handle;
};

[[noreturn]] void throwLastError()
{
    throw IoError::fromWindowsError(GetLastError());
}

// Wide characters, so that Ukrainian folder and file names reach the system as they are; the
// long form lets paths beyond MAX_PATH through.
std::wstring nativePath(const QString &path)
{
    if (path.isEmpty() || path.contains(QChar(0)))
        throw IoError(IoError::InvalidFilename);
    QString absolute = QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    if (absolute.size() >= MAX_PATH - 12 && !absolute.startsWith(QLatin1String("\\\\")))
        absolute.prepend(QLatin1String("\\\\?\\"));
    return absolute.toStdWString();
}

// Readers and writers of other programs may go on; only the holder of a file it opened without
// sharing it keeps this one out.
constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// 0 when everything was written, else the system's error number.
DWORD writeAll(HANDLE file, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        DWORD written = 0;
        const DWORD chunk = DWORD(qMin<qsizetype>(left, 1 << 20));
        if (!WriteFile(file, data, chunk, &written, nullptr))
            return GetLastError();
        data += written;
        left -= written;
    }
    return 0;
}

// Everything written reaches the disk, and the file ends where the bytes do.
DWORD finishFile(HANDLE file)
{
    if (!SetEndOfFile(file) || !FlushFileBuffers(file))
        return GetLastError();
    return 0;
}

// A file that may be written in a folder that may not (a shared folder where only the school's
// file is the user's): no temporary file can be made beside it, so it is written where it is.
// Should that fail half-way, the old contents are put back, as far as the file still takes them.
void overwriteRegularFile(const QString &path, const std::wstring &name, const QByteArray &bytes)
{
    const QByteArray old = readWholeFile(path);
    FileHandle file(CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr));
    if (!file.valid())
        throwLastError();
    DWORD error = writeAll(file.get(), bytes);
    if (error == 0)
        error = finishFile(file.get());
    if (error != 0) {
        // As far as it goes: the error that stopped the save is the one reported.
        if (SetFilePointer(file.get(), 0, nullptr, FILE_BEGIN) == 0 && writeAll(file.get(), old) == 0)
            finishFile(file.get());
        throw IoError::fromWindowsError(error);
    }
    if (!file.close())
        throwLastError();
}

// A new file beside the target, under a name no other file has: "<folder>\.<name>.<random>".
// Returns its name, and 0 or the system's error why it could not be made.
std::pair<std::wstring, DWORD> createTemporaryBeside(const QString &target, FileHandle &file)
{
    const QFileInfo info(target);
    for (int attempt = 0;; ++attempt) {
        const QString name = info.absolutePath() + QStringLiteral("/.") + info.fileName() + QLatin1Char('.')
            + QString::number(QRandomGenerator::global()->generate(), 36);
        std::wstring native = nativePath(name);
        file.reset(CreateFileW(native.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr));
        const DWORD error = file.valid() ? 0 : GetLastError();
        if (error != ERROR_FILE_EXISTS || attempt == 100)
            return {std::move(native), error};
    }
}

} // namespace

QByteArray readWholeFile(const QString &path)
{
    const std::wstring name = nativePath(path);
    // A folder cannot be opened this way: it gives "File access denied", as on Linux.
    FileHandle file(CreateFileW(name.c_str(), GENERIC_READ, ShareAll, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid())
        throwLastError();
    // Devices (CON, NUL, COM1) and pipes are not read.
    if (GetFileType(file.get()) != FILE_TYPE_DISK)
        throw IoError(IoError::AccessDenied);
    LARGE_INTEGER size {};
    if (!GetFileSizeEx(file.get(), &size))
        throwLastError();
    if (size.QuadPart > MaxReadSize)
        throw fileTooLargeError(path);
    QByteArray bytes;
    bytes.reserve(qsizetype(size.QuadPart));
    char buffer[1 << 16];
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &n, nullptr))
            throwLastError();
        if (n == 0)
            break;
        // A file that grows while it is read.
        if (bytes.size() + qsizetype(n) > MaxReadSize)
            throw fileTooLargeError(path);
        bytes.append(buffer, n);
    }
    return bytes;
}

void writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    QString target = path;
    const QFileInfo info(path);
    if (info.isSymbolicLink() && info.exists())
        target = info.canonicalFilePath();
    const std::wstring name = nativePath(target);

    bool replacing = false;
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        // A read-only file stays as it is, as a file without write permission does on Linux.
        if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))
            throw IoError(IoError::AccessDenied);
        // Another program that holds the file open without sharing it would make the
        // replacement fail at the very end; it is told before anything is written.
        FileHandle probe(CreateFileW(name.c_str(), GENERIC_WRITE, ShareAll, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!probe.valid())
            throwLastError();
        replacing = true;
    } else if (GetLastError() != ERROR_FILE_NOT_FOUND) {
        throwLastError();
    }

    FileHandle file(INVALID_HANDLE_VALUE);
    const auto [temp, createError] = createTemporaryBeside(target, file);
    if (createError != 0) {
        if (replacing && createError == ERROR_ACCESS_DENIED) {
            overwriteRegularFile(target, name, bytes);
            return;
        }
        throw IoError::fromWindowsError(createError);
    }
    auto fail = [&](DWORD error) {
        file.close();
        DeleteFileW(temp.c_str());
        throw IoError::fromWindowsError(error);
    };
    if (const DWORD error = writeAll(file.get(), bytes))
        fail(error);
    if (const DWORD error = finishFile(file.get()))
        fail(error);
    if (!file.close())
        fail(GetLastError());
    // The rename reaches the disk before the call returns.
    if (!MoveFileExW(temp.c_str(), name.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        fail(GetLastError());
}

void moveFile(const QString &from, const QString &to)
{
    if (!MoveFileExW(nativePath(from).c_str(), nativePath(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        throwLastError();
}
