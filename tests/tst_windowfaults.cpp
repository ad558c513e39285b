#include "generatedcatalogue.h"
#include "support/formfixture.h"
#include "support/smalldisk.h"

#include "indicators/numbertext.h"
#include "platform/files/fileio.h"
#include "support/keys.h"
#include "support/models.h"

#include <QLabel>
#include <QRandomGenerator>
#include <QToolButton>

#include <cerrno>
#include <fcntl.h>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

using Kind = ScriptedBoxes::Kind;

const QString Design = QStringLiteral("Формування показників діяльності ЗНЗ");
const QString AccessDenied = QStringLiteral("File access denied.");
const QString NotFound = QStringLiteral("File not found.");
const QString BadNumber = QStringLiteral("Invalid numeric input.");
constexpr qsizetype HundredMegabytes = 100 * 1024 * 1024;
constexpr char NoMount[] = "Cannot mount a small tmpfs here (needs the right to mount).";
constexpr char NoUnreadable[] = "Mode 000 does not stop reading here (the capabilities cannot be lowered).";

// Permission bits do not stop the superuser; for its lifetime this lowers the two capabilities
// that override them, so that a file of mode 000 is as unreadable to the test as to any user.
// They stay permitted and are raised again at the end.
class WithoutFileOverride
{
public:
    WithoutFileOverride()
    {
        if (::geteuid() != 0 || ::syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct lowered[2] = {m_saved[0], m_saved[1]};
        lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        m_lowered = ::syscall(SYS_capset, &m_header, lowered) == 0;
    }
    ~WithoutFileOverride()
    {
        if (m_lowered)
            ::syscall(SYS_capset, &m_header, m_saved);
    }
    WithoutFileOverride(const WithoutFileOverride &) = delete;
    WithoutFileOverride &operator=(const WithoutFileOverride &) = delete;

private:
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2]{};
    bool m_lowered = false;
};

// For its lifetime the process cannot take more than extra bytes of address space beyond what
// it holds: allocations past that fail as on a machine out of memory.
class AddressSpaceLimit
{
public:
    explicit AddressSpaceLimit(rlim_t extra)
    {
        QFile statm(QStringLiteral("/proc/self/statm"));
        if (!statm.open(QIODevice::ReadOnly) || ::getrlimit(RLIMIT_AS, &m_saved) != 0)
            return;
        const rlim_t held = statm.readAll().split(' ').value(0).toULongLong() * rlim_t(::sysconf(_SC_PAGESIZE));
        rlimit lowered = m_saved;
        lowered.rlim_cur = held + extra;
        m_set = held > 0 && ::setrlimit(RLIMIT_AS, &lowered) == 0;
    }
    ~AddressSpaceLimit()
    {
        if (m_set)
            ::setrlimit(RLIMIT_AS, &m_saved);
    }
    AddressSpaceLimit(const AddressSpaceLimit &) = delete;
    AddressSpaceLimit &operator=(const AddressSpaceLimit &) = delete;
    bool ok() const { return m_set; }

private:
    rlimit m_saved{};
    bool m_set = false;
};

// A file of size bytes that takes no room on the disk.
void makeSparse(const QString &path, qint64 size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !file.resize(size))
        qFatal("cannot make %s", qPrintable(path));
}

// Makes path mode 000; true when it then really cannot be opened for reading.
bool makeUnreadable(const QString &path)
{
    if (::chmod(QFile::encodeName(path).constData(), 0) != 0)
        return false;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd >= 0)
        ::close(fd);
    return fd < 0;
}

void makeReadOnlyFile(const QString &path)
{
    if (::chmod(QFile::encodeName(path).constData(), 0444) != 0)
        qFatal("cannot chmod %s", qPrintable(path));
}

