#pragma once

#include <QString>

// Makes the folder the program reads and writes its files in the current one, and returns it:
// the current folder when it holds the catalogue; else the user's data folder, which is given a
// copy of the installed catalogue (<executable's folder>/../share/zoris; on Windows the
// executable's folder itself), and of the installed rules file when it has none, so that an
// installed program runs wherever it is started. When the installed catalogue differs from the
// copy (the package brought the next year's), it replaces the copy, which is kept beside it
// under a name with its year; data files are never touched. When the data folder cannot be
// made, the current folder stays.
QString enterWorkingFolder(const QString &executableDir);
