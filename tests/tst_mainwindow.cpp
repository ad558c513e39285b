#include "formfixture.h"

#include "indicators/datafile.h"
#include "platform/skin.h"

#include <QLabel>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace {

using Kind = ScriptedBoxes::Kind;

const QString Proposal = QStringLiteral("Середня школа №");
const QString ExitQuestion = QStringLiteral("Ви дійсно вирішили війти з програми?");

} // namespace

class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void startupSchoolName_data();
    void startupSchoolName();
    void startupCatalog();
    void startupWithoutCatalog();
    void startupErrorShowsBoxAndRunsOn();
    void toolBar();
    void skinLook();

    void saveCommand_data();
    void saveCommand();
    void saveOverwrite_data();
    void saveOverwrite();

    void openMatchingYear();
    void openOtherYear();
    void openCancelledRefreshes();
    void openUnreadable_data();
    void openUnreadable();
    void openFromCommandLine();

    void schoolNameCommand_data();
    void schoolNameCommand();
    void exitQuestion_data();
    void exitQuestion();
    void wizardAndReportButtons();
};

void tst_MainWindow::startupSchoolName_data()
{
    QTest::addColumn<QByteArray>("file"); // school_name.dat before start; null: none
    QTest::addColumn<bool>("asked");
    QTest::addColumn<std::optional<QString>>("answer"); // nothing = Cancel
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("fileAfter"); // null: no file

    const std::optional<QString> none;
    QTest::newRow("file present") << toCp1251(u"Ліцей №2\r\nдругий рядок\r\n") << false << none << "Ліцей №2"
                                  << toCp1251(u"Ліцей №2\r\nдругий рядок\r\n");
    QTest::newRow("present but empty") << QByteArray("") << false << none << "" << QByteArray("");
    QTest::newRow("absent, OK") << QByteArray() << true << std::optional<QString>(Proposal) << Proposal
                                << toCp1251(Proposal + QStringLiteral("\r\n"));
    QTest::newRow("absent, OK on an emptied text")
        << QByteArray() << true << std::optional<QString>(QString()) << "" << QByteArray();
    QTest::newRow("absent, Cancel") << QByteArray() << true << none << Proposal << toCp1251(Proposal + QStringLiteral("\r\n"));
    QTest::newRow("absent, a name with a line break")
        << QByteArray() << true << std::optional<QString>(QStringLiteral("Гімназія\n№3")) << "Гімназія №3"
        << toCp1251(u"Гімназія №3\r\n");
}

void tst_MainWindow::startupSchoolName()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, asked);
    QFETCH(std::optional<QString>, answer);
    QFETCH(QString, name);
    QFETCH(QByteArray, fileAfter);
    FormFixture fixture(catalogBytes(QStringLiteral("2026"), sectionsOf({1})), file);
    fixture.boxes.inputAnswers.enqueue(answer);
    fixture.create();

    QCOMPARE(fixture.boxes.count(Kind::Input), asked ? 1 : 0);
    if (asked) {
        const ScriptedBoxes::Asked &input = fixture.boxes.asked.front();
        QCOMPARE(input.caption, QStringLiteral("Запит"));
        QCOMPARE(input.text, QStringLiteral("Введіть назву навчального закладу: "));
        QCOMPARE(input.proposed, Proposal);
    }
    QCOMPARE(fromCp1251(fixture.model.SchoolName), name);
    QCOMPARE(QFile::exists(fixture.path("school_name.dat")), !fileAfter.isNull());
    if (!fileAfter.isNull())
        QCOMPARE(readBytes(fixture.path("school_name.dat")), fileAfter);
    QVERIFY(fixture.form->windowState() & Qt::WindowMaximized);
}

void tst_MainWindow::startupCatalog()
{
    FormFixture fixture;
    TForm1 &form = fixture.create();
    QCOMPARE(form.windowTitle(), QStringLiteral("Формування показників діяльності ЗНЗ - 2026"));
    QCOMPARE(form.statusText->text(), QStringLiteral("Версія " ZORIS_VERSION));
    QVERIFY(QStringLiteral(ZORIS_VERSION).count(QLatin1Char('.')) >= 2);
    QCOMPARE(fixture.model.Catalog.size(), 3);
    QVERIFY(fixture.boxes.asked.isEmpty());
    // The grid is filled when the window is first shown.
    QCOMPARE(form.Grid1->RowCount(), 2);
    form.show();
    QCOMPARE(form.Grid1->RowCount(), 9);
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(form.minimumWidth() <= 640 && form.minimumHeight() <= 480);
}