mode_t modeOf(const QString &path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// The one box text expected, or none.
QStringList listOf(const QString &text)
{
    return text.isEmpty() ? QStringList() : QStringList{text};
}

// Bytes that are no text: control bytes and the upper half, without the line ends and 0x1A
// (which have cases of their own), in lines of 50 bytes ended by LF.
QByteArray binaryJunk(int lines)
{
    QRandomGenerator random(1926);
    QByteArray bytes;
    for (int line = 0; line < lines; ++line) {
        for (int i = 0; i < 50; ++i) {
            char byte = 0;
            do
                byte = char(random.bounded(256));
            while ((uchar(byte) >= 0x20 && uchar(byte) < 0x80) || byte == '\n' || byte == '\r' || byte == '\x1a');
            bytes.append(byte);
        }
        bytes.append('\n');
    }
    return bytes;
}

// What of the model a data file may change.
struct ModelState
{
    QByteArray schoolName;
    QList<QByteArray> keys;
    QList<double> values;

    bool operator==(const ModelState &) const = default;
};

QString describe(const ModelState &state)
{
    auto shown = [](const QByteArray &text) {
        return text.size() > 40 ? QStringLiteral("<%1 bytes>").arg(text.size()) : fromCp1251(text);
    };
    QStringList keys;
    for (const QByteArray &key : state.keys)
        keys.append(shown(key));
    QStringList values;
    for (double value : state.values)
        values.append(QString::number(value));
    return QStringLiteral("name \"%1\", keys [%2], values [%3]")
        .arg(shown(state.schoolName), keys.join(QLatin1Char(',')), values.join(QLatin1Char(',')));
}

char *toString(const ModelState &state)
{
    return qstrdup(qPrintable(describe(state)));
}

ModelState stateOf(const IndicatorModel &model)
{
    ModelState state{model.SchoolName, {}, values(model)};
    for (const razdel &section : model.Catalog) {
        for (const pokazatel &item : section.Items)
            state.keys.append(item.Key);
    }
    return state;
}

// Keys, values and name unlike those of any file here, shown in the grid.
ModelState setBaseline(FormFixture &fixture)
{
    fixture.model.SchoolName = toCp1251(u"Школа №5");
    int k = 0;
    for (razdel &section : fixture.model.Catalog) {
        for (pokazatel &item : section.Items) {
            ++k;
            item.Key = "KEY" + QByteArray::number(k);
            item.Value = 10 + k * 0.25;
        }
    }
    fixture.form->RefreshValues();
    fixture.boxes.clear();
    return stateOf(fixture.model);
}

// The value column of every indicator row, and what the model says it should show.
QStringList gridValues(const TForm1 &form, const IndicatorModel &model)
{
    QStringList shown;
    int row = 1;
    for (const razdel &section : model.Catalog) {
        ++row;
        for (qsizetype i = 0; i < section.Items.size(); ++i)
            shown.append(form.Grid1->cells(6, row++));
    }
    return shown;
}

QStringList modelValues(const IndicatorModel &model)
{
    QStringList texts;
    for (double value : values(model))
        texts.append(numberText(value));
    return texts;
}

// After the open command: the boxes it showed, the model's state, and the grid showing the model.
void verifyOpened(const FormFixture &fixture, const QString &error, const QString &warning, const ModelState &expected)
{
    QCOMPARE(fixture.boxes.texts(Kind::Error), listOf(error));
    QCOMPARE(fixture.boxes.texts(Kind::Warning), listOf(warning));
    QCOMPARE(stateOf(fixture.model), expected);
    QCOMPARE(gridValues(*fixture.form, fixture.model), modelValues(fixture.model));
}

QString yearWarning(const QString &fileYear)
{
    return QStringLiteral("Рік файлу з даними (") + fileYear + QStringLiteral(") не співпадає з поточним роком (2026)");
}

// Types text into the value cell of row as a user does: the first key opens the cell's editor,
// which takes the others; Return ends it.
void typeValue(TForm1 &form, int row, const QString &text)
{
    form.activateWindow();
    form.Grid1->setFocus();
    form.Grid1->setRow(row);
    form.Grid1->setCol(6);
    for (const QChar c : text)
        typeKey(c.toLatin1());
    pressKey(Qt::Key_Return);
}

// A value typed into the first indicator row reaches the model.
bool typingWorks(FormFixture &fixture)
{
    if (fixture.model.indicatorCount() == 0)
        return true;
    int row = 1;
    while (fixture.model.rows().at(row).kind != GridRow::Indicator)
        ++row;
    typeValue(*fixture.form, row, QStringLiteral("4,5"));
    const GridRow at = fixture.model.rows().at(row);
    return fixture.model.Catalog[at.section].Items[at.item].Value == 4.5;
}

enum class SavePlace { FullDisk, ReadOnlyFolder, MissingFolder, ReadOnlyFile };

// What stands where the program expects a file. A device, a read-only file and a read-only folder
// are the callers' own; placeStand makes the others.
enum class Stand {
    File, Folder, DanglingLink, Unreadable, Pipe, Huge, OutOfMemory, ReadOnlyFile, Device, ReadOnlyFolder
};

// Puts stand at path, a file of it holding contents. False when mode 000 does not stop reading
// here; an unreadable file stays so to the test while noOverride is held.
bool placeStand(Stand stand, const QString &path, const QByteArray &contents,
                std::optional<WithoutFileOverride> &noOverride)
{
    bool made = true;
    switch (stand) {
    case Stand::File:
        writeBytes(path, contents);
        break;
    case Stand::Folder:
        made = QDir().mkdir(path);
        break;
    case Stand::DanglingLink:
        made = QFile::link(path + QStringLiteral(".gone"), path);
        break;
    case Stand::Pipe:
        made = ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
        break;
    case Stand::Unreadable:
        writeBytes(path, contents);
        noOverride.emplace();
        return makeUnreadable(path);
    case Stand::Huge:
        makeSparse(path, MaxReadSize + 1);
        break;
    case Stand::OutOfMemory:
        makeSparse(path, 200 * 1024 * 1024);
        break;
    case Stand::ReadOnlyFile:
    case Stand::Device:
    case Stand::ReadOnlyFolder:
        qFatal("placed by the caller");
    }
    if (!made)
        qFatal("cannot make %s", qPrintable(path));
    return true;
}

} // namespace

