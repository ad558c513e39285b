#include "indicators/document.h"
#include "indicators/encoding.h"
#include "indicators/numbertext.h"
#include "platform/balloons.h"
#include "platform/skin.h"
#include "support/models.h"
#include "support/windows.h"
#include "testing/scriptedboxes.h"
#include "wizard/wizard.h"

#include <QClipboard>
#include <QFrame>
#include <QInputMethodQueryEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include <algorithm>

using Kind = ScriptedBoxes::Kind;
using Position = QPair<int, int>;

namespace {

// The indicators of modelOf, each with the source "Джерело s+1.j+1".
IndicatorModel makeModel(const QList<int> &counts)
{
    return modelOf(counts, [](pokazatel &item, int s, int j) {
        item.Source = toCp1251(QStringLiteral("Джерело %1.%2").arg(s + 1).arg(j + 1));
    });
}

// The wizard with its model and boxes; refreshed holds the model's values at each refresh,
// which is what the main window's value column would show.
struct Wizard
{
    explicit Wizard(const QList<int> &counts) : model(makeModel(counts)), document(model), dialog(document, boxes)
    {
        QObject::connect(&dialog, &TiDialog::refreshValues, &dialog,
                         [this] { refreshed.append(values(model)); });
    }
    // A case ends with the dialog hidden, also when it fails half-way.
    ~Wizard() { dialog.hide(); }

    // What "Ввести дані" does: the cursor back to the start, then the dialog shown.
    bool open()
    {
        model.WizardSection = 0;
        model.WizardItem = 0;
        dialog.show();
        dialog.activateWindow();
        return QTest::qWaitForWindowActive(&dialog);
    }

    QLineEdit *edit() const { return dialog.findChild<QLineEdit *>(QStringLiteral("sEdit1")); }
    QString label(const char *name) const
    {
        return dialog.findChild<QLabel *>(QLatin1String(name))->text();
    }
    QPushButton *button(const char *name) const
    {
        return dialog.findChild<QPushButton *>(QLatin1String(name));
    }
    Position at() const { return {model.WizardSection, model.WizardItem}; }
    pokazatel &item(int s, int j) { return model.Catalog[s].Items[j]; }

    void next() { QTest::keyClick(edit(), Qt::Key_Return); }
    void back() { QTest::mouseClick(button("sButton2"), Qt::LeftButton); }
    // Into the edit, clicked first as the user would after pressing a button.
    void retype(const QString &text)
    {
        QTest::mouseClick(edit(), Qt::LeftButton);
        edit()->selectAll();
        QTest::keyClick(edit(), Qt::Key_Backspace);
        QTest::keyClicks(edit(), text);
    }

    IndicatorModel model;
    IndicatorDocument document;
    ScriptedBoxes boxes;
    TiDialog dialog;
    QList<QList<double>> refreshed;
};

} // namespace

class tst_Wizard : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void window();
    void controls_data();
    void controls();
    void tabOrder();
    void picture();
    void opening_data();
    void opening();
    void emptyEditWarns();
    void storesTyped_data();
    void storesTyped();
    void keyFilter_data();
    void keyFilter();
    void refusedKeyShowsWhy();
    void longTextsShownWhole();
    void valueShownForwardAndBack_data();
    void valueShownForwardAndBack();
    void enterAfterBackPressesBackAgain();
    void crossingSections();
    void backOnFirstIndicatorDoesNothing();
    void lastIndicatorStoresRefreshesAndCloses();
    void closeStoresNothing_data();
    void closeStoresNothing();
    void escapeClosesNothing();
    void conversionErrorKeepsCursor_data();
    void conversionErrorKeepsCursor();
    void sectionsWithoutIndicators_data();
    void sectionsWithoutIndicators();
    void enterData_data();
    void enterData();
};

void tst_Wizard::cleanup()
{
    verifyNoWindowOpen();
}

