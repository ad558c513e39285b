#include "support/formfixture.h"
#include "support/keys.h"
#include "support/rows.h"
#include "support/windows.h"

#include "indicators/datafile.h"
#include "platform/skin.h"

#include <QLabel>
#include <QScopeGuard>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

Q_DECLARE_METATYPE(StandardBoxes::Answer)

namespace {

using Kind = ScriptedBoxes::Kind;

const QString Proposal = QStringLiteral("Середня школа №");
const QString ExitQuestion = QStringLiteral("Ви дійсно вирішили війти з програми?");
const QString UnsavedQuestion = QStringLiteral("Значення показників змінено і не записано. Записати їх?");
const QString Caption = QStringLiteral("Формування показників діяльності ЗНЗ - 2026");
using Answer = StandardBoxes::Answer;

// Types a value into the first indicator's value cell, leaving the editor open.
void typeValue(TForm1 &form, char digit)
{
    form.Grid1->setRow(2);
    form.Grid1->setCol(6);
    QTest::keyClick(form.Grid1, digit);
}

} // namespace

class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void startupSchoolName_data();
    void startupSchoolName();
    void startupCatalog();
    void startupWithoutCatalog();
    void toolBar();
    void tabReachesEveryControl();
    void skinLook();
    void toolBarInSight_data();
    void toolBarInSight();
    void skinPictures_data();
    void skinPictures();
    void skinFigures_data();
    void skinFigures();

    void saveCommand_data();
    void saveCommand();
    void saveOverwrite_data();
    void saveOverwrite();

    void openFile_data();
    void openFile();
    void openCancelledRefreshes();
    void openFromCommandLine();

    void schoolNameCommand_data();
    void schoolNameCommand();
    void exitQuestion_data();
    void exitQuestion();
    void wizardAndReportButtons();

    void unsavedMark();
    void unsavedQuestion_data();
    void unsavedQuestion();
    void shortcuts_data();
    void shortcuts();
    void dialogFolders();
};

void tst_MainWindow::cleanup()
{
    verifyNoWindowOpen();
}

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
    QCOMPARE(form.Grid1->rowCount(), 2);
    form.show();
    QCOMPARE(form.Grid1->rowCount(), 9);
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(form.minimumWidth() <= 640 && form.minimumHeight() <= 480);
}

void tst_MainWindow::startupWithoutCatalog()
{
    FormFixture fixture{QByteArray()};
    TForm1 &form = fixture.show();
    QCOMPARE(fixture.boxes.texts(Kind::Warning), QStringList{QStringLiteral("Файл конфігурації відсутній")});
    QCOMPARE(form.windowTitle(), QStringLiteral("Формування показників діяльності ЗНЗ"));
    QCOMPARE(form.Grid1->rowCount(), 1);
    QCOMPARE(fromCp1251(fixture.model.SchoolName), QStringLiteral("Школа №5"));
    QCOMPARE(form.statusText->text(), QStringLiteral("Версія " ZORIS_VERSION));
}