Q_DECLARE_METATYPE(SavePlace)
Q_DECLARE_METATYPE(Stand)

class tst_WindowFaults : public QObject
{
    Q_OBJECT

private slots:
    void saveFault_data();
    void saveFault();

    void openFault_data();
    void openFault();
    void openLongLine_data();
    void openLongLine();
    void openCutOffEverywhere();

    void startupFault_data();
    void startupFault();
    void schoolNameCommand_data();
    void schoolNameCommand();

    void hundredThousandIndicators();
};

void tst_WindowFaults::saveFault_data()
{
    QTest::addColumn<SavePlace>("place");
    QTest::addColumn<bool>("existing");
    QTest::addColumn<QString>("message");

    QTest::newRow("full disk, over a file") << SavePlace::FullDisk << true << "Disk full.";
    QTest::newRow("full disk, a new file") << SavePlace::FullDisk << false << "Disk full.";
    QTest::newRow("read-only folder, over a file") << SavePlace::ReadOnlyFolder << true << AccessDenied;
    QTest::newRow("read-only folder, a new file") << SavePlace::ReadOnlyFolder << false << AccessDenied;
    QTest::newRow("folder that does not exist") << SavePlace::MissingFolder << false << NotFound;
    QTest::newRow("over a read-only file") << SavePlace::ReadOnlyFile << true << AccessDenied;
}

void tst_WindowFaults::saveFault()
{
    QFETCH(SavePlace, place);
    QFETCH(bool, existing);
    QFETCH(QString, message);
    const bool onDisk = place == SavePlace::FullDisk || place == SavePlace::ReadOnlyFolder;
    SmallDisk disk(QStringLiteral("64k"));
    if (onDisk && !disk.ok())
        QSKIP(NoMount);
    FormFixture fixture;
    TForm1 &form = fixture.show();
    const ModelState before = setBaseline(fixture);

    QString folder = fixture.path(QStringLiteral("out"));
    if (onDisk)
        folder = disk.path();
    else if (place == SavePlace::MissingFolder)
        folder = fixture.path(QStringLiteral("no such folder"));
    else
        QVERIFY(QDir().mkdir(folder));
    const QString target = folder + QStringLiteral("/Школа №5(2026).zrs");
    const QByteArray old("2025\r\nold file\r\n\x1a kept byte for byte");
    if (existing)
        writeBytes(target, old);
    if (place == SavePlace::FullDisk)
        QVERIFY(fillUp(disk.filePath(QStringLiteral("filler"))));
    if (place == SavePlace::ReadOnlyFolder)
        QVERIFY(disk.makeReadOnly());
    if (place == SavePlace::ReadOnlyFile)
        makeReadOnlyFile(target);
    const QStringList entries = folderEntries(folder);

    fixture.boxes.fileAnswers.enqueue(folder + QStringLiteral("/Школа №5(2026)"));
    fixture.boxes.confirmAnswers.enqueue(true);
    form.ToolButton3->click();

    QCOMPARE(fixture.boxes.count(Kind::ConfirmYesNo), existing ? 1 : 0);
    QCOMPARE(fixture.boxes.texts(Kind::Error), QStringList{message});
    if (existing)
        QCOMPARE(readBytes(target), old);
    else
        QVERIFY(!QFileInfo::exists(target));
    QCOMPARE(folderEntries(folder), entries);
    if (place == SavePlace::MissingFolder)
        QVERIFY(!QFileInfo::exists(folder));
    if (place == SavePlace::ReadOnlyFile)
        QCOMPARE(modeOf(target), mode_t(0444));
    QCOMPARE(stateOf(fixture.model), before);

    // The program runs on: the same command into a sound folder saves.
    fixture.boxes.fileAnswers.enqueue(fixture.path(QStringLiteral("sound")));
    form.ToolButton3->click();
    QCOMPARE(fixture.boxes.count(Kind::Error), 1);
    QVERIFY(readBytes(fixture.path(QStringLiteral("sound.zrs"))).startsWith(toCp1251(u"2026\r\nШкола №5\r\nKEY1\r\n")));
}

