#pragma once

// Fault tests' folders: a small tmpfs of its own, for a disk that fills up or turns read-only.
// Mounting needs the right to mount, which CI has as root; callers skip when ok() is false, as
// they always do on Windows, where no test may mount a disk.

#include "support/files.h"

#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#ifndef _WIN32
#include <sys/mount.h>
#endif

class SmallDisk
{
public:
    explicit SmallDisk(const QString &size)
    {
#ifdef _WIN32
        Q_UNUSED(size);
#else
        m_ok = m_dir.isValid()
            && ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0,
                       ("size=" + size.toLatin1()).constData()) == 0;
#endif
    }
    ~SmallDisk()
    {
#ifndef _WIN32
        if (m_ok)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
#endif
    }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool ok() const { return m_ok; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    bool makeReadOnly()
    {
#ifdef _WIN32
        return false;
#else
        return ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY,
                       nullptr) == 0;
#endif
    }

private:
    QTemporaryDir m_dir;
    bool m_ok = false;
};

// Writes to path until the disk has no byte left.
inline bool fillUp(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const QByteArray chunk(4096, 'x');
    int error = 0;
    while (error == 0) {
        if (::write(fd, chunk.constData(), size_t(chunk.size())) < 0)
            error = errno;
    }
    ::close(fd);
    return error == ENOSPC;
}
