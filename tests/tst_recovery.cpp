#include "support/formfixture.h"
#include "support/keys.h"
#include "support/models.h"
#include "support/smalldisk.h"

#include "session/recoveryfile.h"
#include "session/recoverystore.h"
#include "session/recoverywriter.h"

#include <QToolButton>

using Kind = ScriptedBoxes::Kind;
using Answer = StandardBoxes::Answer;

namespace {

// More than the writer's delay and the write itself take on a busy machine.
constexpr int WriteTimeout = 1500;

// The fixture's catalogue (five indicators) in another year or shape.
IndicatorModel modelFor(const QByteArray &year, const QList<int> &counts = {3, 0, 2})
{
    IndicatorModel model = modelOf(counts);
    model.CatalogYear = year;
    return model;
}

// The fixture's window keeping its recovery file in a folder of the test's own.
class RecoveryFixture : public FormFixture
{
public:
    // The window goes first: it holds its lock in the folder.
    ~RecoveryFixture() { form.reset(); }
    TForm1 &start()
    {
        show().keepRecoveryIn(folder.path());
        return *form;
    }
    QString recoveryPath() const { return RecoveryStore(folder.path(), QDir::currentPath()).path(); }
    bool recoveryExists() const { return QFile::exists(recoveryPath()); }
    QStringList setAside() const
    {
        return QDir(folder.path()).entryList({QStringLiteral("*-*.zrs")}, QDir::Files, QDir::Name);
    }
    // A recovery file as a run that typed value into the first indicator would have left.
    void leaveRecovery(double value, const QString &dataFile = QString(), const QList<SummarySchool> &schools = {})
    {
        IndicatorModel typed = modelFor("2026");
        typed.Catalog[0].Items[0].Value = value;
        typed.SummarySchools = schools;
        writeBytes(recoveryPath(), recoveryFileBytes(typed, {QDir::currentPath(), dataFile, Written}));
    }

    QTemporaryDir folder;
    const QDateTime Written{QDate(2026, 3, 14), QTime(9, 5)};
};

void typeInFirstValue(TForm1 &form, const QByteArray &digits)
{
    form.Grid1->setRow(2);
    form.Grid1->setCol(6);
    form.Grid1->setFocus();
    for (char c : digits)
        typeKey(c);
}

} // namespace

class tst_Recovery : public QObject
{
    Q_OBJECT

private slots:
    void typedValuesAreWrittenWithinASecond();
    void clearedWhenNoLongerNeeded_data();
    void clearedWhenNoLongerNeeded();
    void offeredAtStart_data();
    void offeredAtStart();
    void unfitFileIsSetAside_data();
    void unfitFileIsSetAside();
    void secondCopyKeepsOffTheFirstsFile();
    void fullDiskWarnsOnce();
};

void tst_Recovery::typedValuesAreWrittenWithinASecond()
{
    RecoveryFixture fixture;
    TForm1 &form = fixture.start();
    QVERIFY(!fixture.recoveryExists());
    typeInFirstValue(form, "42");
    QTRY_VERIFY_WITH_TIMEOUT(fixture.recoveryExists(), WriteTimeout);
    // The data-file reader reads it as it is.
    const DataFileContents read = parseDataFile(readBytes(fixture.recoveryPath()), fixture.model.indicatorCount());
    QCOMPARE(read.values, (QList<double>{42, 0, 0, 0, 0}));
    QCOMPARE(read.schoolName, toCp1251(u"Школа №5"));
    // Each later change is written too, the school's name as well.
    typeKey('7');
    fixture.boxes.inputAnswers.enqueue(QStringLiteral("Ліцей №1"));
    form.ToolButton6->click();
    const auto recovered = [&] { return readRecoveryFile(fixture.recoveryPath(), fixture.model).contents; };
    QTRY_COMPARE_WITH_TIMEOUT(recovered().schoolName, toCp1251(u"Ліцей №1"), WriteTimeout);
    QCOMPARE(recovered().values[0], 427.0);
    QCOMPARE(readRecoveryFile(fixture.recoveryPath(), fixture.model).info.workingFolder,
             QFileInfo(QDir::currentPath()).canonicalFilePath());
}

enum Clearing { Saved, Opened, ExitSaved, ExitDropped };

void tst_Recovery::clearedWhenNoLongerNeeded_data()
{
    QTest::addColumn<int>("clearing");
    QTest::newRow("Записати") << int(Saved);
    QTest::newRow("Відкрити") << int(Opened);
    QTest::newRow("exit, values saved") << int(ExitSaved);
    QTest::newRow("exit, values dropped") << int(ExitDropped);
}

