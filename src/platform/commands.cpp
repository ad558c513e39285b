#include "commands.h"

#include "boxes.h"
#include "core/errors.h"

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
