#pragma once

#include "core/errors.h"

#include <QByteArray>
#include <QFileInfo>
#include <QString>

// No catalogue, data file or school name comes near this size; a larger file is refused.
inline constexpr qint64 MaxReadSize = qint64(256) * 1024 * 1024;

// What a file above MaxReadSize gives.
inline ZorisError fileTooLargeError(const QString &path)
{
    return ZorisError(QStringLiteral("Файл \"%1\" завеликий: програма читає файли не більші за %2 МБ")
                          .arg(QFileInfo(path).fileName())
                          .arg(MaxReadSize / (1024 * 1024)));
}

// Whole-file reading and writing; failures throw IoError with the code of the system's error.
// Only regular files are read: a folder, a device or a pipe gives AccessDenied without being
// read (a pipe is not waited on), and a file above MaxReadSize a ZorisError of its own.
QByteArray readWholeFile(const QString &path);
inline bool fileExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo::exists(path);
}
// Writes bytes to path through a temporary file in the same folder that replaces the target
// only when everything was written: on any failure the old file is untouched and the
// temporary file is gone; the file and its folder are on the disk when it returns. An existing
// file in a folder that may not be written is written in place instead, its old contents put
// back should that fail.
void writeFileAtomically(const QString &path, const QByteArray &bytes);
// Renames a file within its file system, replacing whatever is at to.
void moveFile(const QString &from, const QString &to);
