#pragma once

#include <QByteArray>
#include <QString>

// Whole-file reading and writing; failures throw IoError with the code of the system's error.
QByteArray readWholeFile(const QString &path);
bool fileExists(const QString &path);
// Writes bytes to path through a temporary file in the same folder that replaces the target
// only when everything was written: on any failure the old file is untouched and the
// temporary file is gone.
void writeFileAtomically(const QString &path, const QByteArray &bytes);