void tst_MainWindow::toolBar()
{
    FormFixture fixture;
    TForm1 &form = fixture.show();
    const QList<QToolButton *> buttons{form.ToolButton11, form.ToolButton3, form.ToolButton4,
                                       form.ToolButton5,  form.ToolButton6, form.ToolButton9,
                                       form.ToolButton8,  form.ToolButton10, form.ToolButton7};
    const QStringList captions{"Відкрити",    "Записати",  "Ввести дані", "Роздрук",   "Назва школи",
                               "Перевірка",   "Зведення",  "Порівняння",  "Вихід"};
    const QStringList hints{"Відкрити файл з даними (Ctrl+O)", "Записати файл з даними (Ctrl+S)",
                            "Ввести значення показникiв (Ctrl+E)", "Роздрукувати звіт (Ctrl+P)",
                            "Ввести назву школи (Ctrl+N)", "Перевірити значення показників (F7)",
                            "Зведені показники кількох закладів (Ctrl+M)", "Порівняти з минулим роком (Ctrl+L)",
                            "Вийти з програми (Ctrl+Q)"};
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

// Tab walks the tool bar into the grid, where it moves between cells; Ctrl+Tab and
// Ctrl+Shift+Tab leave the grid, from its cell editor too.
void tst_MainWindow::tabReachesEveryControl()
{
    FormFixture fixture;
    TForm1 &form = fixture.show();
    form.ToolButton11->setFocus();
    for (QToolButton *button : {form.ToolButton11, form.ToolButton3, form.ToolButton4, form.ToolButton5,
                                form.ToolButton6, form.ToolButton9, form.ToolButton8, form.ToolButton10,
                                form.ToolButton7}) {
        QCOMPARE(QApplication::focusWidget(), button);
        pressKey(Qt::Key_Tab);
    }
    QCOMPARE(QApplication::focusWidget(), form.Grid1);
    pressKey(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form.Grid1);
    QCOMPARE(form.Grid1->col(), 1);
    pressKey(Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), form.ToolButton11);

    form.Grid1->setFocus();
    form.Grid1->setRow(2);
    form.Grid1->setCol(6);
    pressKey(Qt::Key_F2);
    QVERIFY(form.Grid1->editorMode());
    pressKey(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), form.ToolButton7);
    QVERIFY(!form.Grid1->editorMode());
}

void tst_MainWindow::skinLook()
{
    qApp->setStyleSheet(Skin::styleSheet());
    FormFixture fixture;
    TForm1 &form = fixture.show();
    QCOMPARE(form.sToolBar1->height(), 81);
    QCOMPARE(form.ToolButton4->size(), QSize(72, 68));
    QCOMPARE(form.sStatusBar1->height(), 19);
    QCOMPARE(form.palette().color(QPalette::Window), Skin::WindowColor);
    QCOMPARE(form.font().family(), QStringLiteral("Tahoma"));
    QCOMPARE(form.font().pixelSize(), 11);
    int separators = 0;
    for (const QWidget *child : form.sToolBar1->findChildren<QWidget *>()) {
        if (child->inherits("QToolBarSeparator")) {
            QCOMPARE(child->width(), 8);
            ++separators;
        }
    }
    QCOMPARE(separators, 8);
    qApp->setStyleSheet(QString());
    QVERIFY(!Skin::styleSheet().contains(QLatin1Char('@')));
}

void tst_MainWindow::toolBarInSight_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("buttonWidth"); // 0: narrower than the design's, but whole
    QTest::addColumn<int>("separatorWidth"); // 0: any

    QTest::newRow("design width") << 673 << 72 << 0;
    QTest::newRow("minimum width") << 0 << 0 << 0;
    QTest::newRow("room for all") << 1000 << 72 << 8;
}

// Every button is whole and in order inside the bar; the separators give way first, so that the
// buttons keep their design width at the window's design width too.
void tst_MainWindow::toolBarInSight()
{
    QFETCH(int, width);
    QFETCH(int, buttonWidth);
    QFETCH(int, separatorWidth);
    qApp->setStyleSheet(Skin::styleSheet());
    FormFixture fixture;
    TForm1 &form = fixture.show();
    form.setWindowState(Qt::WindowNoState);
    form.resize(width ? width : form.minimumWidth(), form.minimumHeight());
    QTRY_COMPARE(form.width(), width ? width : form.minimumWidth());
    QTRY_COMPARE(form.sToolBar1->width(), form.width());
    QCoreApplication::processEvents();
    const QList<QToolButton *> buttons{form.ToolButton11, form.ToolButton3,  form.ToolButton4,
                                       form.ToolButton5,  form.ToolButton6,  form.ToolButton9,
                                       form.ToolButton8,  form.ToolButton10, form.ToolButton7};
    int previousRight = -1;
    for (QToolButton *button : buttons) {
        QVERIFY2(button->isVisible(), qPrintable(button->text()));
        QVERIFY(form.sToolBar1->rect().contains(button->geometry()));
        QVERIFY(button->x() > previousRight);
        previousRight = button->geometry().right();
        QCOMPARE(button->height(), 68);
        if (buttonWidth)
            QCOMPARE(button->width(), buttonWidth);
        else
            QVERIFY(button->width() < 72);
    }
    for (const QWidget *child : form.sToolBar1->findChildren<QWidget *>()) {
        if (child->inherits("QToolBarSeparator") && separatorWidth)
            QCOMPARE(child->width(), separatorWidth);
        if (child->inherits("QToolBarExtension"))
            QVERIFY(!child->isVisible());
    }
    qApp->setStyleSheet(QString());
}