void tst_WindowFaults::openFault_data()
{
    QTest::addColumn<Stand>("stand");
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("warning");

    const QByteArray junk = binaryJunk(40);
    QTest::newRow("a folder") << Stand::Folder << QByteArray() << AccessDenied << "";
    QTest::newRow("a dangling link") << Stand::DanglingLink << QByteArray() << NotFound << "";
    QTest::newRow("an unreadable file") << Stand::Unreadable << QByteArray("2026\r\n") << AccessDenied << "";
    QTest::newRow("a pipe") << Stand::Pipe << QByteArray() << AccessDenied << "";
    QTest::newRow("an endless device") << Stand::Device << QByteArray() << AccessDenied << "";
    QTest::newRow("a file above 256 MB")
        << Stand::Huge << QByteArray()
        << QStringLiteral("Файл \"data.zrs\" завеликий: програма читає файли не більші за 256 МБ.") << "";
    QTest::newRow("no memory for the file")
        << Stand::OutOfMemory << QByteArray() << QStringLiteral("Недостатньо пам'яті для виконання команди.") << "";
    QTest::newRow("an empty file") << Stand::File << QByteArray("") << "" << yearWarning(QString());
    QTest::newRow("binary junk") << Stand::File << junk << "" << yearWarning(fromCp1251(junk.left(50)));
    QTest::newRow("the year, then binary junk") << Stand::File << QByteArray("2026\r\n" + junk) << BadNumber << "";
    QTest::newRow("a number with a comma")
        << Stand::File << toCp1251(u"2026\r\nЛіцей\r\nL1\r\n 2,5\r\n") << BadNumber << "";
    QTest::newRow("a number too large")
        << Stand::File << QByteArray("2026\r\nSchool\r\nL1\r\n 1E400\r\n") << BadNumber << "";
}

// Every failure leaves the model as it was and the grid showing it.
void tst_WindowFaults::openFault()
{
    QFETCH(Stand, stand);
    QFETCH(QByteArray, contents);
    QFETCH(QString, error);
    QFETCH(QString, warning);
#if defined(__SANITIZE_ADDRESS__)
    if (stand == Stand::OutOfMemory)
        QSKIP("The address sanitizer does not run under a limit of the address space.");
#endif
    FormFixture fixture;
    TForm1 &form = fixture.show();
    const ModelState before = setBaseline(fixture);
    QString path = fixture.path(QStringLiteral("data.zrs"));
    std::optional<WithoutFileOverride> noOverride;
    if (stand == Stand::Device)
        path = QStringLiteral("/dev/zero");
    else if (!placeStand(stand, path, contents, noOverride))
        QSKIP(NoUnreadable);
    fixture.boxes.fileAnswers.enqueue(path);
    std::optional<AddressSpaceLimit> memoryLimit;
    if (stand == Stand::OutOfMemory) {
        memoryLimit.emplace(64 * 1024 * 1024);
        if (!memoryLimit->ok())
            QSKIP("The address space cannot be limited here.");
    }
    form.ToolButton11->click();
    memoryLimit.reset();
    noOverride.reset();

    verifyOpened(fixture, error, warning, before);
    QVERIFY(typingWorks(fixture));
}

