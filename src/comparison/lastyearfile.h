#pragma once

#include <QString>

// Last year's data file chosen for the comparison, kept in the user's settings for each working
// folder, so that every school or district folder compares with its own.
namespace LastYearFile {

// Nothing when none was chosen for the folder.
QString remembered(const QString &workingFolder);
void remember(const QString &workingFolder, const QString &file);
void forget(const QString &workingFolder);

} // namespace LastYearFile
