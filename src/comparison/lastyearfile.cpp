#include "lastyearfile.h"

#include "platform/dialogfolders.h"

#include <QVariantMap>

namespace {

// One entry: a map from folder to file, since a folder's path is no valid settings key.
const QString FilesKey = QStringLiteral("comparison/lastYearFiles");

QVariantMap files()
{
    return programSettings().value(FilesKey).toMap();
}

void store(const QVariantMap &map)
{
    programSettings().setValue(FilesKey, map);
}

} // namespace

namespace LastYearFile {

QString remembered(const QString &workingFolder)
{
    return files().value(workingFolder).toString();
}

void remember(const QString &workingFolder, const QString &file)
{
    QVariantMap map = files();
    map.insert(workingFolder, file);
    store(map);
}

void forget(const QString &workingFolder)
{
    QVariantMap map = files();
    map.remove(workingFolder);
    store(map);
}

} // namespace LastYearFile
