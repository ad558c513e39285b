#include "platform/printing/systemprinter.h"
#include "preview/previewdocument.h"
#include "support/files.h"
#include "support/smalldisk.h"

#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cups/cups.h>

#include <csignal>
#include <pwd.h>
#include <sys/prctl.h>

// Prints through a real CUPS server: a private cupsd in a temporary folder with one queue that
// runs the PDF printer driver's filters and writes what it would print into a file there.
class tst_CupsPrinting : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void twoPageJobArrives();
    void abortedJobNeverReachesServer();
    void jobWithoutRoomNeverReachesServer();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    bool run(const QString &program, const QStringList &arguments, QString *output = nullptr);
    QList<int> jobIds();
    // Waits at most a minute for the job to finish; its final state.
    ipp_jstate_t waitForJob(int id);

    QTemporaryDir m_dir;
    QTemporaryDir m_temp;
    QProcess m_cupsd;
};

namespace {

const char *const Cupsd = "/usr/sbin/cupsd";
const char *const PdfDriver = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";
const char *const Queue = "zoris-test";
// A second queue, sorted before the default one.
const char *const OtherQueue = "zoris-other";

// An attribute of a job as the server keeps it: an enum as its number, else its text; empty
// when the job has no such attribute.
QString jobAttribute(int id, const char *name)
{
    ipp_t *request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    const QByteArray uri = "ipp://localhost/jobs/" + QByteArray::number(id);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ipp_t *response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    ipp_attribute_t *attribute = ippFindAttribute(response, name, IPP_TAG_ZERO);
    QString value;
    if (attribute && ippGetValueTag(attribute) == IPP_TAG_ENUM)
        value = QString::number(ippGetInteger(attribute, 0));
    else if (attribute)
        value = QString::fromUtf8(ippGetString(attribute, 0, nullptr));
    ippDelete(response);
    return value;
}

} // namespace