void tst_Wizard::window()
{
    Wizard w({1});
    QVERIFY(w.open());
    QCOMPARE(w.dialog.windowTitle(), QStringLiteral("Майстер вводу даних"));
    QCOMPARE(w.dialog.size(), QSize(442, 291));
    QCOMPARE(w.dialog.minimumSize(), w.dialog.maximumSize());
    const Qt::WindowFlags flags = w.dialog.windowFlags();
    QVERIFY(flags & Qt::WindowTitleHint);
    QVERIFY(!(flags & (Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint | Qt::WindowContextHelpButtonHint
                       | Qt::WindowMinMaxButtonsHint)));
    const QPoint screenCentre = w.dialog.screen()->availableGeometry().center();
    QVERIFY((w.dialog.frameGeometry().center() - screenCentre).manhattanLength() <= 2);
    QCOMPARE(w.dialog.palette().color(QPalette::Window), Skin::WindowColor);
    QCOMPARE(w.dialog.font().family(), QStringLiteral("Tahoma"));
    QCOMPARE(w.dialog.font().pixelSize(), 11);
    QCOMPARE(w.edit()->palette().color(QPalette::Base), QColor(245, 245, 245));
    QCOMPARE(w.edit()->palette().color(QPalette::Text), QColor(Qt::black));
    QCOMPARE(QApplication::focusWidget(), w.edit());
    QInputMethodQueryEvent query(Qt::ImEnabled); // asked as the platform asks: no input method
    QCoreApplication::sendEvent(w.edit(), &query);
    QVERIFY(!query.value(Qt::ImEnabled).toBool());
    QVERIFY(w.button("sButton3")->isDefault());
    QVERIFY(!w.button("sButton1")->isDefault());
    QVERIFY(!w.button("sButton2")->isDefault());
}

void tst_Wizard::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("box");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Image1") << "Image1" << QRect(13, 12, 48, 48) << 11 << false << QString();
    QTest::newRow("Label1") << "Label1" << QRect(88, 8, 345, 65) << 13 << true << QString();
    QTest::newRow("Label2") << "Label2" << QRect(88, 80, 345, 49) << 13 << false << QString();
    QTest::newRow("sEdit1") << "sEdit1" << QRect(88, 136, 345, 21) << 11 << false << QString();
    QTest::newRow("Label3") << "Label3" << QRect(88, 168, 345, 81) << 11 << false << QString();
    QTest::newRow("sButton1") << "sButton1" << QRect(88, 256, 75, 25) << 11 << false << "Закрити";
    QTest::newRow("sButton2") << "sButton2" << QRect(272, 256, 75, 25) << 11 << false << "< Назад";
    QTest::newRow("sButton3") << "sButton3" << QRect(360, 256, 75, 25) << 11 << false << "Далі >";
}

void tst_Wizard::controls()
{
    QFETCH(QString, name);
    QFETCH(QRect, box);
    QFETCH(int, pixels);
    QFETCH(bool, bold);
    QFETCH(QString, caption);
    Wizard w({1});
    const QWidget *control = w.dialog.findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), box);
    QCOMPARE(control->font().pixelSize(), pixels);
    QCOMPARE(control->font().bold(), bold);
    if (const auto *label = qobject_cast<const QLabel *>(control); label && name.startsWith(u"Label")) {
        QVERIFY(label->wordWrap());
        QCOMPARE(label->alignment(), Qt::AlignLeft | Qt::AlignTop);
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QVERIFY(!label->autoFillBackground());
    }
    if (const auto *button = qobject_cast<const QPushButton *>(control))
        QCOMPARE(button->text(), caption);
}

void tst_Wizard::tabOrder()
{
    Wizard w({1});
    QVERIFY(w.open());
    const QList<QWidget *> order = {w.button("sButton1"), w.button("sButton2"), w.button("sButton3"), w.edit()};
    for (QWidget *expected : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), expected);
    }
}