void tst_MainWindow::skinPictures_data()
{
    QTest::addColumn<QPixmap>("picture");
    QTest::addColumn<QPoint>("spot");
    QTest::addColumn<QColor>("color"); // at spot; invalid: any

    for (int image = 0; image <= int(Skin::ToolImage::Comparison); ++image)
        QTest::addRow("tool image %d", image) << Skin::toolImage(Skin::ToolImage(image)) << QPoint() << QColor();
    QTest::newRow("wizard") << Skin::wizardHat() << QPoint() << QColor();
    QTest::newRow("program") << Skin::appIcon(48) << QPoint() << QColor();
    QTest::newRow("data file, heading") << Skin::dataFileIcon(48) << QPoint(19, 10) << Skin::TitleBandColor;
    QTest::newRow("data file, corner") << Skin::dataFileIcon(48) << QPoint(33, 10) << Skin::WindowColor;
}

void tst_MainWindow::skinPictures()
{
    QFETCH(QPixmap, picture);
    QFETCH(QPoint, spot);
    QFETCH(QColor, color);
    const QImage image = picture.toImage();
    QCOMPARE(image.size(), QSize(48, 48));
    QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            opaque += image.pixelColor(x, y).alpha() == 255;
    QVERIFY2(opaque > 48 * 48 / 4, qPrintable(QString::number(opaque)));
    if (color.isValid())
        QCOMPARE(image.pixelColor(spot), color);
}

void tst_MainWindow::skinFigures_data()
{
    QTest::addColumn<QPixmap>("picture");
    QTest::newRow("tool image") << Skin::toolImage(Skin::ToolImage::EnterData);
    QTest::newRow("program") << Skin::appIcon(48);
    QTest::newRow("program, scaled") << Skin::appIcon(96).scaled(48, 48);
}

// The figures in the table of entering data are the program's text, not the SVG's.
void tst_MainWindow::skinFigures()
{
    QFETCH(QPixmap, picture);
    const QImage image = picture.toImage();
    int darkest = 255;
    for (int y = 12; y < 36; ++y)
        for (int x = 16; x < 28; ++x)
            darkest = std::min(darkest, qGray(image.pixel(x, y)));
    QVERIFY2(darkest < 100, qPrintable(QString::number(darkest)));
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
    addBoolRows("yes", "No", "Yes");
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

void tst_MainWindow::openFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QStringList>("shown"); // the value column's rows 2, 4 and 8; all "0" for a file not taken

    const QStringList untaken{"0", "0", "0"};
    QTest::newRow("matching year") << "data.zrs" << "" << "" << QStringList{"1", "3", "5"};
    QTest::newRow("other year") << "old.zrs" << ""
                                << "Рік файлу з даними (2025) не співпадає з поточним роком (2026)" << untaken;
    QTest::newRow("missing") << "missing.zrs" << "File not found." << "" << untaken;
    QTest::newRow("a folder") << "folder.zrs" << "File access denied." << "" << untaken;
    QTest::newRow("bad number") << "bad.zrs" << "Invalid numeric input." << "" << untaken;
}