void tst_MainWindow::startupWithoutCatalog()
{
    FormFixture fixture{QByteArray()};
    TForm1 &form = fixture.show();
    QCOMPARE(fixture.boxes.texts(Kind::Warning), QStringList{QStringLiteral("Файл конфігурації відсутній")});
    QCOMPARE(form.windowTitle(), QStringLiteral("Формування показників діяльності ЗНЗ"));
    QCOMPARE(form.Grid1->RowCount(), 1);
    QCOMPARE(fromCp1251(fixture.model.SchoolName), QStringLiteral("Школа №5"));
    QCOMPARE(form.statusText->text(), QStringLiteral("Версія " ZORIS_VERSION));
}

void tst_MainWindow::startupErrorShowsBoxAndRunsOn()
{
    FormFixture fixture(catalogBytes(QStringLiteral("2026"), sectionsOf({2})), QByteArray());
    QDir().mkdir(QStringLiteral("school_name.dat")); // exists, cannot be read
    TForm1 &form = fixture.show();
    QCOMPARE(fixture.boxes.texts(Kind::Error), QStringList{QStringLiteral("File access denied.")});
    QCOMPARE(fixture.boxes.count(Kind::Input), 0);
    // The remaining steps were skipped; the catalogue read before stays and the window works.
    QVERIFY(!(form.windowState() & Qt::WindowMaximized));
    QVERIFY(form.statusText->text().isEmpty());
    QCOMPARE(form.windowTitle(), QStringLiteral("Формування показників діяльності ЗНЗ - 2026"));
    QVERIFY(form.isVisible());
    QCOMPARE(form.Grid1->RowCount(), 4);
    form.Grid1->setRow(2);
    form.Grid1->setCol(6);
    QTest::keyClick(form.Grid1, '4');
    QCOMPARE(fixture.model.Catalog[0].Items[0].Value, 4.0);
}

void tst_MainWindow::toolBar()
{
    FormFixture fixture;
    TForm1 &form = fixture.show();
    const QList<QToolButton *> buttons{form.ToolButton11, form.ToolButton3, form.ToolButton4,
                                       form.ToolButton5,  form.ToolButton6, form.ToolButton8,
                                       form.ToolButton7};
    const QStringList captions{"Відкрити", "Записати", "Ввести дані", "Роздрук", "Назва школи", "Зведення", "Вихід"};
    const QStringList hints{"Відкрити файл з даними", "Записати файл з даними", "Ввести значення показникiв",
                            "Роздрукувати звіт",      "Ввести назву школи",     "Зведені показники кількох закладів",
                            "Вийти з програми"};
    int previousRight = -1;
    QList<QImage> images;
    for (int i = 0; i < buttons.size(); ++i) {
        QToolButton *button = buttons[i];
        QCOMPARE(button->text(), captions[i]);
        QCOMPARE(button->toolTip(), hints[i]);
        QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QVERIFY(!button->autoRaise());
        const QImage image = button->icon().pixmap(48, 48).toImage();
        QCOMPARE(image.size(), QSize(48, 48));
        QVERIFY(!images.contains(image));
        images.append(image);
        QVERIFY(button->x() > previousRight); // in order, left to right
        previousRight = button->geometry().right();
    }
    // The focus starts on the tool bar, not in the grid.
    FormFixture second;
    TForm1 &shown = second.create();
    shown.show();
    QVERIFY(QTest::qWaitForWindowActive(&shown));
    QCOMPARE(QApplication::focusWidget(), shown.ToolButton11);
}