void tst_Wizard::picture()
{
    Wizard w({1});
    const QImage hat = w.dialog.findChild<QLabel *>(QStringLiteral("Image1"))->pixmap().toImage();
    QCOMPARE(hat.size(), QSize(48, 48));
    for (const QPoint corner : {QPoint(0, 0), QPoint(47, 0), QPoint(0, 47), QPoint(47, 47)})
        QCOMPARE(qAlpha(hat.pixel(corner)), 0);
    int grey = 0;
    int red = 0;
    for (int y = 0; y < hat.height(); ++y) {
        for (int x = 0; x < hat.width(); ++x) {
            const QColor c = hat.pixelColor(x, y);
            if (c.alpha() < 255)
                continue;
            if (c.red() == c.green() && c.green() == c.blue() && c.red() > 90)
                ++grey;
            else if (c.red() > 150 && c.green() < 80 && c.blue() < 80)
                ++red;
        }
    }
    QVERIFY(grey > 300);
    QVERIFY(red > 30);
}

void tst_Wizard::opening_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("not entered") << 0.0 << "0";
    QTest::newRow("fraction") << 2.5 << "2,5";
    QTest::newRow("negative") << -3.0 << "-3";
}

void tst_Wizard::opening()
{
    QFETCH(double, value);
    QFETCH(QString, shown);
    Wizard w({2, 1});
    w.item(0, 0).Value = value;
    QVERIFY(w.open());
    QCOMPARE(w.at(), Position(0, 0));
    QCOMPARE(w.label("Label1"), QStringLiteral("Розділ 1"));
    QCOMPARE(w.label("Label2"), QStringLiteral("Показник 1.1:"));
    QCOMPARE(w.label("Label3"), QStringLiteral("Джерело 1.1"));
    QCOMPARE(w.edit()->text(), shown);
    QCOMPARE(w.edit()->selectedText(), shown);
    QVERIFY(w.refreshed.isEmpty());
}

void tst_Wizard::emptyEditWarns()
{
    Wizard w({2});
    w.item(0, 0).Value = 4;
    QVERIFY(w.open());
    QTest::keyClick(w.edit(), Qt::Key_Backspace);
    QCOMPARE(w.edit()->text(), QString());
    QTest::mouseClick(w.button("sButton3"), Qt::LeftButton);
    QCOMPARE(w.boxes.texts(Kind::Warning), QStringList {QStringLiteral("Будь ласка введіть значення!")});
    QCOMPARE(w.at(), Position(0, 0));
    QCOMPARE(w.item(0, 0).Value, 4.0);
    QVERIFY(w.refreshed.isEmpty());
    QVERIFY(w.dialog.isVisible());
    QCOMPARE(QApplication::focusWidget(), w.button("sButton3"));
}

void tst_Wizard::storesTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("stored");
    QTest::newRow("zero") << "0" << 0.0;
    QTest::newRow("lone comma") << "," << 0.0;
    QTest::newRow("lone full stop") << "." << 0.0;
    QTest::newRow("fraction") << "12,5" << 12.5;
    QTest::newRow("full stop as comma") << "1.25" << 1.25;
    QTest::newRow("trailing comma") << "5," << 5.0;
    QTest::newRow("leading zeros") << "007" << 7.0;
    QTest::newRow("the value held") << "99" << 99.0;
}

void tst_Wizard::storesTyped()
{
    QFETCH(QString, typed);
    QFETCH(double, stored);
    Wizard w({2});
    w.item(0, 0).Value = 99;
    QVERIFY(w.open());
    // The value shown is selected: typing replaces it.
    QTest::keyClicks(w.edit(), typed);
    w.next();
    QCOMPARE(w.item(0, 0).Value, stored);
    QCOMPARE(w.document.unsaved(), stored != 99); // only a changed value is left unsaved
    QCOMPARE(w.at(), Position(0, 1));
    QCOMPARE(w.boxes.asked.size(), 0);
    // The entry is one step of the history.
    QCOMPARE(w.document.history().count(), stored != 99 ? 1 : 0);
    w.document.history().undo();
    QCOMPARE(w.item(0, 0).Value, 99.0);
    QVERIFY(!w.document.unsaved());
}

