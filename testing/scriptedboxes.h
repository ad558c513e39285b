#pragma once

#include "platform/boxes.h"

#include <QList>
#include <QQueue>
#include <QStringList>

// Boxes for tests: every box asked is recorded, and answered from queues filled beforehand.
// A box asked with no answer queued takes the safe answer (No, Cancel, the proposed text, no
// file) so that a test never blocks.
class ScriptedBoxes : public StandardBoxes
{
public:
    enum class Kind { Warning, Information, ConfirmYesNo, ConfirmOkCancel, ConfirmYesNoCancel, Input, OpenFile, OpenFiles,
                      SaveFile, Error, Beep };

    struct Asked
    {
        Kind kind;
        QString text;      // the message (error boxes: as shown), prompt or filter
        QString caption;   // input box or open dialog caption
        QString proposed;  // input box text, or the proposed file name
        QString directory; // file dialog's starting folder
    };

    QQueue<bool> confirmAnswers;
    QQueue<std::optional<QString>> inputAnswers; // nothing = Cancel
    QQueue<std::optional<QString>> fileAnswers;  // nothing = Cancel
    QQueue<Answer> threeWayAnswers;              // none queued = Cancel
    QQueue<QStringList> filesAnswers;            // empty = Cancel

    QList<Asked> asked;

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

    // The texts of the boxes of one kind, in the order asked.
    QStringList texts(Kind kind) const;
    int count(Kind kind) const;
    void clear() { asked.clear(); }
};
