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
    QTest::newRow("an endless device") << Input::Device << 1 << QStringLiteral("File access denied.");
#ifndef _WIN32
    QTest::newRow("a pipe no one writes to") << Input::Pipe << 1 << QStringLiteral("File access denied.");
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
    QCOMPARE(QString::fromUtf8(zoris.readAllStandardError()).trimmed(), message);
    QCOMPARE(QFileInfo::exists(pdf), exitCode == 0);
}

QTEST_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
