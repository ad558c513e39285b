#pragma once

#include <QString>

#include <functional>

class StandardBoxes;

// Runs a command of a window: whatever it throws, running out of memory included, ends the
// command in the error box and the program goes on. True when the command ran to its end.
bool runCommand(StandardBoxes &boxes, const std::function<void()> &command);

// True when nothing is at path, or the user agrees to write over what is there.
bool mayReplaceFile(StandardBoxes &boxes, const QString &path);