void tst_Wizard::keyFilter_data()
{
    QTest::addColumn<QTestEventList>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("beeps");

    auto typed = [](const QString &text) {
        QTestEventList keys;
        keys.addKeyClicks(text);
        return keys;
    };
    QTest::newRow("digits") << typed("123") << "123" << 0;
    QTest::newRow("full stop becomes comma") << typed("1.5") << "1,5" << 0;
    QTest::newRow("second comma") << typed("1,,5") << "1,5" << 1;
    QTest::newRow("full stop after comma") << typed("1,5.") << "1,5" << 1;
    QTest::newRow("letters") << typed("a1b") << "1" << 2;
    QTest::newRow("minus") << typed("-3") << "3" << 1;
    QTest::newRow("plus and blank") << typed("+ 4") << "4" << 2;
    QTest::newRow("exponent") << typed("1e5") << "15" << 1;

    QTestEventList backspace = typed("12");
    backspace.addKeyClick(Qt::Key_Backspace);
    QTest::newRow("backspace") << backspace << "1" << 0;

    QTestEventList del = typed("12");
    del.addKeyClick(Qt::Key_Left);
    del.addKeyClick(Qt::Key_Delete);
    QTest::newRow("arrow and delete") << del << "1" << 0;

    QTestEventList commaOverSelection = typed("1,5");
    commaOverSelection.addKeyClick(Qt::Key_Home);
    commaOverSelection.addKeyClick(Qt::Key_End, Qt::ShiftModifier);
    commaOverSelection.addKeyClicks(",");
    QTest::newRow("comma over a selected comma") << commaOverSelection << "1,5" << 1;

    QTestEventList paste;
    paste.addKeyClick(Qt::Key_V, Qt::ControlModifier);
    QTest::newRow("Ctrl+V") << paste << "0" << 1;
    QTestEventList copy;
    copy.addKeyClick(Qt::Key_C, Qt::ControlModifier);
    QTest::newRow("Ctrl+C") << copy << "0" << 1;
    QTestEventList escape;
    escape.addKeyClick(Qt::Key_Escape);
    QTest::newRow("Escape") << escape << "0" << 1;
}

void tst_Wizard::keyFilter()
{
    QFETCH(QTestEventList, keys);
    QFETCH(QString, text);
    QFETCH(int, beeps);
    Wizard w({1});
    QVERIFY(w.open());
    QGuiApplication::clipboard()->setText(QStringLiteral("77"));
    keys.simulate(w.edit());
    QCOMPARE(w.edit()->text(), text);
    QCOMPARE(w.boxes.count(Kind::Beep), beeps);
    QCOMPARE(w.boxes.asked.size(), beeps);
    QVERIFY(w.dialog.isVisible());
}

// The balloon says why; the next key taken hides it, and so does the time.
void tst_Wizard::refusedKeyShowsWhy()
{
    Wizard w({1});
    QVERIFY(w.open());
    const NoticeBalloon &notice = w.dialog.keyNotice();
    QTest::keyClick(w.edit(), Qt::Key_A);
    QCOMPARE(notice.shownText(), RefusedKeyNotice.toString());
    QTest::keyClick(w.edit(), Qt::Key_1);
    QVERIFY(!notice.isShown());
    QTest::keyClick(w.edit(), Qt::Key_Minus);
    QVERIFY(notice.isShown());
    QTRY_VERIFY_WITH_TIMEOUT(!notice.isShown(), NoticeBalloon::ShowPause + 2000);
    QCOMPARE(w.edit()->text(), QStringLiteral("1"));
    QCOMPARE(w.boxes.count(Kind::Beep), 2);
}

