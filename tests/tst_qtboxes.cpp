#include "platform/qtboxes.h"
#include "platform/qttranslation.h"
#include "support/files.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

#include <functional>

Q_DECLARE_METATYPE(std::function<void(QtBoxes &)>)

namespace {

using Call = std::function<void(QtBoxes &)>;

// Runs call, which shows one modal dialog, and hands that dialog to look before closing it, unless
// look closed it. A dialog not found within three seconds is closed all the same, and the test fails.
void inspectModal(const Call &call, const std::function<void(QDialog &)> &look)
{
    QtBoxes boxes;
    bool seen = false;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (dialog && dialog->isVisible()) {
            seen = true;
            look(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        }
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        for (QWidget *widget : QApplication::topLevelWidgets())
            widget->close();
    });
    guard.start(3000);
    timer.start(10);
    call(boxes);
    QVERIFY(seen);
}

QStringList buttonTexts(const QDialog &dialog)
{
    QStringList texts;
    if (const auto *buttons = dialog.findChild<QDialogButtonBox *>()) {
        for (const QAbstractButton *button : buttons->buttons())
            texts.append(button->text());
    }
    texts.sort();
    return texts;
}

} // namespace

class tst_QtBoxes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void boxesKeepTheirTexts_data();
    void boxesKeepTheirTexts();
    void fileDialogsInUkrainian_data();
    void fileDialogsInUkrainian();
    void saveDialogProposesWholeName_data();
    void saveDialogProposesWholeName();
    void openDialogTakesTypedName_data();
    void openDialogTakesTypedName();
};

void tst_QtBoxes::initTestCase()
{
    QVERIFY(installQtTranslation(*qApp));
}

void tst_QtBoxes::boxesKeepTheirTexts_data()
{
    QTest::addColumn<Call>("call");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("buttons"); // sorted

    QTest::newRow("warning") << Call([](QtBoxes &b) { b.warning(QStringLiteral("Увага")); }) << "Warning"
                             << QStringList{"OK"};
    QTest::newRow("Yes/No") << Call([](QtBoxes &b) { b.confirmYesNo(QStringLiteral("Так?")); }) << "Confirm"
                            << QStringList{"&No", "&Yes"};
    QTest::newRow("OK/Cancel") << Call([](QtBoxes &b) { b.confirmOkCancel(QStringLiteral("Так?")); }) << "Confirm"
                               << QStringList{"Cancel", "OK"};
    QTest::newRow("Yes/No/Cancel") << Call([](QtBoxes &b) { b.confirmYesNoCancel(QStringLiteral("Так?")); })
                                   << "Confirm" << QStringList{"&No", "&Yes", "Cancel"};
    QTest::newRow("input") << Call([](QtBoxes &b) { b.inputBox(QStringLiteral("Запит"), QStringLiteral("Назва"), {}); })
                           << "Запит" << QStringList{"Cancel", "OK"};
}

void tst_QtBoxes::boxesKeepTheirTexts()
{
    QFETCH(Call, call);
    QFETCH(QString, caption);
    QFETCH(QStringList, buttons);
    QString shownCaption;
    QStringList shownButtons;
    inspectModal(call, [&](QDialog &dialog) {
        shownCaption = dialog.windowTitle();
        shownButtons = buttonTexts(dialog);
    });
    QCOMPARE(shownCaption, caption);
    QCOMPARE(shownButtons, buttons);
}

void tst_QtBoxes::fileDialogsInUkrainian_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("accept");

    QTest::newRow("open") << false << "Відкрити" << "&Відкрити";
    QTest::newRow("save") << true << "Зберегти як" << "&Зберегти";
}

void tst_QtBoxes::fileDialogsInUkrainian()
{
    QFETCH(bool, save);
    QFETCH(QString, caption);
    QFETCH(QString, accept);
    QTemporaryDir folder;
    const Call call = [&](QtBoxes &b) {
        if (save)
            b.saveFile(QStringLiteral("Файлы данных *.zrs|*.zrs"), folder.path(), QStringLiteral("Школа(2026)"));
        else
            b.openFile(QStringLiteral("Файли даних АС \"Зоріс\"|*.zrs"), folder.path(), QString());
    };
    QString shownCaption, shownFolder;
    QStringList shownButtons, heads;
    inspectModal(call, [&](QDialog &dialog) {
        auto &files = static_cast<QFileDialog &>(dialog);
        shownCaption = files.windowTitle();
        shownFolder = files.directory().absolutePath();
        shownButtons = buttonTexts(files);
        const QHeaderView *header = files.findChild<QTreeView *>()->header();
        for (int col = 0; col < header->count(); ++col)
            heads.append(header->model()->headerData(col, Qt::Horizontal).toString());
    });
    QCOMPARE(shownCaption, caption);
    QCOMPARE(shownFolder, QDir(folder.path()).absolutePath());
    QCOMPARE(shownButtons, (QStringList{accept, "Скасувати"}));
    QCOMPARE(heads, (QStringList{"Ім'я", "Розмір", "Тип", "Дата зміни"}));
}

void tst_QtBoxes::saveDialogProposesWholeName_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("proposed");
    const QString school = QStringLiteral("Середня школа №5 м.Житомира(2026)");
    QTest::newRow("data file") << "Файлы данных *.zrs|*.zrs" << school;
    QTest::newRow("PDF") << "Файли PDF (*.pdf)|*.pdf" << school + ".pdf";
    QTest::newRow("summary table") << "Таблиці CSV|*.csv" << "Зведення(2026).csv";
    QTest::newRow("several dots") << "Файлы данных *.zrs|*.zrs" << "Ліцей ім. Т.Г.Шевченка(2026)";
}

// The name the save dialog shows is the one proposed, whatever dots it holds.
void tst_QtBoxes::saveDialogProposesWholeName()
{
    QFETCH(QString, filter);
    QFETCH(QString, proposed);
    QTemporaryDir folder;
    std::optional<QString> chosen;
    QString shown;
    const Call call = [&](QtBoxes &b) { chosen = b.saveFile(filter, folder.path(), proposed); };
    inspectModal(call, [&](QDialog &dialog) {
        auto *edit = dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(edit);
        shown = edit->text();
        QTest::keyClick(edit, Qt::Key_Return);
    });
    QCOMPARE(shown, proposed);
    QCOMPARE(chosen, std::optional<QString>(QDir(folder.path()).filePath(proposed)));
}

void tst_QtBoxes::openDialogTakesTypedName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("exists");
    QTest::newRow("an existing file") << QStringLiteral("school.zrs") << true;
    // Opening it is what tells the user the file is missing.
    QTest::newRow("a missing file") << QStringLiteral("missing.zrs") << false;
    QTest::newRow("a missing file, any extension") << QStringLiteral("missing.txt") << false;
}

void tst_QtBoxes::openDialogTakesTypedName()
{
    QFETCH(QString, typed);
    QFETCH(bool, exists);
    QTemporaryDir dir;
    if (exists)
        writeBytes(dir.filePath(typed), QByteArray());
    std::optional<QString> chosen;
    const Call call = [&](QtBoxes &b) {
        chosen = b.openFile(QStringLiteral("Файли даних АС \"Зоріс\"|*.zrs"), dir.path(), QString());
    };
    inspectModal(call, [&](QDialog &dialog) {
        auto *edit = dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(edit);
        edit->setFocus();
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, Qt::Key_Return);
    });
    QCOMPARE(chosen, std::optional<QString>(dir.filePath(typed)));
}

QTEST_MAIN(tst_QtBoxes)
#include "tst_qtboxes.moc"