// A file taken whole, or the model and the grid as they were.
void tst_MainWindow::openFile()
{
    QFETCH(QString, name);
    QFETCH(QString, error);
    QFETCH(QString, warning);
    QFETCH(QStringList, shown);
    FormFixture fixture;
    TForm1 &form = fixture.show();
    writeBytes(fixture.path("data.zrs"), fixtureDataFile(QStringLiteral("2026"), QStringLiteral("Ліцей №7")));
    writeBytes(fixture.path("old.zrs"), fixtureDataFile(QStringLiteral("2025"), QStringLiteral("Ліцей №7"))
                                            + "garbage that is no number\r\n");
    QDir().mkdir(QStringLiteral("folder.zrs"));
    writeBytes(fixture.path("bad.zrs"), toCp1251(u"2026\r\nЛіцей\r\nL1\r\n1,5\r\n"));
    fixture.model.Catalog[0].Items[0].Value = 9; // not yet in the grid
    fixture.boxes.fileAnswers.enqueue(fixture.path(name));
    form.ToolButton11->click();

    const bool taken = error.isEmpty() && warning.isEmpty();
    QCOMPARE(fixture.boxes.texts(Kind::OpenFile), QStringList{QStringLiteral("Файли даних АС \"Зоріс\"|*.zrs")});
    QCOMPARE(fixture.boxes.texts(Kind::Error), error.isEmpty() ? QStringList() : QStringList{error});
    QCOMPARE(fixture.boxes.texts(Kind::Warning), warning.isEmpty() ? QStringList() : QStringList{warning});
    QCOMPARE(fromCp1251(fixture.model.SchoolName), taken ? QStringLiteral("Ліцей №7") : QStringLiteral("Школа №5"));
    QCOMPARE(fixture.model.Catalog[0].Items[0].Key, taken ? QByteArray("L1") : QByteArray("KEY1"));
    QCOMPARE(fixture.model.Catalog[0].Items[0].Value, taken ? 1.0 : 9.0);
    QCOMPARE(fixture.model.Catalog[2].Items[1].Value, taken ? 5.0 : 0.0);
    QCOMPARE((QStringList{form.Grid1->cells(6, 2), form.Grid1->cells(6, 4), form.Grid1->cells(6, 8)}), shown);
}

