#include "dialogfolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString FolderKey = QStringLiteral("dialogs/folder");

} // namespace

QSettings programSettings()
{
    return QSettings(QStringLiteral("zoris"), QStringLiteral("zoris"));
}

QString DialogFolders::start() const
{
    const QString last = programSettings().value(FolderKey).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}

void DialogFolders::remember(const QString &chosenFile)
{
    programSettings().setValue(FolderKey, QFileInfo(chosenFile).absolutePath());
}
