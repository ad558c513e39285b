#pragma once

#include <QByteArray>

// Catalogue files of any size for tests and benchmarks: 20 indicators a section, wordings of
// realistic lengths made from real Ukrainian words, in Windows-1251 with CR LF.
QByteArray generatedCatalogue(int indicators, const QByteArray &year = "2026");
