#include "core/errors.h"
#include "core/muldiv.h"

#include <QtTest>

#include <cerrno>

class tst_Core : public QObject
{
    Q_OBJECT

private slots:
    void mulDiv_data();
    void mulDiv();
    void ioMessages_data();
    void ioMessages();
    void errnoCodes_data();
    void errnoCodes();
    void errorBoxFullStop_data();
    void errorBoxFullStop();
};

void tst_Core::mulDiv_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("c");
    QTest::addColumn<int>("expected");
    QTest::newRow("exact") << 10 << 10 << 4 << 25;
    QTest::newRow("half up") << 5 << 1 << 2 << 3;
    QTest::newRow("negative half away from zero") << -5 << 1 << 2 << -3;
    QTest::newRow("negative divisor") << 5 << 1 << -2 << -3;
    QTest::newRow("below half") << 1 << 1 << 3 << 0;
    QTest::newRow("above half") << 2 << 1 << 3 << 1;
    QTest::newRow("zero divisor") << 7 << 3 << 0 << -1;
    QTest::newRow("64-bit intermediate") << 2000000000 << 3 << 4 << 1500000000;
    QTest::newRow("lometric to pixels") << 2100 << 96 << 254 << 794;
    QTest::newRow("pixels to lometric") << 794 << 254 << 96 << 2101;
    QTest::newRow("progress 1 of 3") << 100 << 1 << 3 << 33;
    QTest::newRow("progress 2 of 3") << 100 << 2 << 3 << 67;
}

void tst_Core::mulDiv()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, c);
    QFETCH(int, expected);
    QCOMPARE(MulDiv(a, b, c), expected);
}

void tst_Core::ioMessages_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::newRow("2") << 2 << "File not found";
    QTest::newRow("3") << 3 << "Invalid filename";
    QTest::newRow("4") << 4 << "Too many open files";
    QTest::newRow("5") << 5 << "File access denied";
    QTest::newRow("100") << 100 << "Read beyond end of file";
    QTest::newRow("101") << 101 << "Disk full";
    QTest::newRow("106") << 106 << "Invalid numeric input";
    QTest::newRow("other") << 32 << "I/O error 32";
}

void tst_Core::ioMessages()
{
    QFETCH(int, code);
    QFETCH(QString, message);
    QCOMPARE(IoError(code).message(), message);
    QCOMPARE(IoError(code).code(), code);
}

void tst_Core::errnoCodes_data()
{
    QTest::addColumn<int>("errnoValue");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::newRow("ENOENT") << ENOENT << 2 << "File not found";
    QTest::newRow("ENAMETOOLONG") << ENAMETOOLONG << 3 << "Invalid filename";
    QTest::newRow("EMFILE") << EMFILE << 4 << "Too many open files";
    QTest::newRow("EACCES") << EACCES << 5 << "File access denied";
    QTest::newRow("EPERM") << EPERM << 5 << "File access denied";
    QTest::newRow("EROFS") << EROFS << 5 << "File access denied";
    QTest::newRow("ENOSPC") << ENOSPC << 101 << "Disk full";
#ifdef EDQUOT
    QTest::newRow("EDQUOT") << EDQUOT << 101 << "Disk full";
#endif
    // System numbers that happen to be codes of the table, and others, mean none of its messages.
    QTest::newRow("EIO") << EIO << EIO << QStringLiteral("I/O error %1").arg(EIO);
    QTest::newRow("EINTR") << EINTR << EINTR << QStringLiteral("I/O error %1").arg(EINTR);
    QTest::newRow("EFBIG") << EFBIG << EFBIG << QStringLiteral("I/O error %1").arg(EFBIG);
    QTest::newRow("ETXTBSY") << ETXTBSY << ETXTBSY << QStringLiteral("I/O error %1").arg(ETXTBSY);
}

void tst_Core::errnoCodes()
{
    QFETCH(int, errnoValue);
    QFETCH(int, code);
    QFETCH(QString, message);
    const IoError error = IoError::fromErrno(errnoValue);
    QCOMPARE(error.code(), code);
    QCOMPARE(error.message(), message);
}

void tst_Core::errorBoxFullStop_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter") << "Disk full" << "Disk full.";
    QTest::newRow("digit") << "I/O error 32" << "I/O error 32.";
    QTest::newRow("cyrillic") << "Помилка" << "Помилка.";
    QTest::newRow("full stop") << "Done." << "Done.";
    QTest::newRow("exclamation") << "Stop!" << "Stop!";
    QTest::newRow("quote") << "'x'" << "'x'";
    QTest::newRow("question sorts after") << "Why?" << "Why?.";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("conversion") << ConversionError("abc").message()
                                << "'abc' is not a valid floating point value.";
}

void tst_Core::errorBoxFullStop()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(errorBoxText(message), shown);
}

QTEST_APPLESS_MAIN(tst_Core)
#include "tst_core.moc"