// A wording, title or source longer than its box makes the box taller and moves what is under
// it; the next usual indicator has the design's boxes again.
void tst_Wizard::longTextsShownWhole()
{
    Wizard w({1, 1});
    const QString words = QStringLiteral("Кількість учнів пільгових категорій, які отримують безкоштовне харчування. ");
    w.item(0, 0).Name = toCp1251(words.repeated(4));
    w.item(0, 0).Source = toCp1251(words.repeated(5));
    w.model.Catalog[0].Name = toCp1251(words.repeated(3));
    QVERIFY(w.open());
    QWidget *previous = nullptr;
    for (const char *name : {"Label1", "Label2", "sEdit1", "Label3", "sButton3"}) {
        QWidget *control = w.dialog.findChild<QWidget *>(QLatin1String(name));
        if (const auto *label = qobject_cast<QLabel *>(control))
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), name);
        if (previous)
            QVERIFY2(control->y() > previous->geometry().bottom(), name);
        previous = control;
    }
    QVERIFY(previous->geometry().bottom() < w.dialog.height());
    QVERIFY(w.dialog.height() > 291);
    QVERIFY(w.dialog.screen()->availableGeometry().contains(w.dialog.frameGeometry()));
    w.next();
    QCOMPARE(w.dialog.findChild<QWidget *>(QStringLiteral("Label2"))->geometry(), QRect(88, 80, 345, 49));
    QCOMPARE(w.dialog.size(), QSize(442, 291));
}

void tst_Wizard::valueShownForwardAndBack_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("forward");
    QTest::addColumn<QString>("back");
    QTest::newRow("zero") << 0.0 << "" << "0";
    QTest::newRow("positive") << 2.5 << "2,5" << "2,5";
    QTest::newRow("negative") << -2.0 << "" << "-2";
}

void tst_Wizard::valueShownForwardAndBack()
{
    QFETCH(double, value);
    QFETCH(QString, forward);
    QFETCH(QString, back);
    Wizard w({3});
    w.item(0, 0).Value = value;
    w.item(0, 1).Value = value;
    QVERIFY(w.open());
    w.next();
    QCOMPARE(w.at(), Position(0, 1));
    QCOMPARE(w.edit()->text(), forward);
    QCOMPARE(w.edit()->selectedText(), forward);
    QCOMPARE(QApplication::focusWidget(), w.edit());
    w.back();
    QCOMPARE(w.at(), Position(0, 0));
    QCOMPARE(w.edit()->text(), back);
    QCOMPARE(QApplication::focusWidget(), w.button("sButton2"));
    QCOMPARE(w.item(0, 0).Value, value);
}

// "< Назад" keeps the focus it took, so Enter presses it again rather than "Далі >".
void tst_Wizard::enterAfterBackPressesBackAgain()
{
    Wizard w({3});
    QVERIFY(w.open());
    w.retype(QStringLiteral("1"));
    w.next();
    w.retype(QStringLiteral("2"));
    w.next();
    w.back();
    QCOMPARE(w.at(), Position(0, 1));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(w.at(), Position(0, 0));
    QCOMPARE(values(w.model), (QList<double> {1, 2, 0}));
    QCOMPARE(w.refreshed.size(), 2);
}

void tst_Wizard::crossingSections()
{
    Wizard w({2, 1});
    QVERIFY(w.open());
    w.retype(QStringLiteral("1"));
    w.next();
    w.retype(QStringLiteral("2"));
    QTest::mouseClick(w.button("sButton3"), Qt::LeftButton);
    QCOMPARE(w.at(), Position(1, 0));
    QCOMPARE(w.label("Label1"), QStringLiteral("Розділ 2"));
    QCOMPARE(w.label("Label2"), QStringLiteral("Показник 2.1:"));
    QCOMPARE(w.label("Label3"), QStringLiteral("Джерело 2.1"));
    QCOMPARE(w.edit()->text(), QString());
    QCOMPARE(w.refreshed, (QList<QList<double>> {{1, 0, 0}, {1, 2, 0}}));

    QTest::keyClicks(w.edit(), QStringLiteral("55"));
    w.back();
    QCOMPARE(w.at(), Position(0, 1));
    QCOMPARE(w.label("Label1"), QStringLiteral("Розділ 1"));
    QCOMPARE(w.label("Label2"), QStringLiteral("Показник 1.2:"));
    QCOMPARE(w.edit()->text(), QStringLiteral("2"));
    QCOMPARE(values(w.model), (QList<double> {1, 2, 0}));
    QCOMPARE(w.refreshed.size(), 2);
}