void tst_WindowFaults::openLongLine_data()
{
    QTest::addColumn<int>("line"); // of fixtureDataFile: 0 the year, 1 the name, 2 the first key, 3 its value
    QTest::addColumn<char>("fill");
    QTest::addColumn<char>("last"); // the line's last byte, or 0 for the fill throughout
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<double>("value"); // of the first indicator when the file loads

    QTest::newRow("year") << 0 << 'x' << '\0' << ""
                          << yearWarning(QString(64, QLatin1Char('x')) + QChar(0x2026)) << 0.0;
    QTest::newRow("school name") << 1 << 'x' << '\0' << "" << "" << 1.0;
    QTest::newRow("key") << 2 << 'k' << '\0' << "" << "" << 1.0;
    QTest::newRow("zeros of a number") << 3 << '0' << '7' << "" << "" << 7.0;
    QTest::newRow("blanks before a number") << 3 << ' ' << '7' << "" << "" << 7.0;
    QTest::newRow("digits of a number") << 3 << '1' << '\0' << BadNumber << "" << 0.0;
}

// A line of 100 MB, anywhere in a data file: it loads as any line does, or fails cleanly, and a
// box never shows more than the start of it.
void tst_WindowFaults::openLongLine()
{
    QFETCH(int, line);
    QFETCH(char, fill);
    QFETCH(char, last);
    QFETCH(QString, error);
    QFETCH(QString, warning);
    QFETCH(double, value);
    FormFixture fixture;
    TForm1 &form = fixture.show();
    const ModelState before = setBaseline(fixture);
    const QString path = fixture.path(QStringLiteral("long.zrs"));
    QByteArray longLine(HundredMegabytes, fill);
    if (last)
        longLine.back() = last;
    {
        QList<QByteArray> lines = fixtureDataFile(QStringLiteral("2026"), QStringLiteral("Ліцей №7")).split('\n');
        lines[line] = longLine + '\r';
        writeBytes(path, lines.join('\n'));
    }
    fixture.boxes.fileAnswers.enqueue(path);
    form.ToolButton11->click();

    ModelState expected = before;
    if (error.isEmpty() && warning.isEmpty()) {
        expected = {toCp1251(u"Ліцей №7"), {"L1", "L2", "L3", "L4", "L5"}, {1, 2, 3, 4, 5}}; // the file's own
        if (line == 1)
            expected.schoolName = longLine;
        if (line == 2)
            expected.keys[0] = longLine;
        expected.values[0] = value;
    }
    verifyOpened(fixture, error, warning, expected);
}

// A sound data file cut after each of its bytes. What a cut leaves follows from the text-file
// rules: lines before the cut are whole, the cut line is its start, the rest reads as empty
// lines and zeros. A year cut short fails the year check and a number cut just after its "E" is
// no number; either changes nothing.
void tst_WindowFaults::openCutOffEverywhere()
{
    FormFixture fixture;
    TForm1 &form = fixture.show();
    const QByteArray whole = fixtureDataFile(QStringLiteral("2026"), QStringLiteral("Ліцей №7"));
    const QList<QByteArray> lines = whole.split('\n');
    const QString path = fixture.path(QStringLiteral("cut.zrs"));
    for (qsizetype cut = 0; cut <= whole.size(); ++cut) {
        QByteArray year;
        ModelState expected{{}, QList<QByteArray>(5), QList<double>(5, 0.0)};
        bool badNumber = false;
        qsizetype start = 0;
        for (int i = 0; i < lines.size() && start < cut; ++i) {
            QByteArray part = whole.mid(start, qMin(cut, start + lines[i].size()) - start);
            part.replace('\r', QByteArrayView());
            start += lines[i].size() + 1;
            if (i == 0)
                year = part;
            else if (i == 1)
                expected.schoolName = part;
            else if (i % 2 == 0)
                expected.keys[i / 2 - 1] = part;
            else if (part.endsWith('E') || part.endsWith("E+"))
                badNumber = true;
            else if (!part.trimmed().isEmpty())
                expected.values[i / 2 - 1] = i / 2;
        }
        const ModelState before = setBaseline(fixture);
        writeBytes(path, whole.left(cut));
        fixture.boxes.fileAnswers.enqueue(path);
        form.ToolButton11->click();

        const QString at = QStringLiteral("cut after %1 bytes").arg(cut);
        const QStringList warnings = fixture.boxes.texts(Kind::Warning);
        const QStringList errors = fixture.boxes.texts(Kind::Error);
        if (year != "2026") {
            QVERIFY2(warnings == QStringList{yearWarning(QString::fromLatin1(year))} && errors.isEmpty(), qPrintable(at));
            expected = before;
        } else if (badNumber) {
            QVERIFY2(errors == QStringList{BadNumber} && warnings.isEmpty(), qPrintable(at));
            expected = before;
        } else {
            QVERIFY2(fixture.boxes.asked.size() == 1, qPrintable(at)); // the dialog alone
        }
        if (stateOf(fixture.model) != expected)
            QFAIL(qPrintable(at + QStringLiteral(": ") + describe(stateOf(fixture.model))));
        QVERIFY2(gridValues(form, fixture.model) == modelValues(fixture.model), qPrintable(at));
    }
}