void tst_MainWindow::openCancelledRefreshes()
{
    FormFixture fixture;
    TForm1 &form = fixture.show();
    fixture.model.Catalog[0].Items[2].Value = 0.5;
    fixture.boxes.fileAnswers.enqueue(std::nullopt);
    form.ToolButton11->click();
    QCOMPARE(fixture.boxes.count(Kind::OpenFile), 1);
    QCOMPARE(form.Grid1->cells(6, 4), QStringLiteral("0,5"));
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
    QCOMPARE(form.Grid1->cells(6, 2), QStringLiteral("1"));
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

void tst_MainWindow::unsavedMark()
{
    FormFixture fixture;
    TForm1 &form = fixture.show();
    const auto state = [&] { return std::pair(fixture.document.unsaved(), form.windowTitle()); };
    typeValue(form, '0'); // the value held already
    QCOMPARE(state(), std::pair(false, Caption));
    typeKey('7');
    QCOMPARE(state(), std::pair(true, QLatin1Char('*') + Caption));
    fixture.boxes.fileAnswers.enqueue(fixture.path("saved"));
    form.ToolButton3->click();
    QCOMPARE(state(), std::pair(false, Caption));
    // The wizard stores through the document, which the window follows.
    fixture.document.setValue(3, 4);
    QCOMPARE(state(), std::pair(true, QLatin1Char('*') + Caption));
    QCOMPARE(form.Grid1->cells(TForm1::ValueCol, 7), QStringLiteral("4"));
    writeBytes(fixture.path("data.zrs"), fixtureDataFile(QStringLiteral("2026"), QStringLiteral("Ліцей №7")));
    fixture.boxes.threeWayAnswers.enqueue(Answer::No);
    fixture.boxes.fileAnswers.enqueue(fixture.path("data.zrs"));
    form.ToolButton11->click();
    QCOMPARE(state(), std::pair(false, Caption));
    // A file of another year opens nothing and leaves the mark as it was.
    typeValue(form, '5');
    writeBytes(fixture.path("old.zrs"), fixtureDataFile(QStringLiteral("2019"), QStringLiteral("Ліцей №7")));
    fixture.boxes.threeWayAnswers.enqueue(Answer::No);
    form.openDataFileNamed(QStringLiteral("old.zrs"));
    QCOMPARE(state(), std::pair(true, QLatin1Char('*') + Caption));
}

enum Way { ExitButton, CloseBox, CtrlQ, OpenButton, CommandLine };

void tst_MainWindow::unsavedQuestion_data()
{
    QTest::addColumn<int>("way");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<std::optional<QString>>("saveAs"); // nothing: the save dialog is cancelled
    QTest::addColumn<bool>("goesOn");

    const std::pair<Way, const char *> ways[] = {{ExitButton, "exit button"}, {CloseBox, "close box"}, {CtrlQ, "Ctrl+Q"},
                                                 {OpenButton, "open button"}, {CommandLine, "command line"}};
    for (const auto &[way, name] : ways) {
        QTest::addRow("%s, Yes, saved", name) << int(way) << Answer::Yes << std::optional<QString>("saved") << true;
        QTest::addRow("%s, Yes, save cancelled", name) << int(way) << Answer::Yes << std::optional<QString>() << false;
        QTest::addRow("%s, Yes, save fails", name)
            << int(way) << Answer::Yes << std::optional<QString>("missing/saved") << false;
        QTest::addRow("%s, No", name) << int(way) << Answer::No << std::optional<QString>() << true;
        QTest::addRow("%s, Cancel", name) << int(way) << Answer::Cancel << std::optional<QString>() << false;
    }
}

void tst_MainWindow::unsavedQuestion()
{
    QFETCH(int, way);
    QFETCH(Answer, answer);
    QFETCH(std::optional<QString>, saveAs);
    QFETCH(bool, goesOn);
    FormFixture fixture;
    TForm1 &form = fixture.show();
    writeBytes(fixture.path("data.zrs"), fixtureDataFile(QStringLiteral("2026"), QStringLiteral("Ліцей №7")));
    typeValue(form, '7');
    fixture.boxes.threeWayAnswers.enqueue(answer);
    if (answer == Answer::Yes)
        fixture.boxes.fileAnswers.enqueue(saveAs ? std::optional(fixture.path(*saveAs)) : std::nullopt);
    fixture.boxes.fileAnswers.enqueue(fixture.path("data.zrs"));
    switch (way) {
    case ExitButton: form.ToolButton7->click(); break;
    case CloseBox: form.close(); break;
    case CtrlQ: QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier); break;
    case OpenButton: form.ToolButton11->click(); break;
    case CommandLine: form.openDataFileNamed(QStringLiteral("data.zrs")); break;
    }

    QCOMPARE(fixture.boxes.texts(Kind::ConfirmYesNoCancel), QStringList{UnsavedQuestion});
    QCOMPARE(fixture.boxes.count(Kind::ConfirmYesNo), 0); // no exit question after it
    const bool saved = answer == Answer::Yes && saveAs == QStringLiteral("saved");
    QCOMPARE(QFile::exists(fixture.path("saved.zrs")), saved);
    QCOMPARE(fixture.boxes.count(Kind::Error), saveAs == QStringLiteral("missing/saved") ? 1 : 0);
    const bool opens = way == OpenButton || way == CommandLine;
    if (opens) {
        QCOMPARE(fixture.model.Catalog[0].Items[0].Value, goesOn ? 1.0 : 7.0);
        QCOMPARE(fixture.boxes.count(Kind::OpenFile), way == OpenButton && goesOn ? 1 : 0);
    } else {
        QCOMPARE(form.isVisible(), !goesOn);
    }
    QCOMPARE(fixture.document.unsaved(), !saved && !(opens && goesOn));
}

