#include "workingfolder.h"

#include "catalogfile.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

QString enterWorkingFolder(const QString &executableDir)
{
    const QString catalogue = QString::fromLatin1(CatalogFileName);
    if (QFile::exists(catalogue))
        return QDir::currentPath();

    const QString dataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (dataDir.isEmpty() || !QDir().mkpath(dataDir))
        return QDir::currentPath();
    const QDir data(dataDir);
    if (!data.exists(catalogue))
        QFile::copy(QDir(executableDir).filePath(QStringLiteral("../share/zoris/") + catalogue),
                    data.filePath(catalogue));
    const QString rules = QString::fromLatin1(RulesFileName);
    if (!data.exists(rules))
        QFile::copy(QDir(executableDir).filePath(QStringLiteral("../share/zoris/") + rules), data.filePath(rules));
    QDir::setCurrent(dataDir);
    return QDir::currentPath();
}
