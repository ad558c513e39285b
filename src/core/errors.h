#pragma once

#include <QString>

#include <stdexcept>

// Every failure a command can meet travels as one of these to the single place that shows it
// (the application's error box). The core never shows a box itself.
class ZorisError : public std::exception
{
public:
    explicit ZorisError(QString message);
    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// A failed file operation, carrying its I/O code; the message follows the code.
class IoError : public ZorisError
{
public:
    enum Code {
        FileNotFound = 2,
        InvalidFilename = 3,
        TooManyOpenFiles = 4,
        AccessDenied = 5,
        ReadBeyondEnd = 100,
        DiskFull = 101,
        InvalidNumericInput = 106,
    };

    explicit IoError(int code);
    int code() const { return m_code; }

    static QString messageFor(int code);
    // The table's code for an operating-system error number that means the same, else 0.
    static int codeFromErrno(int errnoValue);
    // The table's error where one means the same; any other is "I/O error" with the system's
    // own number, which code() then gives.
    static IoError fromErrno(int errnoValue);
#ifdef _WIN32
    // The same for a Windows error number (GetLastError); a file that another program holds
    // open has a message of its own, with the code of "File access denied".
    static IoError fromWindowsError(unsigned long error);
#endif

private:
    IoError(int code, QString message);

    int m_code;
};

// A text that does not read as a number.
class ConversionError : public ZorisError
{
public:
    explicit ConversionError(const QString &text);
};

class OutOfMemoryError : public ZorisError
{
public:
    explicit OutOfMemoryError(const QString &message);
};

// The text the error box shows: a full stop is added when the last character sorts after ".".
QString errorBoxText(const QString &message);

// What the error box says of any failure a command raised: the program's own errors give their
// message; running out of memory and the exceptions of the libraries have texts of their own.
QString failureMessage(const std::exception &error);