bool tst_CupsPrinting::run(const QString &program, const QStringList &arguments, QString *output)
{
    QProcess process;
    process.start(program, arguments);
    const bool done = process.waitForFinished(20000);
    if (!done)
        process.kill();
    if (output)
        *output = QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
    return done && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

void tst_CupsPrinting::initTestCase()
{
    if (!QFileInfo::exists(QString::fromLatin1(Cupsd)) || !QFileInfo::exists(QString::fromLatin1(PdfDriver)))
        QSKIP("cupsd or the PDF printer driver is missing (Debian: cups, printer-driver-cups-pdf)");
    if (!getpwnam("lp"))
        QSKIP("There is no user lp for the CUPS filters to run as");
    QVERIFY(m_dir.isValid());

    // The filters run as lp and must reach the folder.
    QFile::setPermissions(m_dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                            | QFileDevice::ExeOwner | QFileDevice::ReadOther
                                            | QFileDevice::ExeOther | QFileDevice::ReadGroup
                                            | QFileDevice::ExeGroup);
    for (const char *sub : {"spool", "cache", "state", "log", "tmp", "out"}) {
        QVERIFY(QDir(m_dir.path()).mkdir(QString::fromLatin1(sub)));
        QFile::setPermissions(path(QString::fromLatin1(sub)), QFileDevice::Permissions(0x7777));
    }
    const QString socket = path(QStringLiteral("cups.sock"));
    writeBytes(path(QStringLiteral("cupsd.conf")),
               QStringLiteral("Listen %1\nBrowsing No\nDefaultAuthType None\nLogLevel warn\n"
                              "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                              "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n")
                   .arg(socket).toUtf8());
    writeBytes(path(QStringLiteral("cups-files.conf")),
               QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nCacheDir %1/cache\nStateDir %1/state\n"
                              "TempDir %1/tmp\nErrorLog %1/log/error_log\nAccessLog %1/log/access_log\n"
                              "PageLog %1/log/page_log\nFileDevice Yes\nSystemGroup root\nUser lp\nGroup lp\n")
                   .arg(m_dir.path()).toUtf8());

    // A temporary folder of its own, so that what a job leaves there is this test's.
    qputenv("TMPDIR", QFile::encodeName(m_temp.path()));
    // Both the program and the printer service talk to this server only.
    qputenv("CUPS_SERVER", socket.toLocal8Bit());

    // The daemon dies with the test, and in any case after two minutes.
    m_cupsd.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_cupsd.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_cupsd.start(QStringLiteral("timeout"),
                  {QStringLiteral("120"), QString::fromLatin1(Cupsd), QStringLiteral("-f"), QStringLiteral("-c"),
                   path(QStringLiteral("cupsd.conf")), QStringLiteral("-s"), path(QStringLiteral("cups-files.conf"))});
    if (!m_cupsd.waitForStarted(5000))
        QSKIP("cupsd could not be started");
    QDeadlineTimer deadline(10000);
    while (!run(QStringLiteral("lpstat"), {QStringLiteral("-r")}) && !deadline.hasExpired()
           && m_cupsd.state() == QProcess::Running)
        QTest::qWait(100);
    if (!run(QStringLiteral("lpstat"), {QStringLiteral("-r")})) {
        QSKIP(qPrintable(QStringLiteral("cupsd did not come up: ")
                         + QString::fromUtf8(readBytes(path(QStringLiteral("log/error_log"))))));
    }

    QString output;
    if (!run(QStringLiteral("lpadmin"),
             {QStringLiteral("-p"), QString::fromLatin1(Queue), QStringLiteral("-E"), QStringLiteral("-v"),
              QStringLiteral("file://") + path(QStringLiteral("out/job.ps")), QStringLiteral("-P"),
              QString::fromLatin1(PdfDriver)},
             &output)
        || !run(QStringLiteral("lpadmin"),
                {QStringLiteral("-p"), QString::fromLatin1(OtherQueue), QStringLiteral("-E"), QStringLiteral("-v"),
                 QStringLiteral("file:///dev/null"), QStringLiteral("-P"), QString::fromLatin1(PdfDriver)},
                &output)
        || !run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), QString::fromLatin1(Queue)}, &output))
        QSKIP(qPrintable(QStringLiteral("The test queue could not be added: ") + output));
}

void tst_CupsPrinting::cleanupTestCase()
{
    if (m_cupsd.state() == QProcess::NotRunning)
        return;
    m_cupsd.terminate();
    if (!m_cupsd.waitForFinished(10000)) {
        m_cupsd.kill();
        m_cupsd.waitForFinished(5000);
    }
}

QList<int> tst_CupsPrinting::jobIds()
{
    cups_job_t *jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, Queue, 0, CUPS_WHICHJOBS_ALL);
    QList<int> ids;
    for (int i = 0; i < count; ++i)
        ids << jobs[i].id;
    cupsFreeJobs(count, jobs);
    return ids;
}

ipp_jstate_t tst_CupsPrinting::waitForJob(int id)
{
    QDeadlineTimer deadline(60000);
    for (;;) {
        const QString state = jobAttribute(id, "job-state");
        const auto value = state.isEmpty() ? IPP_JSTATE_PENDING : ipp_jstate_t(state.toInt());
        if (value >= IPP_JSTATE_CANCELED || deadline.hasExpired())
            return value;
        QTest::qWait(200);
    }
}

