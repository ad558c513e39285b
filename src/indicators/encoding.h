#pragma once

#include <QByteArray>
#include <QString>

// Windows-1251 at the screen and page boundary. A character the code page lacks becomes "?":
// it must never become byte 0x1A, which ends a text file.
QString fromCp1251(QByteArrayView bytes);
QByteArray toCp1251(QStringView text);
