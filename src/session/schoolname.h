#pragma once

#include <QByteArray>
#include <QString>

inline constexpr char SchoolNameFileName[] = "school_name.dat";

// The school's name is the file's first line, taken whole. Throws IoError.
QByteArray readSchoolNameFile(const QString &path);
// The file anew, holding name as its only line. Throws IoError.
void writeSchoolNameFile(const QString &path, const QByteArray &name);