void tst_CupsPrinting::twoPageJobArrives()
{
    PreviewDocument preview;
    SystemPrinter *printer = dynamic_cast<SystemPrinter *>(preview.Printer());
    QVERIFY(printer);
    QCOMPARE(printer->printers(), (QStringList{QString::fromLatin1(OtherQueue), QString::fromLatin1(Queue)}));
    QCOMPARE(printer->defaultPrinterIndex(), 1);
    QCOMPARE(printer->destination(), QString::fromLatin1(Queue));
    printer->setPrinterIndex(0);
    QCOMPARE(printer->destination(), QString::fromLatin1(OtherQueue));
    printer->setPrinterIndex(-1);

    // Landscape A4, the default paper turned, as the report prints it.
    preview.setOrientation(poLandscape);
    preview.setPrintJobTitle(QStringLiteral("АС Зоріс"));
    preview.BeginDoc();
    preview.Canvas()->drawText(200, 300, QStringLiteral("Сторінка 1"));
    preview.NewPage();
    preview.Canvas()->drawText(200, 300, QStringLiteral("Сторінка 2"));
    preview.EndDoc();
    const QList<int> before = jobIds();
    const PrintResult result = preview.print(1, preview.TotalPages());
    QCOMPARE(result.message, QString());
    QCOMPARE(result.outcome, PrintResult::Printed);

    QList<int> added = jobIds();
    for (int id : before)
        added.removeAll(id);
    QCOMPARE(added.size(), 1);
    const int id = added.first();
    QCOMPARE(waitForJob(id), IPP_JSTATE_COMPLETED);

    QCOMPARE(jobAttribute(id, "job-name"), QStringLiteral("АС Зоріс"));
    QCOMPARE(jobAttribute(id, "media"), QStringLiteral("iso_a4_210x297mm"));
    QCOMPARE(jobAttribute(id, "orientation-requested"), QStringLiteral("4"));

    // What the printer got: two A4 sheets.
    const QList<QByteArray> lines = readBytes(path(QStringLiteral("out/job.ps"))).split('\n');
    QCOMPARE(std::count_if(lines.begin(), lines.end(),
                           [](const QByteArray &line) { return line.startsWith("%%Page: "); }),
             2);
    QVERIFY(lines.contains("%%BoundingBox: 0 0 595 842"));
    QCOMPARE(folderEntries(QDir::tempPath()), QStringList());
}

void tst_CupsPrinting::abortedJobNeverReachesServer()
{
    PreviewDocument preview;
    preview.BeginDoc();
    preview.Canvas()->drawText(200, 300, QStringLiteral("Не друкувати"));
    preview.NewPage();
    preview.EndDoc();
    PrintHandlers handlers;
    handlers.progress = [](int page, int, bool &abortIt) { abortIt = page == 2; };
    const QList<int> before = jobIds();
    QCOMPARE(preview.print(1, preview.TotalPages(), handlers).outcome, PrintResult::Aborted);
    QCOMPARE(jobIds(), before);
    QCOMPARE(folderEntries(QDir::tempPath()), QStringList());
}

// The temporary folder on a full disk: the job cannot be written whole, so it fails with the
// reason and nothing reaches the server or stays behind.
void tst_CupsPrinting::jobWithoutRoomNeverReachesServer()
{
    SmallDisk disk(QStringLiteral("64k"));
    if (!disk.ok())
        QSKIP("Cannot mount a small tmpfs here (needs the right to mount).");
    QVERIFY(fillUp(disk.filePath(QStringLiteral("filler"))));
    PreviewDocument preview;
    preview.BeginDoc();
    for (int line = 0; line < 200; ++line)
        preview.Canvas()->drawText(100, 100 + 9 * line, QStringLiteral("Рядок %1 звіту, якому немає місця").arg(line));
    preview.EndDoc();
    const QList<int> before = jobIds();
    const QByteArray temp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(disk.path()));
    const PrintResult result = preview.print(1, preview.TotalPages());
    qputenv("TMPDIR", temp);
    QCOMPARE(result.outcome, PrintResult::Failed);
    QVERIFY2(result.message.startsWith(QStringLiteral("Не вдалося")), qPrintable(result.message));
    QCOMPARE(jobIds(), before);
    QCOMPARE(folderEntries(disk.path()), QStringList{QStringLiteral("filler")});
}

QTEST_MAIN(tst_CupsPrinting)
#include "tst_cupsprinting.moc"
