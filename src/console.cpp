#include "console.h"

#ifdef _WIN32
#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <fcntl.h>
#include <io.h>

void printLine(std::FILE *stream, const QString &text)
{
    const QString line = text + QLatin1Char('\n');
    const HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        std::fflush(stream);
        DWORD written = 0;
        WriteConsoleW(handle, line.utf16(), DWORD(line.size()), &written, nullptr);
        return;
    }
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

void attachParentConsole()
{
    // Output redirected to a file or a pipe comes with handles of its own; only where there
    // are none does the parent's console take their place.
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        if (GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_UNKNOWN)
            std::freopen("CONOUT$", "w", stdout);
        if (GetFileType(GetStdHandle(STD_ERROR_HANDLE)) == FILE_TYPE_UNKNOWN)
            std::freopen("CONOUT$", "w", stderr);
    }
    // Lines end as on Linux.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}
#else
void printLine(std::FILE *stream, const QString &text)
{
    std::fprintf(stream, "%s\n", qPrintable(text));
}

void attachParentConsole() {}
#endif