void tst_MainWindow::skinLook()
{
    qApp->setStyleSheet(Skin::styleSheet());
    FormFixture fixture;
    TForm1 &form = fixture.show();
    QCOMPARE(form.sToolBar1->height(), 81);
    QCOMPARE(form.ToolButton4->size(), QSize(72, 68));
    QCOMPARE(form.sStatusBar1->height(), 19);
    QCOMPARE(form.palette().color(QPalette::Window), QColor(176, 206, 241));
    QCOMPARE(form.font().family(), QStringLiteral("Tahoma"));
    QCOMPARE(form.font().pointSize(), 8);
    int separators = 0;
    for (const QWidget *child : form.sToolBar1->findChildren<QWidget *>()) {
        if (child->inherits("QToolBarSeparator")) {
            QCOMPARE(child->width(), 8);
            ++separators;
        }
    }
    QCOMPARE(separators, 6);
    qApp->setStyleSheet(QString());
}

void tst_MainWindow::saveCommand_data()
{
    QTest::addColumn<std::optional<QString>>("chosen"); // relative to the folder
    QTest::addColumn<QString>("written");                // nothing written: empty

    QTest::newRow("cancel") << std::optional<QString>() << "";
    QTest::newRow("empty name") << std::optional<QString>(QString()) << "";
    QTest::newRow("report") << std::optional<QString>("report") << "report.zrs";
    QTest::newRow("report.zrs") << std::optional<QString>("report.zrs") << "report.zrs";
    QTest::newRow("report.ZRS") << std::optional<QString>("report.ZRS") << "report.ZRS.zrs";
}

void tst_MainWindow::saveCommand()
{
    QFETCH(std::optional<QString>, chosen);
    QFETCH(QString, written);
    FormFixture fixture;
    TForm1 &form = fixture.show();
    fixture.model.Catalog[2].Items[1].Value = 25;
    if (chosen && !chosen->isEmpty())
        chosen = fixture.path(*chosen);
    fixture.boxes.fileAnswers.enqueue(chosen);
    form.ToolButton3->click();

    QCOMPARE(fixture.boxes.count(Kind::SaveFile), 1);
    const ScriptedBoxes::Asked &dialog = fixture.boxes.asked.back();
    QCOMPARE(dialog.text, QStringLiteral("Файлы данных *.zrs|*.zrs"));
    QCOMPARE(dialog.proposed, QStringLiteral("Школа №5(2026)"));
    QCOMPARE(dialog.directory, QCoreApplication::applicationDirPath());
    QCOMPARE(fixture.boxes.count(Kind::ConfirmYesNo), 0);
    const QStringList files = QDir(fixture.path(".")).entryList({"*.zrs", "*.ZRS"}, QDir::Files);
    if (written.isEmpty()) {
        QVERIFY(files.isEmpty());
        return;
    }
    QCOMPARE(files, QStringList{written});
    const QByteArray bytes = readBytes(fixture.path(written));
    QVERIFY(bytes.startsWith(toCp1251(u"2026\r\nШкола №5\r\nKEY1\r\n 0.00000000000000E+0000\r\n")));
    QVERIFY(bytes.endsWith("KEY5\r\n 2.50000000000000E+0001\r\n"));
}

void tst_MainWindow::saveOverwrite_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes") << true;
    QTest::newRow("No") << false;
}

void tst_MainWindow::saveOverwrite()
{
    QFETCH(bool, yes);
    FormFixture fixture;
    TForm1 &form = fixture.show();
    const QByteArray old("old contents\r\n\x1a kept byte for byte");
    writeBytes(fixture.path("report.zrs"), old);
    fixture.boxes.fileAnswers.enqueue(fixture.path("report"));
    fixture.boxes.confirmAnswers.enqueue(yes);
    form.ToolButton3->click();

    QCOMPARE(fixture.boxes.texts(Kind::ConfirmYesNo),
             QStringList{QStringLiteral("Файл \"report.zrs\" вже існує. Ви дійсно бажаєте переписати його?")});
    QCOMPARE(fixture.boxes.count(Kind::SaveFile), 1); // the dialog is not shown again
    const QByteArray now = readBytes(fixture.path("report.zrs"));
    if (yes)
        QVERIFY(now.startsWith("2026\r\n"));
    else
        QCOMPARE(now, old);
}

