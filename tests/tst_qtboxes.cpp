#include "platform/qtboxes.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

// The standard boxes as the user meets them: the real dialogs, answered by keys.
class tst_QtBoxes : public QObject
{
    Q_OBJECT

private slots:
    void openDialogTakesTypedName_data();
    void openDialogTakesTypedName();
};

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
    if (exists) {
        QFile file(dir.filePath(typed));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    bool answered = false;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        auto *edit = dialog ? dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")) : nullptr;
        if (!edit) {
            if (dialog)
                dialog->reject();
            return;
        }
        // A box the dialog might raise about the name is closed, so that the test goes on.
        QTimer::singleShot(0, dialog, [dialog] {
            if (QWidget *box = QApplication::activeModalWidget(); box && box != dialog)
                box->close();
        });
        edit->setFocus();
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, Qt::Key_Return);
        answered = true;
        if (dialog->isVisible())
            dialog->reject();
    });
    QtBoxes boxes;
    const std::optional<QString> chosen = boxes.openFile(QStringLiteral("Файли даних АС \"Зоріс\"|*.zrs"), dir.path());
    QVERIFY(answered);
    QCOMPARE(chosen, std::optional<QString>(dir.filePath(typed)));
}

QTEST_MAIN(tst_QtBoxes)
#include "tst_qtboxes.moc"