void tst_MainWindow::shortcuts_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QList<int>>("asked");
    QTest::addColumn<QString>("shows"); // the window shown

    const QList<std::tuple<int, const char *, QList<int>, const char *>> keys = {
        {Qt::Key_O, "Ctrl+O", {int(Kind::OpenFile)}, ""},
        {Qt::Key_S, "Ctrl+S", {int(Kind::SaveFile)}, ""},
        {Qt::Key_E, "Ctrl+E", {}, "wizard"},
        {Qt::Key_P, "Ctrl+P", {}, "report"},
        {Qt::Key_N, "Ctrl+N", {int(Kind::Input)}, ""},
        {Qt::Key_M, "Ctrl+M", {int(Kind::OpenFiles)}, ""},
        {Qt::Key_L, "Ctrl+L", {}, "comparison"},
        {Qt::Key_Q, "Ctrl+Q", {int(Kind::ConfirmYesNo)}, ""}};
    for (const auto &[key, name, asked, shows] : keys) {
        for (const char *focus : {"grid", "cell editor", "tool bar"})
            QTest::addRow("%s in the %s", name, focus)
                << key << QString::fromLatin1(focus) << asked << QString::fromLatin1(shows);
    }
}

void tst_MainWindow::shortcuts()
{
    QFETCH(int, key);
    QFETCH(QString, focus);
    QFETCH(QList<int>, asked);
    QFETCH(QString, shows);
    FormFixture fixture;
    TForm1 &form = fixture.show();
    QString shown;
    form.setShowWizard([&] { shown += QStringLiteral("wizard"); });
    form.setShowReport([&] { shown += QStringLiteral("report"); });
    form.setShowComparison([&] { shown += QStringLiteral("comparison"); });
    form.Grid1->setRow(2);
    form.Grid1->setCol(6);
    if (focus == QStringLiteral("cell editor")) {
        QTest::keyClick(form.Grid1, Qt::Key_F2);
        QVERIFY(form.Grid1->editorMode());
        QVERIFY(QApplication::focusWidget() != form.Grid1);
    } else if (focus == QStringLiteral("tool bar")) {
        form.ToolButton4->setFocus();
    }
    pressKey(Qt::Key(key), Qt::ControlModifier);

    QList<int> kinds;
    for (const ScriptedBoxes::Asked &a : fixture.boxes.asked)
        kinds.append(int(a.kind));
    QCOMPARE(kinds, asked); // the key filter did not beep either
    QCOMPARE(shown, shows);
    QVERIFY(!form.Grid1->editorMode());
    QVERIFY(form.isVisible());
}

void tst_MainWindow::dialogFolders()
{
#ifdef _WIN32
    QSKIP("Windows places the documents folder by the user's profile, not by HOME.");
#endif
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    const auto restoreHome = qScopeGuard([&] { qputenv("HOME", oldHome); });
    FormFixture fixture;
    TForm1 &form = fixture.show();
    const auto startOf = [&](QToolButton *button) {
        fixture.boxes.clear();
        button->click();
        return fixture.boxes.asked.value(0).directory;
    };
    const QString documents = home.filePath(QStringLiteral("Documents"));
    const QString reports = home.filePath(QStringLiteral("Звіти"));

    QCOMPARE(startOf(form.ToolButton3), home.path()); // no documents folder
    QVERIFY(QDir().mkdir(documents));
    QCOMPARE(startOf(form.ToolButton3), documents);
    QCOMPARE(startOf(form.ToolButton11), documents);
    // A file chosen in either dialog sets where both start.
    QVERIFY(QDir().mkdir(reports));
    fixture.boxes.fileAnswers.enqueue(reports + QStringLiteral("/школа"));
    form.ToolButton3->click();
    QCOMPARE(startOf(form.ToolButton11), reports);
    QCOMPARE(startOf(form.ToolButton3), reports);
    QVERIFY(QDir(reports).removeRecursively());
    QCOMPARE(startOf(form.ToolButton11), documents);
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
