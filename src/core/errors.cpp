#include "errors.h"

#include <cerrno>
#include <new>
#ifdef _WIN32
#include <winerror.h>
#endif

ZorisError::ZorisError(QString message)
    : m_message(std::move(message))
    , m_utf8(m_message.toUtf8())
{
}

IoError::IoError(int code)
    : ZorisError(messageFor(code))
    , m_code(code)
{
}

QString IoError::messageFor(int code)
{
    switch (code) {
    case FileNotFound: return QStringLiteral("File not found");
    case InvalidFilename: return QStringLiteral("Invalid filename");
    case TooManyOpenFiles: return QStringLiteral("Too many open files");
    case AccessDenied: return QStringLiteral("File access denied");
    case ReadBeyondEnd: return QStringLiteral("Read beyond end of file");
    case DiskFull: return QStringLiteral("Disk full");
    case InvalidNumericInput: return QStringLiteral("Invalid numeric input");
    }
    return QStringLiteral("I/O error %1").arg(code);
}

IoError::IoError(int code, QString message)
    : ZorisError(std::move(message))
    , m_code(code)
{
}

int IoError::codeFromErrno(int errnoValue)
{
    switch (errnoValue) {
    case ENOENT:
    case ENOTDIR:
        return FileNotFound;
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
        return InvalidFilename;
    case EMFILE:
    case ENFILE:
        return TooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return AccessDenied;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return DiskFull;
    }
    return 0;
}

IoError IoError::fromErrno(int errnoValue)
{
    if (const int code = codeFromErrno(errnoValue))
        return IoError(code);
    return IoError(errnoValue, QStringLiteral("I/O error %1").arg(errnoValue));
}

#ifdef _WIN32
IoError IoError::fromWindowsError(unsigned long error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_DEV_NOT_EXIST:
        return IoError(FileNotFound);
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
        return IoError(InvalidFilename);
    case ERROR_TOO_MANY_OPEN_FILES:
        return IoError(TooManyOpenFiles);
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_NOT_READY:
    case ERROR_CANNOT_MAKE:
        return IoError(AccessDenied);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
        return IoError(AccessDenied,
                       QStringLiteral("Файл відкрито в іншій програмі: закрийте його там і спробуйте ще раз"));
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
        return IoError(DiskFull);
    }
    return IoError(int(error), QStringLiteral("I/O error %1").arg(error));
}
#endif

ConversionError::ConversionError(const QString &text)
    : ZorisError(QStringLiteral("'%1' is not a valid floating point value").arg(text))
{
}

OutOfMemoryError::OutOfMemoryError(const QString &message)
    : ZorisError(message)
{
}

QString errorBoxText(const QString &message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

QString failureMessage(const std::exception &error)
{
    if (const auto *own = dynamic_cast<const ZorisError *>(&error))
        return own->message();
    if (dynamic_cast<const std::bad_alloc *>(&error))
        return QStringLiteral("Недостатньо пам'яті для виконання команди");
    return QStringLiteral("Непередбачена помилка: ") + QString::fromLocal8Bit(error.what());
}