void tst_Recovery::clearedWhenNoLongerNeeded()
{
    QFETCH(int, clearing);
    RecoveryFixture fixture;
    TForm1 &form = fixture.start();
    writeBytes(fixture.path("data.zrs"), fixtureDataFile(QStringLiteral("2026"), QStringLiteral("Ліцей №7")));
    typeInFirstValue(form, "9");
    QTRY_VERIFY_WITH_TIMEOUT(fixture.recoveryExists(), WriteTimeout);
    switch (clearing) {
    case Saved:
        fixture.boxes.fileAnswers.enqueue(fixture.path("saved"));
        pressKey(Qt::Key_S, Qt::ControlModifier);
        break;
    case Opened:
        fixture.boxes.threeWayAnswers.enqueue(Answer::No);
        fixture.boxes.fileAnswers.enqueue(fixture.path("data.zrs"));
        form.ToolButton11->click();
        break;
    case ExitSaved:
        fixture.boxes.threeWayAnswers.enqueue(Answer::Yes);
        fixture.boxes.fileAnswers.enqueue(fixture.path("saved"));
        form.ToolButton7->click();
        break;
    case ExitDropped:
        fixture.boxes.threeWayAnswers.enqueue(Answer::No);
        form.close();
        break;
    }
    QTRY_VERIFY_WITH_TIMEOUT(!fixture.recoveryExists(), WriteTimeout);
    QVERIFY(fixture.setAside().isEmpty());
}

void tst_Recovery::offeredAtStart_data()
{
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("dataFile");
    QTest::addColumn<QList<SummarySchool>>("schools");
    const QList<SummarySchool> none;
    QTest::newRow("Yes, values of a data file") << true << QStringLiteral("school/data.zrs") << none;
    QTest::newRow("Yes, values never saved") << true << QString() << none;
    QTest::newRow("Yes, a summary never saved")
        << true << QString() << QList<SummarySchool>{{"A", "a.zrs"}, {"B", "b.zrs"}};
    QTest::newRow("No, with ten set aside before") << false << QString() << none;
}

void tst_Recovery::offeredAtStart()
{
    QFETCH(bool, answer);
    QFETCH(QString, dataFile);
    QFETCH(QList<SummarySchool>, schools);
    RecoveryFixture fixture;
    QDir().mkpath(fixture.path("school"));
    const QString belonged = dataFile.isEmpty() ? dataFile : fixture.path(dataFile);
    fixture.leaveRecovery(8.5, belonged, schools);
    const auto setAsideBefore = [&](int k) {
        return QFileInfo(fixture.recoveryPath()).baseName() + QStringLiteral("-2000010%1-000000.zrs").arg(k);
    };
    for (int k = 0; k < RecoveryStore::KeptAside; ++k)
        writeBytes(fixture.folder.filePath(setAsideBefore(k)), "old");
    // Another working folder's, kept whatever this one sets aside.
    const QString oldest = QStringLiteral("0000000000000000-20000101-000000.zrs");
    writeBytes(fixture.folder.filePath(oldest), "old");
    fixture.boxes.confirmAnswers.enqueue(answer);

    TForm1 &form = fixture.start();
    QCOMPARE(fixture.boxes.texts(Kind::ConfirmYesNo),
             QStringList{QStringLiteral("Роботу програми було перервано, а введені значення не записано (востаннє "
                                        "збережено 14.03.2026 о 09:05). Відновити їх?")});
    QCOMPARE(fixture.model.Catalog[0].Items[0].Value, answer ? 8.5 : 0.0);
    QCOMPARE(form.windowTitle().startsWith(QLatin1Char('*')), answer);
    QCOMPARE(form.Grid1->cells(6, 2), answer ? QStringLiteral("8,5") : QStringLiteral("0"));
    QCOMPARE(fixture.setAside().contains(oldest), true);
    if (answer) {
        QCOMPARE(fixture.model.SummarySchools, schools);
        QCOMPARE(fixture.setAside().size(), RecoveryStore::KeptAside + 1);
        fixture.boxes.clear();
        form.ToolButton3->click();
        const ScriptedBoxes::Asked save = fixture.boxes.asked.value(0);
        QCOMPARE(save.proposed, dataFile.isEmpty() ? proposedDataFileName(fixture.model) : QStringLiteral("data.zrs"));
        if (!dataFile.isEmpty())
            QCOMPARE(save.directory, fixture.path("school"));
        return;
    }
    // Set aside whole, the oldest of this working folder gone beyond the ten kept.
    QVERIFY(!fixture.recoveryExists());
    const QStringList aside = fixture.setAside();
    QCOMPARE(aside.size(), RecoveryStore::KeptAside + 1);
    QVERIFY(!aside.contains(setAsideBefore(0)));
    QCOMPARE(readRecoveryFile(fixture.folder.filePath(aside.last()), fixture.model).contents.values[0], 8.5);
    QCOMPARE(fixture.boxes.count(Kind::Warning), 0);
}