void tst_WindowFaults::startupFault_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<Stand>("stand");
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("asked");

    // The school name is read only when the catalogue was.
    auto catalogue = [](const char *row, Stand stand, const QByteArray &contents, const QString &error,
                        const QString &caption, int rows) {
        QTest::newRow(row) << QStringLiteral("DEFAULT.lng") << stand << contents << error << caption << rows
                           << (error.isEmpty() ? QStringLiteral("Школа №5") : QString()) << false;
    };
    auto school = [](const char *row, Stand stand, bool asked) {
        QTest::newRow(row) << QStringLiteral("school_name.dat") << stand << toCp1251(u"Ліцей №1\r\n") << AccessDenied
                           << Design + QStringLiteral(" - 2026") << 6
                           << (asked ? QStringLiteral("Ліцей №9") : QString()) << asked;
    };
    const QByteArray sound = catalogBytes(QStringLiteral("2026"), sectionsOf({2, 3}));
    const QString soundCaption = Design + QStringLiteral(" - 2026");
    catalogue("catalogue: a folder", Stand::Folder, QByteArray(), AccessDenied, Design, 1);
    catalogue("catalogue: unreadable", Stand::Unreadable, sound, AccessDenied, Design, 1);
    catalogue("catalogue: a pipe", Stand::Pipe, QByteArray(), AccessDenied, Design, 1);
    catalogue("catalogue: empty", Stand::File, QByteArray(""), "", Design + QStringLiteral(" - "), 1);

    // Lines of 50 bytes, never "===": the year, one section's title, and 58 lines of which the
    // last four begin an indicator that the end cuts off: one section of 10 indicators.
    const QByteArray junk = binaryJunk(60);
    catalogue("catalogue: binary junk", Stand::File, junk, "",
              Design + QStringLiteral(" - ") + fromCp1251(junk.left(50)), 1 + 1 + 10);

    QByteArray cutAfterSection = sound;
    cutAfterSection.insert(sound.indexOf("===\r\n") + 5, '\x1a');
    catalogue("catalogue: 0x1A after the first section", Stand::File, cutAfterSection, "", soundCaption, 1 + 1 + 2);
    QByteArray cutInIndicator = sound;
    cutInIndicator.insert(sound.indexOf(toCp1251(u"Показник 2.1")) + 4, '\x1a');
    catalogue("catalogue: 0x1A inside an indicator", Stand::File, cutInIndicator, "", soundCaption, 1 + 3 + 2);

    QByteArray lfOnly = sound;
    lfOnly.replace("\r\n", "\n");
    catalogue("catalogue: LF only", Stand::File, lfOnly, "", soundCaption, 1 + 2 + 5);

    // Without any LF the whole file is its year line: no sections, and a caption that shows only
    // the start of that line.
    QByteArray loneCrs = sound;
    loneCrs.replace("\r\n", "\r");
    QString all = fromCp1251(sound);
    all.remove(QStringLiteral("\r\n"));
    catalogue("catalogue: lone CRs", Stand::File, loneCrs, "",
              Design + QStringLiteral(" - ") + all.left(64) + QChar(0x2026), 1);

    QByteArray crsInLines = sound;
    crsInLines.replace("2026", "20\r26");
    crsInLines.replace(toCp1251(u"Розділ"), toCp1251(u"Роз\rділ"));
    crsInLines.replace("\r\n===", "\r\n=\r==");
    catalogue("catalogue: CRs inside lines", Stand::File, crsInLines, "", soundCaption, 1 + 2 + 5);

    school("school name: a folder of that name", Stand::Folder, false);
    school("school name: an unreadable file", Stand::Unreadable, false);
    school("school name: a pipe", Stand::Pipe, false);
    // No file, the name asked for, and a folder where it cannot be written.
    school("school name: a read-only working folder", Stand::ReadOnlyFolder, true);
}

