#include "support/formfixture.h"
#include "support/keys.h"
#include "support/rows.h"
#include "support/pdf.h"
#include "support/windows.h"

#include "mainwindow/findingslist.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

namespace {

using Kind = ScriptedBoxes::Kind;

// Section 1: KEY1 to KEY3 in "од." (rows 2 to 4); section 2 empty (row 5); section 3: KEY4 in
// "%" and KEY5 in "осіб" (rows 7 and 8). The rules file: KEY1 = KEY2 + KEY3.
QByteArray checkedCatalogue()
{
    QList<CatalogSection> sections = sectionsOf({3, 0, 2});
    sections[2].items[0].measure = QStringLiteral("%");
    sections[2].items[0].kind = QStringLiteral("A");
    sections[2].items[1].measure = QStringLiteral("осіб");
    return catalogBytes(QStringLiteral("2026"), sections);
}

struct ChecksFixture : FormFixture
{
    explicit ChecksFixture(const QString &rules = QStringLiteral("KEY1 = KEY2 + KEY3 ; Усього\r\n"))
        : FormFixture(checkedCatalogue())
    {
        writeBytes(path(QStringLiteral("DEFAULT.chk")), toCp1251(rules));
    }

    // Types text into the value cell of row with real keys, then leaves the cell for column 2.
    void type(int row, const char *text)
    {
        form->Grid1->setRow(row);
        form->Grid1->setCol(6);
        for (const char *c = text; *c; ++c)
            typeKey(*c);
        form->Grid1->setCol(2);
    }

    QColor valueBackground(int row) const
    {
        form->Grid1->viewport()->repaint();
        const QRect cell = form->Grid1->cellRect(6, row);
        return form->Grid1->viewport()->grab().toImage().pixelColor(cell.right() - 2, cell.bottom() - 2);
    }

    QString doubtfulText() const { return form->doubtfulText->isVisible() ? form->doubtfulText->text() : QString(); }
};

// Runs act on the list once it is shown modally; the list is closed afterwards if act left it open.
void whenListShown(const std::function<void(FindingsList &)> &act, bool &shown)
{
    QTimer::singleShot(0, [act, &shown] {
        auto *list = qobject_cast<FindingsList *>(QApplication::activeModalWidget());
        if (!list)
            return;
        shown = true;
        act(*list);
        if (list->isVisible())
            list->reject();
    });
}

QStringList rowTexts(const QTableWidget &table, int row)
{
    QStringList texts;
    for (int col = 0; col < table.columnCount(); ++col)
        texts << table.item(row, col)->text();
    return texts;
}

} // namespace

class tst_ChecksWindow : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void marksFollowTyping();
    void listJumps_data();
    void listJumps();
    void nothingDoubtful();
    void questionBeforePrinting_data();
    void questionBeforePrinting();
    void summaryListsSchools();
    void rulesFileWarning();
};

void tst_ChecksWindow::cleanup()
{
    verifyNoWindowOpen();
}

void tst_ChecksWindow::marksFollowTyping()
{
    ChecksFixture fixture;
    TForm1 &form = fixture.show();
    const QColor white(Qt::white);
    QCOMPARE(fixture.valueBackground(2), white);
    QCOMPARE(fixture.doubtfulText(), QString());

    fixture.type(3, "4");
    fixture.type(4, "4");
    QCOMPARE(fixture.valueBackground(2), QColor(255, 214, 214)); // 0 against 4 + 4
    fixture.type(2, "12");
    fixture.type(7, "100,01");
    fixture.type(8, "2,5");
    for (int row : {2, 7, 8})
        QCOMPARE(fixture.valueBackground(row), QColor(255, 214, 214));
    for (int row : {3, 4})
        QCOMPARE(fixture.valueBackground(row), white);
    QCOMPARE(fixture.doubtfulText(), QStringLiteral("Сумнівних значень: 3"));

    QWidget *rows = form.Grid1->viewport();
    QTest::mouseMove(rows, form.Grid1->cellRect(6, 2).center());
    QCOMPARE(form.Grid1->hint(), QStringLiteral("KEY1 (K) = KEY2 (K) + KEY3 (K): 12 ≠ 4 + 4 (Усього)"));
    QTest::mouseMove(rows, form.Grid1->cellRect(6, 8).center());
    QCOMPARE(form.Grid1->hint(), QStringLiteral("кількість має бути цілим числом: 2,5"));
    QTest::mouseMove(rows, form.Grid1->cellRect(6, 3).center());
    QCOMPARE(form.Grid1->hint(), QStringLiteral("4"));

    // A part changed to fit the total clears the total's mark at once.
    form.Grid1->setRow(4);
    form.Grid1->setCol(6);
    pressKey(Qt::Key_Backspace);
    typeKey('8');
    QCOMPARE(fixture.valueBackground(2), white);
    QCOMPARE(fixture.doubtfulText(), QStringLiteral("Сумнівних значень: 2"));
}

