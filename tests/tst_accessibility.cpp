#include "generatedcatalogue.h"
#include "indicators/numbertext.h"
#include "preview/printpreview.h"
#include "report/reportwindow.h"
#include "support/formfixture.h"
#include "support/keys.h"
#include "support/models.h"
#include "support/reportpages.h"
#include "support/windows.h"
#include "wizard/wizard.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>
#include <QtTest>

namespace {

// What a screen reader is told while a case runs: each event, with the role and the name of
// what it is about.
struct Heard
{
    QAccessible::Event type;
    QAccessible::Role role;
    QString name;
};

QList<Heard> heard;

void hear(QAccessibleEvent *event)
{
    QAccessibleInterface *about = event->accessibleInterface();
    heard.append({event->type(), about ? about->role() : QAccessible::NoRole,
                  about ? about->text(QAccessible::Name) : QString()});
}

QStringList namesHeard(QAccessible::Event type, QAccessible::Role role)
{
    QStringList names;
    for (const Heard &event : std::as_const(heard)) {
        if (event.type == type && event.role == role)
            names << event.name;
    }
    return names;
}

QStringList announced()
{
    return namesHeard(QAccessible::ObjectShow, QAccessible::Notification);
}

QAccessibleInterface *accessible(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}

// Two sections of two indicators: rows 1 and 4 are the sections', 2, 3, 5 and 6 the indicators'.
QByteArray twoSections()
{
    return catalogBytes(QStringLiteral("2026"), sectionsOf({2, 2}));
}

} // namespace

class tst_Accessibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void wizardSaysWhereTheUserIs_data();
    void wizardSaysWhereTheUserIs();
    void gridNamesItsRowsAndEditor();
    void typingIsNotReadAgain();
    void noticesAreAnnounced();
    void reportWindowSpeaks();
};

void tst_Accessibility::initTestCase()
{
    // What a screen reader connecting does; the offscreen platform has none to do it.
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    QAccessible::installUpdateHandler(hear);
}

void tst_Accessibility::init()
{
    heard.clear();
}

void tst_Accessibility::cleanup()
{
    verifyNoWindowOpen();
}

void tst_Accessibility::wizardSaysWhereTheUserIs_data()
{
    QTest::addColumn<QString>("steps"); // typed text, then ">" for "Далі >" or "<" for "< Назад"
    QTest::addColumn<QString>("announcement");
    QTest::addColumn<QString>("editName");

    QTest::newRow("opening") << "" << "Розділ 1. Показник 1.1: 0" << "Показник 1.1";
    QTest::newRow("next in the section") << "7>" << "Показник 1.2" << "Показник 1.2";
    QTest::newRow("into the next section") << "7>5>" << "Розділ 2. Показник 2.1" << "Показник 2.1";
    QTest::newRow("back into the first") << "7>5><" << "Розділ 1. Показник 1.2: 5" << "Показник 1.2";
}

void tst_Accessibility::wizardSaysWhereTheUserIs()
{
    QFETCH(QString, steps);
    QFETCH(QString, announcement);
    QFETCH(QString, editName);
    IndicatorModel model = modelOf({2, 2}, [](pokazatel &item, int s, int j) {
        item.Source = toCp1251(QStringLiteral("Форма %1.%2").arg(s + 1).arg(j + 1));
        item.Measure = toCp1251(QStringLiteral("осіб"));
    });
    IndicatorDocument document(model);
    ScriptedBoxes boxes;
    TiDialog dialog(document, boxes);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto *edit = dialog.findChild<QLineEdit *>(QStringLiteral("sEdit1"));
    for (const QChar step : steps) {
        heard.clear();
        if (step == u'>')
            QTest::keyClick(edit, Qt::Key_Return);
        else if (step == u'<')
            QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("sButton2")), Qt::LeftButton);
        else
            typeKey(char(step.unicode()));
    }
    QCOMPARE(announced(), QStringList{announcement});
    QAccessibleInterface *value = accessible(edit);
    QCOMPARE(value->role(), QAccessible::EditableText);
    QCOMPARE(value->text(QAccessible::Name), editName);
    const QString item = editName.mid(editName.indexOf(u' ') + 1);
    QCOMPARE(value->text(QAccessible::Description),
             QStringLiteral("Джерело інформації: Форма %1. Одиниця вимірювання: осіб").arg(item));
    dialog.hide();
}

void tst_Accessibility::gridNamesItsRowsAndEditor()
{
    FormFixture fixture(twoSections());
    TForm1 &form = fixture.show();
    QAccessibleInterface *grid = accessible(form.Grid1);
    QCOMPARE(grid->role(), QAccessible::Table);
    QCOMPARE(grid->text(QAccessible::Name), QStringLiteral("Показники"));
    QAccessibleTableInterface *table = grid->tableInterface();
    QVERIFY(table);
    // A section row's title is told once, in the wordings' column; the cells stay empty.
    for (int col : {0, 2, 6}) {
        QCOMPARE(table->cellAt(3, col)->text(QAccessible::Name), col == 2 ? QStringLiteral("Розділ 2") : QString());
        QCOMPARE(form.Grid1->cells(col, 4), QString());
    }
    QCOMPARE(table->cellAt(1, 2)->text(QAccessible::Name), QStringLiteral("Показник 1.1"));

    // Down the wordings' column from the section's last indicator: the section row is heard.
    form.Grid1->setRow(3);
    form.Grid1->setCol(2);
    heard.clear();
    pressKey(Qt::Key_Down);
    pressKey(Qt::Key_Down);
    QCOMPARE(namesHeard(QAccessible::Focus, QAccessible::Cell),
             (QStringList{QStringLiteral("Розділ 2"), QStringLiteral("Показник 2.1")}));
    form.Grid1->setRow(5);
    form.Grid1->setCol(TForm1::ValueCol);

    // Enter after a value opens the editor on the next indicator, named after it.
    typeKey('4');
    heard.clear();
    pressKey(Qt::Key_Return);
    QCOMPARE(form.Grid1->row(), 6);
    QVERIFY(form.Grid1->editorMode());
    QCOMPARE(namesHeard(QAccessible::Focus, QAccessible::EditableText),
             QStringList{QStringLiteral("4 Показник 2.2, Цифрові дані")});
}