void tst_Wizard::backOnFirstIndicatorDoesNothing()
{
    Wizard w({2});
    QVERIFY(w.open());
    w.retype(QStringLiteral("3"));
    w.back();
    QCOMPARE(w.at(), Position(0, 0));
    QCOMPARE(w.edit()->text(), QStringLiteral("3"));
    QCOMPARE(w.label("Label2"), QStringLiteral("Показник 1.1:"));
    QCOMPARE(w.item(0, 0).Value, 0.0);
    QVERIFY(w.refreshed.isEmpty());
}

void tst_Wizard::lastIndicatorStoresRefreshesAndCloses()
{
    Wizard w({1, 1});
    QVERIFY(w.open());
    w.retype(QStringLiteral("1"));
    w.next();
    QVERIFY(w.dialog.isVisible());
    w.retype(QStringLiteral("2,5"));
    w.next();
    QVERIFY(!w.dialog.isVisible());
    QCOMPARE(values(w.model), (QList<double> {1, 2.5}));
    QCOMPARE(w.refreshed, (QList<QList<double>> {{1, 0}, {1, 2.5}}));

    QVERIFY(w.open());
    QCOMPARE(w.at(), Position(0, 0));
    QCOMPARE(w.label("Label2"), QStringLiteral("Показник 1.1:"));
    QCOMPARE(w.edit()->text(), QStringLiteral("1"));
}

void tst_Wizard::closeStoresNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("click") << "click";
    QTest::newRow("Enter on the focused button") << "Enter";
    QTest::newRow("window frame") << "frame";
}