void tst_ChecksWindow::listJumps_data()
{
    addBoolRows("doubleClick", "Enter", "double click");
}

void tst_ChecksWindow::listJumps()
{
    QFETCH(bool, doubleClick);
    ChecksFixture fixture;
    TForm1 &form = fixture.show();
    fixture.type(3, "4");
    fixture.type(8, "2,5");
    bool shown = false;
    whenListShown(
        [&](FindingsList &list) {
            QTableWidget &table = *list.table;
            QCOMPARE(table.rowCount(), 2);
            QCOMPARE(rowTexts(table, 0), (QStringList{"Розділ 1", "KEY1 (K)", "Показник 1.1", "0",
                                                      "KEY1 (K) = KEY2 (K) + KEY3 (K): 0 ≠ 4 + 0 (Усього)"}));
            QCOMPARE(rowTexts(table, 1), (QStringList{"Розділ 3", "KEY5 (K)", "Показник 3.2", "2,5",
                                                      "кількість має бути цілим числом: 2,5"}));
            if (doubleClick) {
                const QRect line = table.visualItemRect(table.item(1, 2));
                // As the window system sends it: a click, then the second press as a double click.
                QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, line.center());
                QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, line.center());
            } else {
                QTest::keyClick(&table, Qt::Key_Down);
                QTest::keyClick(&table, Qt::Key_Return);
            }
            QVERIFY(!list.isVisible());
        },
        shown);
    QTest::keyClick(form.Grid1, Qt::Key_F7);
    QVERIFY(shown);
    QCOMPARE(form.Grid1->row(), 8);
    QCOMPARE(form.Grid1->col(), 6);
    QCOMPARE(form.focusWidget(), form.Grid1);
}

void tst_ChecksWindow::nothingDoubtful()
{
    ChecksFixture fixture;
    TForm1 &form = fixture.show();
    form.ToolButton9->click();
    QCOMPARE(fixture.boxes.texts(Kind::Information), QStringList{"Усі значення пройшли перевірку."});
    QCOMPARE(form.ToolButton9->toolTip(), QStringLiteral("Перевірити значення показників (F7)"));
}

void tst_ChecksWindow::questionBeforePrinting_data()
{
    addBoolRows("yes", "No: the report", "Yes: the list");
}

void tst_ChecksWindow::questionBeforePrinting()
{
    QFETCH(bool, yes);
    ChecksFixture fixture;
    TForm1 &form = fixture.show();
    int reports = 0;
    form.setShowReport([&] { ++reports; });
    fixture.type(7, "250");
    fixture.boxes.confirmAnswers.enqueue(yes);
    bool shown = false;
    whenListShown([](FindingsList &) {}, shown);
    form.ToolButton5->click();
    QCOMPARE(fixture.boxes.texts(Kind::ConfirmYesNo),
             QStringList{"1 значення не пройшло перевірку. Переглянути їх перед друком?"});
    QCOMPARE(shown, yes);
    QCOMPARE(reports, yes ? 0 : 1);
}

