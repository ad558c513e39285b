#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The program's standard boxes and dialogs. Windows reach them only through this interface so
// that tests can answer them from a script (testing/scriptedboxes.h) and never wait on a modal window.
class StandardBoxes
{
public:
    virtual ~StandardBoxes() = default;

    // Caption "Warning", warning icon, one button "OK".
    virtual void warning(const QString &text) = 0;
    // Caption "Information", information icon, one button "OK".
    virtual void information(const QString &text) = 0;
    // Caption "Confirm", question icon, "&Yes" and "&No"; true for Yes.
    virtual bool confirmYesNo(const QString &text) = 0;
    // Caption "Confirm", question icon, "OK" and "Cancel"; true for OK.
    virtual bool confirmOkCancel(const QString &text) = 0;
    enum class Answer { Yes, No, Cancel };
    // Caption "Confirm", question icon, "&Yes", "&No" and "Cancel"; closing the box is Cancel.
    virtual Answer confirmYesNoCancel(const QString &text) = 0;
    // One edit line pre-filled with proposed (selected), at most 255 characters; the edited
    // text on OK, proposed on Cancel.
    virtual QString inputBox(const QString &caption, const QString &prompt, const QString &proposed) = 0;
    // filter is "description|pattern"; the dialogs start in directory unless it is empty; an
    // open dialog's caption says what it opens, the toolkit's own when empty.
    // Nothing (or no name) when the user cancels.
    virtual std::optional<QString> openFile(const QString &filter, const QString &directory,
                                            const QString &caption) = 0;
    virtual QStringList openFiles(const QString &filter, const QString &directory, const QString &caption) = 0;
    virtual std::optional<QString> saveFile(const QString &filter, const QString &directory,
                                            const QString &proposedName) = 0;
    // The application's error box: caption the application title, error icon, one OK button;
    // the message as errorBoxText() gives it.
    virtual void errorBox(const QString &message) = 0;
    virtual void beep() = 0;
};