void tst_MainWindow::openMatchingYear()
{
    FormFixture fixture;
    TForm1 &form = fixture.show();
    writeBytes(fixture.path("data.zrs"), fixtureDataFile(QStringLiteral("2026"), QStringLiteral("Ліцей №7")));
    fixture.boxes.fileAnswers.enqueue(fixture.path("data.zrs"));
    form.ToolButton11->click();

    QCOMPARE(fixture.boxes.texts(Kind::OpenFile), QStringList{QStringLiteral("Файли даних АС \"Зоріс\"|*.zrs")});
    QVERIFY(fixture.boxes.texts(Kind::Warning).isEmpty());
    QCOMPARE(fromCp1251(fixture.model.SchoolName), QStringLiteral("Ліцей №7"));
    QCOMPARE(fixture.model.Catalog[0].Items[0].Key, QByteArray("L1"));
    QCOMPARE(fixture.model.Catalog[2].Items[1].Value, 5.0);
    const QStringList shown{form.Grid1->Cells(6, 2), form.Grid1->Cells(6, 4), form.Grid1->Cells(6, 8)};
    QCOMPARE(shown, (QStringList{"1", "3", "5"}));
}

void tst_MainWindow::openOtherYear()
{
    FormFixture fixture;
    TForm1 &form = fixture.show();
    QByteArray bytes = fixtureDataFile(QStringLiteral("2025"), QStringLiteral("Ліцей №7"));
    bytes.append("garbage that is no number\r\n");
    writeBytes(fixture.path("data.zrs"), bytes);
    fixture.boxes.fileAnswers.enqueue(fixture.path("data.zrs"));
    form.ToolButton11->click();

    QCOMPARE(fixture.boxes.texts(Kind::Warning),
             QStringList{QStringLiteral("Рік файлу з даними (2025) не співпадає з поточним роком (2026)")});
    QVERIFY(fixture.boxes.texts(Kind::Error).isEmpty());
    QCOMPARE(fromCp1251(fixture.model.SchoolName), QStringLiteral("Школа №5"));
    QCOMPARE(fixture.model.Catalog[0].Items[0].Key, QByteArray("KEY1"));
    QCOMPARE(fixture.model.Catalog[0].Items[0].Value, 0.0);
}

void tst_MainWindow::openCancelledRefreshes()
{
    FormFixture fixture;
    TForm1 &form = fixture.show();
    fixture.model.Catalog[0].Items[2].Value = 0.5;
    fixture.boxes.fileAnswers.enqueue(std::nullopt);
    form.ToolButton11->click();
    QCOMPARE(fixture.boxes.count(Kind::OpenFile), 1);
    QCOMPARE(form.Grid1->Cells(6, 4), QStringLiteral("0,5"));
}

void tst_MainWindow::openUnreadable_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");

    QTest::newRow("missing") << "missing.zrs" << "File not found.";
    QTest::newRow("a folder") << "folder.zrs" << "File access denied.";
    QTest::newRow("bad number") << "bad.zrs" << "Invalid numeric input.";
}

void tst_MainWindow::openUnreadable()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    FormFixture fixture;
    TForm1 &form = fixture.show();
    QDir().mkdir(QStringLiteral("folder.zrs"));
    writeBytes(fixture.path("bad.zrs"), toCp1251(u"2026\r\nЛіцей\r\nL1\r\n1,5\r\n"));
    fixture.model.Catalog[0].Items[0].Value = 9; // not yet in the grid
    fixture.boxes.fileAnswers.enqueue(fixture.path(name));
    form.ToolButton11->click();

    QCOMPARE(fixture.boxes.texts(Kind::Error), QStringList{message});
    QCOMPARE(fromCp1251(fixture.model.SchoolName), QStringLiteral("Школа №5"));
    QCOMPARE(fixture.model.Catalog[0].Items[0].Value, 9.0);
    QCOMPARE(form.Grid1->Cells(6, 2), QStringLiteral("0")); // not refreshed
}

