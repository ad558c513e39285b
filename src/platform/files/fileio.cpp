#include "fileio.h"

#include "core/errors.h"

#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    int get() const { return m_fd; }
    int release()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

[[noreturn]] void throwErrno()
{
    throw IoError::fromErrno(errno);
}

QByteArray nativePath(const QString &path)
{
    if (path.isEmpty() || path.contains(QChar(0)))
        throw IoError(IoError::InvalidFilename);
    return QFile::encodeName(path);
}

[[noreturn]] void throwTooLarge(const QString &path)
{
    throw fileTooLargeError(path);
}

void requireReadableFile(const struct stat &info, const QString &path)
{
    if (!S_ISREG(info.st_mode))
        throw IoError(IoError::AccessDenied);
    if (info.st_size > MaxReadSize)
        throwTooLarge(path);
}

// 0 when everything was written, else the system's error number.
int writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += n;
        left -= n;
    }
    return 0;
}

// Devices and pipes cannot be replaced by a rename; they are written as they are. A pipe that
// no one reads is refused rather than waited on.
void writeInPlace(const QByteArray &name, const QByteArray &bytes)
{
    FileDescriptor fd(::open(name.constData(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0 && errno == ENXIO)
        throw IoError(IoError::AccessDenied);
    if (fd.get() < 0 || ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK) != 0)
        throwErrno();
    if (const int error = writeAll(fd.get(), bytes))
        throw IoError::fromErrno(error);
    if (::close(fd.release()) != 0)
        throwErrno();
}

// A file that may be written in a folder that may not (a shared folder where only the school's
// file is the user's): no temporary file can be made beside it, so it is written where it is.
// Should that fail half-way, the old contents are put back, as far as the file still takes them.
void overwriteRegularFile(const QString &path, const QByteArray &name, const QByteArray &bytes)
{
    const QByteArray old = readWholeFile(path);
    FileDescriptor fd(::open(name.constData(), O_WRONLY | O_CLOEXEC));
    if (fd.get() < 0)
        throwErrno();
    int error = writeAll(fd.get(), bytes);
    if (error == 0 && ::ftruncate(fd.get(), off_t(bytes.size())) != 0)
        error = errno;
    if (error == 0 && ::fsync(fd.get()) != 0)
        error = errno;
    if (error != 0) {
        // As far as it goes: the error that stopped the save is the one reported.
        if (::lseek(fd.get(), 0, SEEK_SET) == 0 && writeAll(fd.get(), old) == 0
            && ::ftruncate(fd.get(), off_t(old.size())) == 0)
            ::fsync(fd.get());
        throw IoError::fromErrno(error);
    }
    if (::close(fd.release()) != 0)
        throwErrno();
}

// A rename reaches the disk with its folder; without this a power cut right after a save can
// bring back the old file. A file system that cannot sync a folder has nothing to flush.
void syncFolderOf(const QByteArray &name)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(name)).absolutePath());
    FileDescriptor fd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0)
        ::fsync(fd.get());
}

} // namespace

QByteArray readWholeFile(const QString &path)
{
    const QByteArray name = nativePath(path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0)
        throwErrno();
    requireReadableFile(info, path);
    // Not blocking, in case a pipe took the name's place since the check.
    FileDescriptor fd(::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0)
        throwErrno();
    if (::fstat(fd.get(), &info) != 0)
        throwErrno();
    requireReadableFile(info, path);
    QByteArray bytes;
    bytes.reserve(qsizetype(info.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throwErrno();
        }
        if (n == 0)
            break;
        // A file that grows while it is read.
        if (bytes.size() + n > MaxReadSize)
            throwTooLarge(path);
        bytes.append(buffer, n);
    }
    return bytes;
}

void writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    QString target = path;
    const QFileInfo info(path);
    if (info.isSymLink() && info.exists())
        target = info.canonicalFilePath();
    const QByteArray name = nativePath(target);

    mode_t mode = 0;
    bool replacing = false;
    struct stat existing {};
    if (::stat(name.constData(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode))
            throw IoError::fromErrno(EISDIR);
        if (!S_ISREG(existing.st_mode)) {
            writeInPlace(name, bytes);
            return;
        }
        // A rename would replace a file that may not be written; a file without any write
        // permission is kept read-only even for the superuser.
        if (::access(name.constData(), W_OK) != 0)
            throwErrno();
        if ((existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            throw IoError::fromErrno(EACCES);
        mode = existing.st_mode & 07777;
        replacing = true;
    } else if (errno != ENOENT) {
        throwErrno();
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    const QFileInfo targetInfo(target);
    QByteArray temp = QFile::encodeName(targetInfo.absolutePath()) + "/." + QFile::encodeName(targetInfo.fileName())
        + ".XXXXXX";
    FileDescriptor fd(::mkstemp(temp.data()));
    if (fd.get() < 0) {
        if (replacing && (errno == EACCES || errno == EPERM)) {
            overwriteRegularFile(target, name, bytes);
            return;
        }
        throwErrno();
    }
    auto fail = [&](int error) {
        ::close(fd.release());
        ::unlink(temp.constData());
        throw IoError::fromErrno(error);
    };
    ::fcntl(fd.get(), F_SETFD, FD_CLOEXEC);
    if (const int error = writeAll(fd.get(), bytes))
        fail(error);
    if (::fchmod(fd.get(), mode) != 0 || ::fsync(fd.get()) != 0)
        fail(errno);
    if (::close(fd.release()) != 0) {
        const int error = errno;
        ::unlink(temp.constData());
        throw IoError::fromErrno(error);
    }
    if (::rename(temp.constData(), name.constData()) != 0) {
        const int error = errno;
        ::unlink(temp.constData());
        throw IoError::fromErrno(error);
    }
    syncFolderOf(name);
}

void moveFile(const QString &from, const QString &to)
{
    const QByteArray target = nativePath(to);
    if (::rename(nativePath(from).constData(), target.constData()) != 0)
        throwErrno();
    syncFolderOf(target);
}
