#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;
class StandardBoxes;

// Runs a command of a window: whatever it throws, running out of memory included, ends the
// command in the error box and the program goes on. True when the command ran to its end.
bool runCommand(StandardBoxes &boxes, const std::function<void()> &command);

// True when nothing is at path, or the user agrees to write over what is there.
bool mayReplaceFile(StandardBoxes &boxes, const QString &path);

// The save dialog, starting in directory when it is an existing folder, else in the folder last
// chosen: the name chosen with withExtension applied, once the user agreed to replace a file of
// that name. Nothing when the user cancelled or declined.
std::optional<QString> chooseFileToWrite(StandardBoxes &boxes, const QString &filter, const QString &proposedName,
                                         const std::function<QString(const QString &)> &withExtension,
                                         const QString &directory = QString());

// Tells a screen reader in widget's window that the file at path was written: on the screen
// nothing but a caption changes, if anything.
void announceWritten(QWidget *widget, const QString &path);