// The start-up loads what the text-file rules make of the catalogue, or shows the error box and
// skips its other steps, writing nothing; either way the window works.
void tst_WindowFaults::startupFault()
{
    QFETCH(QString, file);
    QFETCH(Stand, stand);
    QFETCH(QByteArray, contents);
    QFETCH(QString, error);
    QFETCH(QString, caption);
    QFETCH(int, rows);
    QFETCH(QString, name);
    QFETCH(bool, asked);
    SmallDisk disk(QStringLiteral("1m"));
    if (stand == Stand::ReadOnlyFolder && !disk.ok())
        QSKIP(NoMount);
    const bool school = file == QStringLiteral("school_name.dat");
    FormFixture fixture(school ? catalogBytes(QStringLiteral("2026"), sectionsOf({2, 1}))
                               : stand == Stand::File ? contents : QByteArray(),
                        school ? QByteArray() : toCp1251(u"Школа №5\r\n"));
    std::optional<WithoutFileOverride> noOverride;
    if (stand == Stand::ReadOnlyFolder) {
        writeBytes(disk.filePath(QStringLiteral("DEFAULT.lng")), readBytes(QStringLiteral("DEFAULT.lng")));
        QVERIFY(disk.makeReadOnly());
        QVERIFY(QDir::setCurrent(disk.path()));
    } else if (stand != Stand::File && !placeStand(stand, file, contents, noOverride)) {
        QSKIP(NoUnreadable);
    }
    const QStringList entries = folderEntries(QStringLiteral("."));
    fixture.boxes.inputAnswers.enqueue(QStringLiteral("Ліцей №9"));
    TForm1 &form = fixture.show();
    noOverride.reset();

    QCOMPARE(fixture.boxes.texts(Kind::Error), listOf(error));
    QVERIFY(fixture.boxes.texts(Kind::Warning).isEmpty());
    QCOMPARE(fixture.boxes.count(Kind::Input), asked ? 1 : 0);
    QCOMPARE(fromCp1251(fixture.model.SchoolName), name);
    QCOMPARE(folderEntries(QStringLiteral(".")), entries);
    QCOMPARE(form.windowTitle(), caption);
    if (!error.isEmpty())
        QVERIFY(!(form.windowState() & Qt::WindowMaximized));
    QCOMPARE(form.statusText->text().isEmpty(), !error.isEmpty());
    QVERIFY(form.isVisible());
    QCOMPARE(form.Grid1->rowCount(), rows);
    QCOMPARE(fixture.model.rows().gridRowCount(), rows);
    if (stand == Stand::File && rows > 1 && fixture.model.CatalogYear == "2026")
        QCOMPARE(fixture.model.Catalog[0].Name, toCp1251(u"Розділ 1"));

    QVERIFY(typingWorks(fixture));
    fixture.boxes.fileAnswers.enqueue(fixture.path(QStringLiteral("saved")));
    form.ToolButton3->click();
    QCOMPARE(fixture.boxes.count(Kind::Error), error.isEmpty() ? 0 : 1);
    const QByteArray saved = readBytes(fixture.path(QStringLiteral("saved.zrs")));
    QVERIFY(saved.startsWith(fixture.model.CatalogYear + "\r\n" + fixture.model.SchoolName + "\r\n"));
    QCOMPARE(saved.count('\n'), 2 + 2 * fixture.model.indicatorCount());
}

void tst_WindowFaults::schoolNameCommand_data()
{
    QTest::addColumn<Stand>("fault");

    QTest::newRow("a folder of that name") << Stand::Folder;
    QTest::newRow("a read-only file") << Stand::ReadOnlyFile;
    QTest::newRow("a read-only working folder") << Stand::ReadOnlyFolder;
}

