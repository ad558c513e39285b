#include "dialogfolders.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

const QString FolderKey = QStringLiteral("dialogs/folder");

// ~/.config/zoris/zoris.conf, whatever title the application carries.
QSettings settings()
{
    return QSettings(QStringLiteral("zoris"), QStringLiteral("zoris"));
}

} // namespace

QString DialogFolders::start() const
{
    const QString last = settings().value(FolderKey).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}

void DialogFolders::remember(const QString &chosenFile)
{
    settings().setValue(FolderKey, QFileInfo(chosenFile).absolutePath());
}