void tst_MainWindow::openFromCommandLine()
{
    FormFixture fixture;
    TForm1 &form = fixture.show();
    writeBytes(fixture.path("data.zrs"), fixtureDataFile(QStringLiteral("2026"), QStringLiteral("Ліцей №7")));
    writeBytes(fixture.path("old.zrs"), fixtureDataFile(QStringLiteral("2019"), QStringLiteral("Ліцей №7")));
    form.openDataFileNamed(QStringLiteral("old.zrs"));
    QCOMPARE(fixture.boxes.count(Kind::Warning), 1);
    QCOMPARE(fixture.model.Catalog[0].Items[0].Value, 0.0);
    form.openDataFileNamed(QStringLiteral("data.zrs"));
    QCOMPARE(form.Grid1->Cells(6, 2), QStringLiteral("1"));
    QCOMPARE(fixture.boxes.count(Kind::OpenFile), 0);
}

void tst_MainWindow::schoolNameCommand_data()
{
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("file");

    QTest::newRow("new name") << std::optional<QString>("Ліцей №1") << "Ліцей №1" << toCp1251(u"Ліцей №1\r\n");
    QTest::newRow("cancel") << std::optional<QString>() << "Школа №5" << toCp1251(u"Школа №5\r\n");
    QTest::newRow("emptied") << std::optional<QString>(QString()) << "" << QByteArray("stale");
}

void tst_MainWindow::schoolNameCommand()
{
    QFETCH(std::optional<QString>, answer);
    QFETCH(QString, name);
    QFETCH(QByteArray, file);
    FormFixture fixture(catalogBytes(QStringLiteral("2026"), sectionsOf({1})), toCp1251(u"Школа №5"));
    TForm1 &form = fixture.show();
    writeBytes(fixture.path("school_name.dat"), "stale");
    fixture.boxes.inputAnswers.enqueue(answer);
    form.ToolButton6->click();

    QCOMPARE(fixture.boxes.count(Kind::Input), 1);
    QCOMPARE(fixture.boxes.asked.back().proposed, QStringLiteral("Школа №5"));
    QCOMPARE(fixture.boxes.asked.back().caption, QStringLiteral("Запит"));
    QCOMPARE(fromCp1251(fixture.model.SchoolName), name);
    QCOMPARE(readBytes(fixture.path("school_name.dat")), file);
}

void tst_MainWindow::exitQuestion_data()
{
    QTest::addColumn<bool>("byButton");
    QTest::addColumn<bool>("yes");

    QTest::newRow("button, No") << true << false;
    QTest::newRow("button, Yes") << true << true;
    QTest::newRow("frame, No") << false << false;
    QTest::newRow("frame, Yes") << false << true;
}

void tst_MainWindow::exitQuestion()
{
    QFETCH(bool, byButton);
    QFETCH(bool, yes);
    FormFixture fixture;
    TForm1 &form = fixture.show();
    fixture.model.Catalog[0].Items[0].Value = 3;
    fixture.boxes.confirmAnswers.enqueue(yes);
    if (byButton)
        form.ToolButton7->click();
    else
        QVERIFY(form.close() == yes);

    QCOMPARE(fixture.boxes.texts(Kind::ConfirmYesNo), QStringList{ExitQuestion});
    QCOMPARE(form.isVisible(), !yes);
    // Nothing is written at exit.
    QCOMPARE(QDir(fixture.path(".")).entryList({"*.zrs"}, QDir::Files), QStringList());
}

void tst_MainWindow::wizardAndReportButtons()
{
    FormFixture fixture;
    TForm1 &form = fixture.show();
    fixture.model.WizardSection = 2;
    fixture.model.WizardItem = 1;
    form.ToolButton4->click(); // nothing to show yet: only the start is reset
    form.ToolButton5->click();
    QCOMPARE(fixture.model.WizardSection, 0);
    QCOMPARE(fixture.model.WizardItem, 0);
    QVERIFY(fixture.boxes.asked.isEmpty());

    QList<std::pair<int, int>> wizardOpenedAt;
    int reports = 0;
    form.setShowWizard([&] { wizardOpenedAt.append({fixture.model.WizardSection, fixture.model.WizardItem}); });
    form.setShowReport([&] { ++reports; });
    fixture.model.WizardSection = 2;
    form.ToolButton4->click();
    form.ToolButton5->click();
    QCOMPARE(wizardOpenedAt, (QList<std::pair<int, int>>{{0, 0}}));
    QCOMPARE(reports, 1);
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