void tst_Recovery::unfitFileIsSetAside_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    const IndicatorModel other = modelFor("2025");
    const RecoveryInfo info{QDir::currentPath(), QString(), QDateTime::currentDateTime()};
    QTest::newRow("unreadable") << QByteArray("\x01\x02 not a recovery file") << QStringLiteral("файл пошкоджено");
    QTest::newRow("cut short") << recoveryFileBytes(other, info).left(40) << QStringLiteral("файл пошкоджено");
    QTest::newRow("another year") << recoveryFileBytes(other, info)
                                  << QStringLiteral("Рік файлу з даними (2025) не співпадає з поточним роком (2026)");
    QTest::newRow("more indicators") << recoveryFileBytes(modelFor("2026", {3, 0, 3}), info)
                                     << QStringLiteral("у ньому 6 показників, а в каталозі 5");
}

void tst_Recovery::unfitFileIsSetAside()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    RecoveryFixture fixture;
    writeBytes(fixture.recoveryPath(), bytes);
    TForm1 &form = fixture.start();
    QCOMPARE(fixture.boxes.count(Kind::ConfirmYesNo), 0);
    const QStringList aside = fixture.setAside();
    QCOMPARE(aside.size(), 1);
    QCOMPARE(readBytes(fixture.folder.filePath(aside[0])), bytes);
    QCOMPARE(fixture.boxes.texts(Kind::Warning),
             QStringList{QStringLiteral("Значення з файлу відновлення \"%1\" не відновлено: %2. Файл відкладено як \"%3\".")
                             .arg(QDir::toNativeSeparators(fixture.recoveryPath()), reason,
                                  QDir::toNativeSeparators(fixture.folder.filePath(aside[0])))});
    // The start went on, and values typed now are kept again.
    QCOMPARE(values(fixture.model), (QList<double>{0, 0, 0, 0, 0}));
    typeInFirstValue(form, "3");
    QTRY_VERIFY_WITH_TIMEOUT(fixture.recoveryExists(), WriteTimeout);
}

void tst_Recovery::secondCopyKeepsOffTheFirstsFile()
{
    RecoveryFixture fixture;
    RecoveryStore first(fixture.folder.path(), QDir::currentPath());
    QCOMPARE(first.lock(), RecoveryStore::Lock::Taken);
    fixture.leaveRecovery(6);
    const QByteArray firsts = readBytes(fixture.recoveryPath());

    TForm1 &form = fixture.start();
    QCOMPARE(fixture.boxes.count(Kind::ConfirmYesNo), 0);
    QCOMPARE(fixture.boxes.texts(Kind::Warning),
             QStringList{QStringLiteral("Програма вже працює з цією текою в іншому вікні. Значення, введені в цьому "
                                        "вікні, не зберігатимуться на випадок збою, доки їх не записано кнопкою "
                                        "\"Записати\".")});
    typeInFirstValue(form, "12");
    QTest::qWait(WriteTimeout);
    QCOMPARE(readBytes(fixture.recoveryPath()), firsts);
    QCOMPARE(fixture.boxes.count(Kind::Warning), 1);
}

void tst_Recovery::fullDiskWarnsOnce()
{
    SmallDisk disk(QStringLiteral("64k"));
    if (!disk.ok())
        QSKIP("mounting a small disk needs root");
    RecoveryFixture fixture;
    TForm1 &form = fixture.show();
    form.keepRecoveryIn(disk.path());
    typeInFirstValue(form, "5");
    const QString path = RecoveryStore(disk.path(), QDir::currentPath()).path();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(path), WriteTimeout);
    const QByteArray kept = readBytes(path);
    QVERIFY(fillUp(disk.filePath(QStringLiteral("filler"))));

    // Typing goes on over several failed writes.
    for (char c : QByteArray("1234")) {
        typeKey(c);
        QTest::qWait(int(RecoveryWriter::Delay.count()));
    }
    QTRY_COMPARE_WITH_TIMEOUT(fixture.boxes.count(Kind::Warning), 1, WriteTimeout);
    QTest::qWait(WriteTimeout);
    QCOMPARE(fixture.boxes.texts(Kind::Warning),
             QStringList{QStringLiteral("Введені значення не вдається зберегти на випадок збою: %1. Робота триває; "
                                        "запишіть значення кнопкою \"Записати\".")
                             .arg(QStringLiteral("Disk full"))});
    QCOMPARE(fixture.model.Catalog[0].Items[0].Value, 51234.0);
    QCOMPARE(readBytes(path), kept);
}

QTEST_MAIN(tst_Recovery)
#include "tst_recovery.moc"