// The error box; the name is taken all the same, and what stood under the file's name is as it
// was, with nothing written beside it.
void tst_WindowFaults::schoolNameCommand()
{
    QFETCH(Stand, fault);
    SmallDisk disk(QStringLiteral("1m"));
    if (fault == Stand::ReadOnlyFolder && !disk.ok())
        QSKIP(NoMount);
    FormFixture fixture;
    if (fault == Stand::ReadOnlyFolder) {
        writeBytes(disk.filePath(QStringLiteral("DEFAULT.lng")), readBytes(fixture.path(QStringLiteral("DEFAULT.lng"))));
        writeBytes(disk.filePath(QStringLiteral("school_name.dat")), toCp1251(u"Школа №5\r\n"));
        QVERIFY(QDir::setCurrent(disk.path()));
    }
    TForm1 &form = fixture.show();
    QCOMPARE(fromCp1251(fixture.model.SchoolName), QStringLiteral("Школа №5"));
    const QString file = QStringLiteral("school_name.dat");
    if (fault == Stand::Folder) {
        QVERIFY(QFile::remove(file));
        QVERIFY(QDir().mkdir(file));
    } else if (fault == Stand::ReadOnlyFile) {
        makeReadOnlyFile(file);
    } else {
        QVERIFY(disk.makeReadOnly());
    }
    const QByteArray old = readBytes(file);
    const QStringList entries = folderEntries(QStringLiteral("."));
    fixture.boxes.inputAnswers.enqueue(QStringLiteral("Ліцей №9"));
    form.ToolButton6->click();

    QCOMPARE(fixture.boxes.texts(Kind::Error), QStringList{AccessDenied});
    QCOMPARE(fromCp1251(fixture.model.SchoolName), QStringLiteral("Ліцей №9"));
    QCOMPARE(folderEntries(QStringLiteral(".")), entries);
    QCOMPARE(QFileInfo(file).isDir(), fault == Stand::Folder);
    QCOMPARE(readBytes(file), old);
    if (fault == Stand::ReadOnlyFile)
        QCOMPARE(modeOf(file), mode_t(0444));

    // The program runs on with the new name.
    form.ToolButton3->click();
    QCOMPARE(fixture.boxes.asked.back().proposed, QStringLiteral("Ліцей №9(2026)"));
    QVERIFY(typingWorks(fixture));
}

// Shown, saved and opened back through the window's own commands.
void tst_WindowFaults::hundredThousandIndicators()
{
    constexpr int Count = 100000;
    FormFixture fixture(generatedCatalogue(Count));
    TForm1 &form = fixture.show();
    QVERIFY(fixture.boxes.asked.isEmpty());
    QCOMPARE(fixture.model.indicatorCount(), Count);
    QCOMPARE(form.Grid1->rowCount(), fixture.model.rows().gridRowCount());
    const int lastRow = form.Grid1->rowCount() - 1;

    const QList<std::pair<int, QString>> typed{{2, "1,5"}, {fixture.model.rows().indicatorRow(fixture.model.rows().indicatorIndex(2500, 7)), "12345"}, {lastRow, "0,25"}};
    for (const auto &[row, text] : typed) {
        QVERIFY(fixture.model.rows().at(row).kind == GridRow::Indicator);
        typeValue(form, row, text);
    }
    const ModelState saved = stateOf(fixture.model);
    fixture.boxes.fileAnswers.enqueue(fixture.path(QStringLiteral("big")));
    form.ToolButton3->click();
    QCOMPARE(readBytes(fixture.path(QStringLiteral("big.zrs"))).count('\n'), 2 + 2 * Count);

    for (razdel &section : fixture.model.Catalog) {
        for (pokazatel &item : section.Items)
            item.Value = 7;
    }
    fixture.boxes.fileAnswers.enqueue(fixture.path(QStringLiteral("big.zrs")));
    form.ToolButton11->click();
    QVERIFY(fixture.boxes.texts(Kind::Error).isEmpty());
    QVERIFY(fixture.boxes.texts(Kind::Warning).isEmpty());
    QVERIFY(stateOf(fixture.model) == saved);
    for (const auto &[row, text] : typed)
        QCOMPARE(form.Grid1->cells(6, row), text);
    QCOMPARE(form.Grid1->cells(6, 3), QStringLiteral("0"));
}

QTEST_MAIN(tst_WindowFaults)
#include "tst_windowfaults.moc"
