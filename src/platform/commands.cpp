#include "commands.h"

#include "announcer.h"
#include "boxes.h"
#include "core/errors.h"
#include "dialogfolders.h"

#include <QFileInfo>

bool runCommand(StandardBoxes &boxes, const std::function<void()> &command)
{
    try {
        command();
        return true;
    } catch (const std::exception &error) {
        boxes.errorBox(failureMessage(error));
    }
    return false;
}

bool mayReplaceFile(StandardBoxes &boxes, const QString &path)
{
    const QFileInfo file(path);
    return !file.exists()
        || boxes.confirmYesNo(QStringLiteral("Файл \"%1\" вже існує. Ви дійсно бажаєте переписати його?").arg(file.fileName()));
}

std::optional<QString> chooseFileToWrite(StandardBoxes &boxes, const QString &filter, const QString &proposedName,
                                         const std::function<QString(const QString &)> &withExtension,
                                         const QString &directory)
{
    DialogFolders folders;
    const std::optional<QString> chosen =
        boxes.saveFile(filter, QFileInfo(directory).isDir() ? directory : folders.start(), proposedName);
    if (!chosen || chosen->isEmpty())
        return std::nullopt;
    folders.remember(*chosen);
    const QString name = withExtension(*chosen);
    if (!mayReplaceFile(boxes, name))
        return std::nullopt;
    return name;
}

void announceWritten(QWidget *widget, const QString &path)
{
    announce(widget, QStringLiteral("Файл «%1» збережено.").arg(QFileInfo(path).fileName()));
}
