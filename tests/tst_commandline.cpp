#include "platform/files/fileio.h"
#include "support/files.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

// The program itself, run without a window: what it does with the file named after --pdf.
class tst_CommandLine : public QObject
{
    Q_OBJECT

private slots:
    void pdfFromFile_data();
    void pdfFromFile();
    void messages_data();
    void messages();
};

namespace {

enum class Input { DataFile, Device, Pipe, Huge };

} // namespace

Q_DECLARE_METATYPE(Input)

void tst_CommandLine::pdfFromFile_data()
{
    QTest::addColumn<Input>("input");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    QTest::newRow("a data file") << Input::DataFile << 0 << QString();
    QTest::newRow("an endless device") << Input::Device << 1 << QStringLiteral("Файл \"%1\": File access denied.");
#ifndef _WIN32
    QTest::newRow("a pipe no one writes to") << Input::Pipe << 1 << QStringLiteral("Файл \"%1\": File access denied.");
#endif
    QTest::newRow("a file above 256 MB")
        << Input::Huge << 1 << QStringLiteral("Файл \"huge.zrs\" завеликий: програма читає файли не більші за 256 МБ.");
}

// Ends at once with its message and status, and writes no PDF unless the file was read.
void tst_CommandLine::pdfFromFile()
{
    QFETCH(Input, input);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QVERIFY(QFile::copy(QStringLiteral(ZORIS_SHIPPED_DATA "/DEFAULT.lng"), dir.filePath(QStringLiteral("DEFAULT.lng"))));
    QString file;
    switch (input) {
    case Input::DataFile: // the catalogue's year and a school name
        file = dir.filePath(QStringLiteral("data.zrs"));
        writeBytes(file, readBytes(dir.filePath(QStringLiteral("DEFAULT.lng"))).split('\n').first().trimmed()
                             + "\r\nSchool\r\n");
        break;
    case Input::Device:
#ifdef _WIN32
        file = QStringLiteral("NUL");
#else
        file = QStringLiteral("/dev/zero");
#endif
        break;
    case Input::Pipe:
#ifndef _WIN32
        file = dir.filePath(QStringLiteral("pipe.zrs"));
        QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0644), 0);
#endif
        break;
    case Input::Huge: {
        file = dir.filePath(QStringLiteral("huge.zrs"));
        QFile huge(file);
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(MaxReadSize + 1));
        break;
    }
    }
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    QProcess zoris;
    zoris.setWorkingDirectory(dir.path());
    zoris.start(QStringLiteral(ZORIS_PROGRAM), {QStringLiteral("--pdf"), pdf, file});
    // Generous: a program that waits on the pipe or reads the device never ends.
    if (!zoris.waitForFinished(30000)) {
        zoris.kill();
        zoris.waitForFinished();
        QFAIL("the program did not end");
    }
    QCOMPARE(zoris.exitStatus(), QProcess::NormalExit);
    QCOMPARE(zoris.exitCode(), exitCode);
    QCOMPARE(QString::fromUtf8(zoris.readAllStandardError()).trimmed(),
             QString(message).replace(QStringLiteral("%1"), QDir::toNativeSeparators(QFileInfo(dir.path(), file).filePath())));
    QCOMPARE(QFileInfo::exists(pdf), exitCode == 0);
}

void tst_CommandLine::messages_data()
{
    QTest::addColumn<QStringList>("arguments"); // "%1" stands for the test's folder
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output"); // the start of standard output or, failing, of standard error

    QTest::newRow("help") << QStringList{"--help"} << 0 << "Виклик: ";
    QTest::newRow("version") << QStringList{"--version"} << 0 << "zoris " ZORIS_VERSION "\nЛіцензія: GNU GPL версії 3";
    QTest::newRow("unknown option") << QStringList{"--bogus"} << 1 << "zoris: Невідома опція «bogus».";
    QTest::newRow("value missing") << QStringList{"--pdf"} << 1 << "zoris: Після «--pdf» немає значення.";
    QTest::newRow("summary into a missing folder") << QStringList{"--merge", "%1/missing/out.zrs", "a.zrs", "b.zrs"} << 1
                                                   << "Файл \"%1/missing/out.zrs\": File not found.";
    QTest::newRow("table into a missing folder") << QStringList{"--table", "%1/missing/out.csv", "a.zrs", "b.zrs"} << 1
                                                 << "Файл \"%1/missing/out.csv\": File not found.";
}

// Every line of the help is Ukrainian, Qt's own included; every error names what it is about.
void tst_CommandLine::messages()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QTemporaryDir dir;
    const QByteArray catalogue = readBytes(QStringLiteral(ZORIS_SHIPPED_DATA "/DEFAULT.lng"));
    writeBytes(dir.filePath(QStringLiteral("DEFAULT.lng")), catalogue);
    const QList<QByteArray> lines = catalogue.split('\n');
    QByteArray pairs;
    static const QRegularExpression label(QStringLiteral("^K\\d+_\\d+$"));
    for (const QByteArray &line : lines)
        if (label.match(QString::fromLatin1(line.trimmed())).hasMatch())
            pairs += line.trimmed() + "\r\n 0.00000000000000E+0000\r\n";
    writeBytes(dir.filePath(QStringLiteral("a.zrs")), lines.first().trimmed() + "\r\nA\r\n" + pairs);
    writeBytes(dir.filePath(QStringLiteral("b.zrs")), lines.first().trimmed() + "\r\nB\r\n" + pairs);
    for (QString &argument : arguments)
        argument.replace(QStringLiteral("%1"), dir.path());
    QProcess zoris;
    zoris.setWorkingDirectory(dir.path());
    zoris.start(QStringLiteral(ZORIS_PROGRAM), arguments);
    QVERIFY(zoris.waitForFinished(30000));
    QCOMPARE(zoris.exitCode(), exitCode);
    const QString printed = QString::fromUtf8(exitCode == 0 ? zoris.readAllStandardOutput() : zoris.readAllStandardError())
                                .remove(QLatin1Char('\r'));
    QVERIFY2(printed.startsWith(QDir::toNativeSeparators(QString(output).replace(QStringLiteral("%1"), dir.path()))),
             qPrintable(printed));
    static const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
    if (arguments == QStringList{"--help"}) {
        for (const QString &line : printed.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            QVERIFY2(line.contains(cyrillic), qPrintable(line));
    }
}

QTEST_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
