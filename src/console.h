#pragma once

#include <QString>

#include <cstdio>

// The command-line modes' output: one line on standard output or error. On Windows it reaches
// a console in its own characters and a file or pipe as UTF-8, as on Linux.
void printLine(std::FILE *stream, const QString &text);

// On Windows the program belongs to the Windows subsystem, so that the Start menu opens no
// console window; started from cmd.exe or PowerShell, it writes to the console it came from.
void attachParentConsole();
