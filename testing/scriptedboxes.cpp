#include "scriptedboxes.h"

#include "core/errors.h"

void ScriptedBoxes::warning(const QString &text)
{
    asked.append({Kind::Warning, text, {}, {}, {}});
}

void ScriptedBoxes::information(const QString &text)
{
    asked.append({Kind::Information, text, {}, {}, {}});
}

bool ScriptedBoxes::confirmYesNo(const QString &text)
{
    asked.append({Kind::ConfirmYesNo, text, {}, {}, {}});
    return !confirmAnswers.isEmpty() && confirmAnswers.dequeue();
}

bool ScriptedBoxes::confirmOkCancel(const QString &text)
{
    asked.append({Kind::ConfirmOkCancel, text, {}, {}, {}});
    return !confirmAnswers.isEmpty() && confirmAnswers.dequeue();
}

StandardBoxes::Answer ScriptedBoxes::confirmYesNoCancel(const QString &text)
{
    asked.append({Kind::ConfirmYesNoCancel, text, {}, {}, {}});
    return threeWayAnswers.isEmpty() ? Answer::Cancel : threeWayAnswers.dequeue();
}

QString ScriptedBoxes::inputBox(const QString &caption, const QString &prompt, const QString &proposed)
{
    asked.append({Kind::Input, prompt, caption, proposed, {}});
    const std::optional<QString> answer = inputAnswers.isEmpty() ? std::nullopt : inputAnswers.dequeue();
    return answer ? answer->left(255) : proposed;
}

std::optional<QString> ScriptedBoxes::openFile(const QString &filter, const QString &directory, const QString &caption)
{
    asked.append({Kind::OpenFile, filter, caption, {}, directory});
    return fileAnswers.isEmpty() ? std::nullopt : fileAnswers.dequeue();
}

QStringList ScriptedBoxes::openFiles(const QString &filter, const QString &directory, const QString &caption)
{
    asked.append({Kind::OpenFiles, filter, caption, {}, directory});
    return filesAnswers.isEmpty() ? QStringList() : filesAnswers.dequeue();
}

std::optional<QString> ScriptedBoxes::saveFile(const QString &filter, const QString &directory,
                                               const QString &proposedName)
{
    asked.append({Kind::SaveFile, filter, {}, proposedName, directory});
    return fileAnswers.isEmpty() ? std::nullopt : fileAnswers.dequeue();
}

void ScriptedBoxes::errorBox(const QString &message)
{
    asked.append({Kind::Error, errorBoxText(message), {}, {}, {}});
}

void ScriptedBoxes::beep()
{
    asked.append({Kind::Beep, {}, {}, {}, {}});
}

QStringList ScriptedBoxes::texts(Kind kind) const
{
    QStringList result;
    for (const Asked &a : asked) {
        if (a.kind == kind)
            result.append(a.text);
    }
    return result;
}

int ScriptedBoxes::count(Kind kind) const
{
    return int(std::count_if(asked.begin(), asked.end(), [kind](const Asked &a) { return a.kind == kind; }));
}