// Each keystroke is told as the one character it adds or takes, never as the whole text again;
// the cursor stays where the user put it.
void tst_Accessibility::typingIsNotReadAgain()
{
    FormFixture fixture(twoSections());
    TForm1 &form = fixture.show();
    form.Grid1->setRow(2);
    form.Grid1->setCol(TForm1::ValueCol);
    typeKey('1');
    typeKey('3');
    pressKey(Qt::Key_Left);
    heard.clear();
    typeKey('2');
    pressKey(Qt::Key_Backspace);
    typeKey('2');
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY(editor);
    QCOMPARE(editor->text(), QStringLiteral("123"));
    QCOMPARE(editor->cursorPosition(), 2);
    QCOMPARE(fixture.model.indicator(0).Value, 123.0);
    for (const Heard &event : std::as_const(heard))
        QVERIFY2(event.type != QAccessible::TextUpdated, qPrintable(event.name));
    QCOMPARE(namesHeard(QAccessible::TextInserted, QAccessible::EditableText).size(), 2);
    QCOMPARE(namesHeard(QAccessible::TextRemoved, QAccessible::EditableText).size(), 1);
}

void tst_Accessibility::noticesAreAnnounced()
{
    FormFixture fixture(twoSections());
    writeBytes(fixture.path(QStringLiteral("DEFAULT.chk")), toCp1251(u"KEY1 = KEY2 + KEY3 ; Усього\r\n"));
    TForm1 &form = fixture.show();
    form.Grid1->setRow(2);
    form.Grid1->setCol(TForm1::ValueCol);

    typeKey('x');
    QCOMPARE(announced(), QStringList{RefusedKeyNotice.toString()});

    heard.clear();
    typeKey('5');
    QCOMPARE(announced(), QStringList{form.doubtfulText->text()});
    QVERIFY(form.doubtfulText->text().startsWith(QStringLiteral("Сумнівних значень: ")));
    heard.clear();
    pressKey(Qt::Key_Backspace);
    typeKey('0');
    QCOMPARE(announced(), QStringList{QStringLiteral("Сумнівних значень: 0")});

    heard.clear();
    pressKey(Qt::Key_F, Qt::ControlModifier);
    typeText(QStringLiteral("жодного"));
    pressKey(Qt::Key_Return);
    QCOMPARE(announced(), QStringList{QStringLiteral("Не знайдено")});
    pressKey(Qt::Key_Escape);
    heard.clear();
    fixture.boxes.fileAnswers.enqueue(fixture.path(QStringLiteral("Ліцей.zrs")));
    pressKey(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(announced(), QStringList{QStringLiteral("Файл «Ліцей.zrs» збережено.")});
}

void tst_Accessibility::reportWindowSpeaks()
{
    ScriptedBoxes boxes;
    RecordingPrinter printer;
    IndicatorModel model = modelWith(generatedCatalogue(100));
    TPrintRep window(model, boxes, printer);
    window.FormShow();
    const int pages = window.PrintPreview1->TotalPages();
    QVERIFY(pages > 2);
    // Opened, the window says its page once, with the number of pages it ends up with.
    QCOMPARE(announced(), QStringList{QStringLiteral("Сторінка 1 з %1").arg(pages)});
    const QList<QPair<QWidget *, QString>> named{
        {window.Button4, QStringLiteral("Попередня сторінка")},
        {window.Button3, QStringLiteral("Наступна сторінка")},
        {window.ComboBox1, QStringLiteral("Масштаб")},
        {window.PrintPreview1, QStringLiteral("Сторінки звіту")},
    };
    for (const auto &[widget, name] : named)
        QCOMPARE(accessible(widget)->text(QAccessible::Name), name);
    QVERIFY(accessible(window.PrintPreview1)->text(QAccessible::Description).contains(QStringLiteral("Page Down")));

    heard.clear();
    QTest::mouseClick(window.Button3, Qt::LeftButton);
    QTest::keyClick(window.PrintPreview1, Qt::Key_PageDown, Qt::ControlModifier);
    // Zooming turns no page.
    window.PrintPreview1->setZoom(150);
    QTest::mouseClick(window.Button3, Qt::LeftButton);
    QCOMPARE(announced(), (QStringList{QStringLiteral("Сторінка 2 з %1").arg(pages),
                                       QStringLiteral("Сторінка %1 з %1").arg(pages)}));
}

QTEST_MAIN(tst_Accessibility)
#include "tst_accessibility.moc"
