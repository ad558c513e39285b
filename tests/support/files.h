#pragma once

// Files as the tests write and read them back, byte for byte.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// The file's bytes, or "<unreadable>" so that a missing file never equals an empty one.
inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Makes path the process's temporary folder (TMPDIR on Linux, TMP and TEMP on Windows), so
// that what a job leaves there is the test's.
inline void useAsTempPath(const QString &path)
{
    for (const char *name : {"TMPDIR", "TMP", "TEMP"})
        qputenv(name, QFile::encodeName(QDir::toNativeSeparators(path)));
}

// Everything in a folder, hidden temporary files included.
inline QStringList folderEntries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}
