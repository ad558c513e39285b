#include "errors.h"

#include <cerrno>
#include <new>

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
    case EDQUOT:
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