void tst_ChecksWindow::summaryListsSchools()
{
    ChecksFixture fixture;
    TForm1 &form = fixture.show();
    QStringList files;
    const QList<double> pupils{500, 579, 8100, 600};
    // Named in full, however long.
    const QString longName = QStringLiteral("Комунальний заклад «Харківський ліцей № 141 з поглибленим вивченням іноземних "
                                            "мов, природничих і точних дисциплін імені Героя України І.Петренка» "
                                            "Харківської міської ради Харківської області");
    for (int s = 0; s < pupils.size(); ++s) {
        QString text = QStringLiteral("2026\r\n%1\r\n").arg(s == 2 ? longName : QStringLiteral("Школа %1").arg(s));
        for (int k = 1; k <= 5; ++k)
            text += QStringLiteral("KEY%1\r\n%2\r\n").arg(k).arg(k == 5 ? pupils[s] : 0);
        files << fixture.path(QStringLiteral("s%1.zrs").arg(s));
        writeBytes(files.last(), toCp1251(text));
    }
    const auto button = [](FindingsList &list, const QString &text) {
        for (QPushButton *button : list.findChildren<QPushButton *>())
            if (button->text() == text)
                return button;
        return static_cast<QPushButton *>(nullptr);
    };
    // Saved before cancelling: the list as a table and as PDF, each school named in full.
    fixture.boxes.filesAnswers.enqueue(files);
    fixture.boxes.fileAnswers.enqueue(fixture.path(QStringLiteral("list")));
    fixture.boxes.fileAnswers.enqueue(fixture.path(QStringLiteral("list")));
    bool shown = false;
    whenListShown(
        [&](FindingsList &list) {
            QCOMPARE(list.findChild<QLabel *>()->text(), QStringLiteral("1 значення не пройшло перевірку."));
            QCOMPARE(list.table->horizontalHeaderItem(0)->text(), QStringLiteral("Заклад"));
            QCOMPARE(list.table->rowCount(), 1);
            QCOMPARE(rowTexts(*list.table, 0),
                     (QStringList{longName, "Розділ 3", "KEY5 (K)", "Показник 3.2", "8100",
                                  "у 14 разів більше за медіану інших закладів (579)"}));
            button(list, QStringLiteral("Зберегти таблицю"))->click();
            button(list, QStringLiteral("Зберегти PDF"))->click();
            QTest::keyClick(list.table, Qt::Key_Return); // a line chosen goes nowhere before a summary
            QVERIFY(list.isVisible());
            button(list, QStringLiteral("Скасувати"))->click();
        },
        shown);
    form.ToolButton8->click();
    QVERIFY(shown);
    QCOMPARE(fixture.boxes.count(Kind::ConfirmYesNo), 0);
    QCOMPARE(fixture.model.SchoolName, toCp1251(u"Школа №5")); // cancelled: nothing summed
    QCOMPARE(QString::fromUtf8(readBytes(fixture.path(QStringLiteral("list.csv")))),
             QStringLiteral("№;Заклад;Файл з даними;Розділ;Показник;Зміст показника;Значення;Причина\r\n"
                            "1;") + longName + QStringLiteral(";s2.zrs;Розділ 3;KEY5 (K);Показник 3.2;8100;"
                                                              "у 14 разів більше за медіану інших закладів (579)\r\n"));

    fixture.boxes.clear();
    fixture.boxes.filesAnswers.enqueue(files);
    fixture.boxes.confirmAnswers.enqueue(false); // no summary table
    whenListShown([&](FindingsList &list) { button(list, QStringLiteral("Продовжити зведення"))->click(); }, shown);
    form.ToolButton8->click();
    QCOMPARE(fixture.model.SchoolName, toCp1251(u"Зведені показники (4 заклади)"));

    REQUIRE_PDF_TOOLS();
    const QString pdf = pdfText(fixture.path(QStringLiteral("list.pdf"))).simplified();
    QVERIFY(pdf.contains(QStringLiteral("ЗНАЧЕННЯ ПОКАЗНИКІВ, ЯКІ НЕ ПРОЙШЛИ ПЕРЕВІРКУ за 2026 рік: 1 значення не пройшло перевірку")));
    for (const QString &word : longName.split(QLatin1Char(' ')))
        QVERIFY2(pdf.contains(word), qPrintable(word));
}

void tst_ChecksWindow::rulesFileWarning()
{
    ChecksFixture fixture(QStringLiteral("# перевірка\r\nKEY1 = KEY2 +\r\nKEY1 >= KEY3\r\nKEY9 = KEY1\r\n"));
    fixture.create();
    QCOMPARE(fixture.boxes.texts(Kind::Warning),
             QStringList{"У файлі правил DEFAULT.chk пропущено те, що не вдалося прочитати:\n"
                         "рядок 2: вираз закінчується знаком\nрядок 4: показника «KEY9» немає в каталозі"});
}

QTEST_MAIN(tst_ChecksWindow)
#include "tst_checkswindow.moc"
