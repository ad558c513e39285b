#pragma once

#include "boxes.h"

// The standard boxes as Qt dialogs, each modal over the window that is active when it is asked.
class QtBoxes : public StandardBoxes
{
public:
    void warning(const QString &text) override;
    void information(const QString &text) override;
    bool confirmYesNo(const QString &text) override;
    bool confirmOkCancel(const QString &text) override;
    Answer confirmYesNoCancel(const QString &text) override;
    QString inputBox(const QString &caption, const QString &prompt, const QString &proposed) override;
    std::optional<QString> openFile(const QString &filter, const QString &directory, const QString &caption) override;
    QStringList openFiles(const QString &filter, const QString &directory, const QString &caption) override;
    std::optional<QString> saveFile(const QString &filter, const QString &directory,
                                    const QString &proposedName) override;
    void errorBox(const QString &message) override;
    void beep() override;
};