void tst_Wizard::closeStoresNothing()
{
    QFETCH(QString, how);
    Wizard w({2});
    w.item(0, 1).Value = 6;
    QVERIFY(w.open());
    w.retype(QStringLiteral("1"));
    w.next();
    w.retype(QStringLiteral("9"));
    if (how == u"Enter") {
        QTest::keyClick(w.edit(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.button("sButton1"));
        QTest::keyClick(w.button("sButton1"), Qt::Key_Return);
    } else if (how == u"click") {
        QTest::mouseClick(w.button("sButton1"), Qt::LeftButton);
    } else {
        w.dialog.close();
    }
    QVERIFY(!w.dialog.isVisible());
    QCOMPARE(values(w.model), (QList<double> {1, 6}));
    QCOMPARE(w.refreshed, (QList<QList<double>> {{1, 6}, {1, 6}}));
}

void tst_Wizard::escapeClosesNothing()
{
    Wizard w({1});
    QVERIFY(w.open());
    QTest::keyClick(w.edit(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w.button("sButton2"));
    QTest::keyClick(w.button("sButton2"), Qt::Key_Escape);
    QVERIFY(w.dialog.isVisible());
    QVERIFY(w.refreshed.isEmpty());
}

void tst_Wizard::conversionErrorKeepsCursor_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("typed");
    QTest::newRow("pasted letters") << "abc" << "";
    QTest::newRow("pasted minus after digits") << "5-" << "";
    QTest::newRow("beyond the double range") << "" << QString(u'1') + QString(400, u'0');
}

void tst_Wizard::conversionErrorKeepsCursor()
{
    QFETCH(QString, pasted);
    QFETCH(QString, typed);
    Wizard w({2});
    w.item(0, 0).Value = 3;
    QVERIFY(w.open());
    QTest::keyClick(w.edit(), Qt::Key_Backspace);
    if (!pasted.isEmpty()) {
        QGuiApplication::clipboard()->setText(pasted);
        QTest::keyClick(w.edit(), Qt::Key_Insert, Qt::ShiftModifier);
    }
    QTest::keyClicks(w.edit(), typed);
    const QString text = pasted + typed;
    QCOMPARE(w.edit()->text(), text);
    w.next();
    QCOMPARE(w.boxes.texts(Kind::Error),
             QStringList {QStringLiteral("'%1' is not a valid floating point value.").arg(text)});
    QCOMPARE(w.at(), Position(0, 0));
    QCOMPARE(w.item(0, 0).Value, 3.0);
    QCOMPARE(w.edit()->text(), text);
    QCOMPARE(QApplication::focusWidget(), w.edit());
    QVERIFY(w.refreshed.isEmpty());
}

void tst_Wizard::sectionsWithoutIndicators_data()
{
    QTest::addColumn<QList<int>>("counts");
    QTest::addColumn<QStringList>("walk");
    QTest::newRow("first empty") << QList<int> {0, 2, 1} << QStringList {"2.1", "2.2", "3.1"};
    QTest::newRow("middle empty") << QList<int> {2, 0, 1} << QStringList {"1.1", "1.2", "3.1"};
    QTest::newRow("last empty") << QList<int> {1, 2, 0} << QStringList {"1.1", "2.1", "2.2"};
    QTest::newRow("several empty") << QList<int> {0, 1, 0, 0, 1, 0} << QStringList {"2.1", "5.1"};
    QTest::newRow("one indicator") << QList<int> {0, 1, 0} << QStringList {"2.1"};
}

void tst_Wizard::sectionsWithoutIndicators()
{
    QFETCH(QList<int>, counts);
    QFETCH(QStringList, walk);
    for (QString &item : walk)
        item = QStringLiteral("Показник %1:").arg(item);
    Wizard w(counts);
    auto shown = [&w] { return w.label("Label2"); };
    QVERIFY(w.open());
    QStringList forward {shown()};
    for (int k = 1; k < walk.size(); ++k) {
        w.retype(QStringLiteral("0"));
        w.next();
        forward.append(shown());
    }
    QCOMPARE(forward, walk);
    QVERIFY(w.dialog.isVisible());

    QStringList backward {shown()};
    for (int k = 1; k < walk.size(); ++k) {
        w.back();
        backward.append(shown());
    }
    std::reverse(backward.begin(), backward.end());
    QCOMPARE(backward, walk);
    const Position first = w.at();
    w.back();
    QCOMPARE(w.at(), first);

    for (int k = 0; k < walk.size(); ++k) {
        QVERIFY(w.dialog.isVisible());
        w.retype(QString::number(k + 1));
        w.next();
    }
    QVERIFY(!w.dialog.isVisible());
    QCOMPARE(w.boxes.asked.size(), 0);
    QList<double> expected;
    for (int k = 0; k < walk.size(); ++k)
        expected.append(k + 1);
    QCOMPARE(values(w.model), expected);
    QCOMPARE(w.refreshed.size(), 2 * (walk.size() - 1) + 1);
    QCOMPARE(w.refreshed.last(), expected);
}

void tst_Wizard::enterData_data()
{
    QTest::addColumn<QList<int>>("counts");
    QTest::addColumn<bool>("has");
    QTest::newRow("no sections") << QList<int> {} << false;
    QTest::newRow("one empty section") << QList<int> {0} << false;
    QTest::newRow("only empty sections") << QList<int> {0, 0, 0} << false;
    QTest::newRow("last section has one") << QList<int> {0, 0, 1} << true;
    QTest::newRow("one indicator") << QList<int> {1} << true;
}

void tst_Wizard::enterData()
{
    QFETCH(QList<int>, counts);
    QFETCH(bool, has);
    Wizard w(counts);
    bool shown = false;
    QTimer::singleShot(0, &w.dialog, [&] {
        shown = w.dialog.isVisible();
        w.dialog.reject();
    });
    w.dialog.enterData();
    QCOMPARE(shown, has);
    QCOMPARE(w.boxes.texts(ScriptedBoxes::Kind::Warning),
             has ? QStringList() : QStringList{TiDialog::NoIndicatorsWarning.toString()});
}

QTEST_MAIN(tst_Wizard)
#include "tst_wizard.moc"
