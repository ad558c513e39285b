#include "support/formfixture.h"
#include "support/keys.h"
#include "support/models.h"
#include "support/windows.h"

#include "indicators/numbertext.h"
#include "mainwindow/celltext.h"
#include "platform/balloons.h"
#include "platform/canvas.h"
#include "platform/skin.h"
#include "platform/wordwrap.h"
#include "text/textmetrics.h"

#include <QClipboard>
#include <QHeaderView>
#include <QInputMethodQueryEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QPainter>

namespace {

constexpr int ValueCol = 6;

void goTo(TForm1 &form, int col, int row)
{
    form.Grid1->setRow(row);
    form.Grid1->setCol(col);
}

// The window shown with the first indicator's value cell current.
TForm1 &editFirstValue(FormFixture &fixture)
{
    TForm1 &form = fixture.show();
    goTo(form, ValueCol, 2);
    return form;
}

QLineEdit *editor(TForm1 &form)
{
    return qobject_cast<QLineEdit *>(form.Grid1->editorMode() ? QApplication::focusWidget() : nullptr);
}

TextMetrics gridMetrics(TForm1 &form)
{
    return TextMetrics(form.Grid1->words(), form.Grid1->font(), form.Grid1->viewport());
}

} // namespace

class tst_Grid : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void rowStructure_data();
    void rowStructure();
    void kindMarks_data();
    void kindMarks();
    void widthRule_data();
    void widthRule();
    void wrapRule_data();
    void wrapRule();
    void overlongFirstWordLeavesFirstLineEmpty();
    void rowHeightsFollowTexts();
    void headersFitTheirColumns();
    void cellDrawing();
    void longValueBreaksInItsCell();
    void hintFollowsPointer();
    void hintWaitsAgainOnEveryCell();

    void typingStoresEveryStep();
    void refusedCharactersBeep_data();
    void refusedCharactersBeep();
    void secondCommaRefusedOverSelection();
    void fullStopBecomesComma();
    void deletingToEmptyKeepsLastValue();
    void valueGoesToEditedRowOnly();
    void enterMoves_data();
    void enterMoves();
    void arrowsInValueColumn_data();
    void arrowsInValueColumn();
    void arrowsStopOnSectionRowsElsewhere();
    void otherCellsAreNotFiltered();
    void pastedTextThatIsNoNumber();
    void refreshValuesRewritesValueColumn();
    void emptiedCellShowsKeptValue();
    void tabLeavesTheValueColumnWithoutEditor();
    void undoAndRedo();
    void escapePutsBackTheValue();
    void copyAndPaste();
    void find();
};

void tst_Grid::cleanup()
{
    verifyNoWindowOpen();
}

void tst_Grid::rowStructure_data()
{
    QTest::addColumn<QList<int>>("counts");
    QTest::addColumn<QStringList>("numbers"); // column 0 of rows 1 and on; "" for a section row

    QTest::newRow("3, 0 and 2") << QList<int>{3, 0, 2}
                                << QStringList{"", "1", "2", "3", "", "", "4", "5"};
    QTest::newRow("3 and 2") << QList<int>{3, 2} << QStringList{"", "1", "2", "3", "", "4", "5"};
    QTest::newRow("empty catalogue") << QList<int>{} << QStringList{};
    QTest::newRow("only empty sections") << QList<int>{0, 0} << QStringList{"", ""};
}

void tst_Grid::rowStructure()
{
    QFETCH(QList<int>, counts);
    QFETCH(QStringList, numbers);
    FormFixture fixture(catalogBytes(QStringLiteral("2026"), sectionsOf(counts)));
    TForm1 &form = fixture.show();
    StringGrid &grid = *form.Grid1;

    QCOMPARE(grid.rowCount(), 1 + numbers.size());
    QCOMPARE(grid.colCount(), 8);
    const QStringList header{"№ п/п", "Позн. показн.", "Вхідні дані", "Стат.", "Аналіт.", "Джерело інформації",
                             "Цифрові дані", "Одиниця вимірювання"};
    for (int col = 0; col < 8; ++col)
        QCOMPARE(grid.cells(col, 0), header[col]);
    for (int row = 1; row <= numbers.size(); ++row) {
        QCOMPARE(grid.cells(0, row), numbers[row - 1]);
        if (numbers[row - 1].isEmpty()) {
            for (int col = 0; col < 8; ++col)
                QVERIFY(grid.cells(col, row).isEmpty());
        } else {
            QVERIFY(grid.cells(2, row).startsWith(QStringLiteral("Показник ")));
            QCOMPARE(grid.cells(6, row), QStringLiteral("0"));
            QCOMPARE(grid.cells(7, row), QStringLiteral("од."));
        }
    }
}

void tst_Grid::kindMarks_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("statistical");
    QTest::addColumn<QString>("analytical");

    QTest::newRow("C") << "C" << "C" << "";
    QTest::newRow("A") << "A" << "" << "A";
    QTest::newRow("lower-case c") << "c" << "" << "";
    QTest::newRow("Cyrillic С") << "С" << "" << "";
    QTest::newRow("C with a blank") << "C " << "" << "";
    QTest::newRow("empty") << "" << "" << "";
}

void tst_Grid::kindMarks()
{
    QFETCH(QString, kind);
    QFETCH(QString, statistical);
    QFETCH(QString, analytical);
    CatalogItem item{QStringLiteral("Показник"), kind};
    FormFixture fixture(catalogBytes(QStringLiteral("2026"), {{QStringLiteral("Розділ"), {item}}}));
    TForm1 &form = fixture.show();
    QCOMPARE(form.Grid1->cells(3, 2), statistical);
    QCOMPARE(form.Grid1->cells(4, 2), analytical);
}

void tst_Grid::widthRule_data()
{
    QTest::addColumn<int>("gridWidth");
    QTest::addColumn<int>("textWidth");

    QTest::newRow("1024") << 1024 << 349;
    QTest::newRow("1025") << 1025 << 349;
    QTest::newRow("1026") << 1026 << 350;
    QTest::newRow("640") << 640 << 157;
}

void tst_Grid::widthRule()
{
    QFETCH(int, gridWidth);
    QFETCH(int, textWidth);
    FormFixture fixture;
    TForm1 &form = fixture.show();
    form.setWindowState(Qt::WindowNoState);
    form.resize(gridWidth, 700);
    QTRY_COMPARE(form.Grid1->width(), gridWidth);
    QCOMPARE(form.Grid1->colWidths(2), textWidth);
    QCOMPARE(form.Grid1->colWidths(5), textWidth);
    const QList<int> fixed{24, 44, 40, 45, 70, 70};
    const QList<int> cols{0, 1, 3, 4, 6, 7};
    for (int i = 0; i < cols.size(); ++i)
        QCOMPARE(form.Grid1->colWidths(cols[i]), fixed[i]);
}

void tst_Grid::wrapRule_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("extra"); // the limit minus the width the text needs on one line
    QTest::addColumn<int>("lines");

    // One line needs sw + "aaa " + sw + "bbb": the second word breaks when that reaches the limit.
    QTest::newRow("limit one past the line") << "aaa bbb" << 1 << 1;
    QTest::newRow("limit equal to the line") << "aaa bbb" << 0 << 2;
    QTest::newRow("limit one short") << "aaa bbb" << -1 << 2;
}

void tst_Grid::wrapRule()
{
    QFETCH(QString, text);
    QFETCH(int, extra);
    QFETCH(int, lines);
    FormFixture fixture;
    TForm1 &form = fixture.show();
    const TextMetrics metrics = gridMetrics(form);
    const int sw = metrics.width(u" ");
    const int L = metrics.height();
    const int oneLine = sw + metrics.width(u"aaa ") + sw + metrics.width(u"bbb");
    QCOMPARE(MeasureCellText(metrics, text, oneLine + extra), lines * L + 2);

    // Two blanks make an extra word, a single blank, which takes its own width and one more.
    const WrappedText doubled = wrapText(metrics, u"aaa  bbb", 1000);
    QCOMPARE(doubled.words.size(), 3);
    QCOMPARE(doubled.words[1].text, QStringView(u" "));
    QCOMPARE(doubled.lines.front().width, sw + metrics.width(u"aaa ") + sw + sw + sw + metrics.width(u"bbb"));
    // Empty text: one empty line.
    QCOMPARE(MeasureCellText(metrics, QString(), 10), L + 2);
}

void tst_Grid::overlongFirstWordLeavesFirstLineEmpty()
{
    FormFixture fixture;
    TForm1 &form = fixture.show();
    const TextMetrics metrics = gridMetrics(form);
    const QString word = QStringLiteral("Найдовшеслово");
    const int limit = metrics.width(u" ") + metrics.width(word); // reached, so it breaks
    const WrappedText wrapped = wrapText(metrics, word, limit);
    QCOMPARE(wrapped.lines.size(), 2);
    QCOMPARE(wrapped.lines[0].wordCount, 0);
    QCOMPARE(wrapped.lines[1].wordCount, 1);
    QCOMPARE(MeasureCellText(metrics, word, limit), 2 * metrics.height() + 2);
}

void tst_Grid::rowHeightsFollowTexts()
{
    CatalogItem shortItem{QStringLiteral("Коротко")};
    CatalogItem longItem{QStringLiteral("Слово слово слово слово слово слово слово слово слово слово слово слово "
                                        "слово слово слово")};
    longItem.source = QStringLiteral("Джерело");
    FormFixture fixture(catalogBytes(QStringLiteral("2026"),
                                     {{QStringLiteral("Розділ з дуже довгою назвою"), {shortItem, longItem}}}));
    TForm1 &form = fixture.show();
    StringGrid &grid = *form.Grid1;
    const TextMetrics metrics = gridMetrics(form);
    const int L = metrics.height();
    QCOMPARE(grid.font().pixelSize(), 11);

    QCOMPARE(grid.rowHeights(2), L + 2);
    // The header's tallest text wrapped in its column: "Одиниця вимірювання" takes two lines.
    QVERIFY(grid.rowHeights(0) >= 2 * L + 2);
    int header = -999;
    for (int col = 0; col < 8; ++col)
        header = qMax(header, MeasureCellText(metrics, grid.cells(col, 0), grid.colWidths(col)));
    QCOMPARE(grid.rowHeights(0), header);

    // Narrow the wording's column so that it needs three lines.
    const QString name = grid.cells(2, 3);
    int width = 160;
    while (MeasureCellText(metrics, name, width) > 3 * L + 2)
        ++width;
    QCOMPARE(MeasureCellText(metrics, name, width), 3 * L + 2);
    form.setWindowState(Qt::WindowNoState);
    form.resize(width * 2 + 326, 600);
    QTRY_COMPARE(grid.colWidths(2), width);
    QCOMPARE(grid.rowHeights(3), qMax(3 * L + 2, MeasureCellText(metrics, grid.cells(5, 3), width)));
    // A section row: its title across the sum of all widths.
    int total = 0;
    for (int col = 0; col < 8; ++col)
        total += grid.colWidths(col);
    QCOMPARE(grid.rowHeights(1), MeasureCellText(metrics, QStringLiteral("Розділ з дуже довгою назвою"), total));
}

// Every header line, drawn centred three pixels in, ends inside its column.
void tst_Grid::headersFitTheirColumns()
{
    FormFixture fixture;
    TForm1 &form = fixture.show();
    const TextMetrics metrics = gridMetrics(form);
    for (int col = 0; col < 8; ++col) {
        const int W = form.Grid1->colWidths(col);
        const QString header = form.Grid1->cells(col, 0);
        const WrappedText wrapped = wrapText(metrics, header, W);
        for (const WrappedText::Line &line : wrapped.lines)
            QVERIFY2(line.width + 6 <= W, qPrintable(header));
    }
}

void tst_Grid::cellDrawing()
{
    FormFixture fixture;
    TForm1 &form = fixture.show();
    StringGrid &grid = *form.Grid1;
    goTo(form, ValueCol, 1); // the current cell on a band
    const QImage image = grid.viewport()->grab().toImage();

    // A section row is one band of the band colour, the current cell in it included; the focus
    // mark frames that cell over the band.
    const QRect band = grid.cellRect(ValueCol, 1);
    QCOMPARE(image.pixelColor(band.left() + 3, band.bottom() - 3), Skin::TitleBandColor);
    QCOMPARE(image.pixelColor(band.left(), band.center().y()), image.pixelColor(band.right(), band.top()));
    QVERIFY(image.pixelColor(band.left() + 1, band.bottom() - 1).lightness() < 60);
    const QRect first = grid.cellRect(0, 1);
    QCOMPARE(image.pixelColor(first.left() + 1, first.bottom() - 1), Skin::TitleBandColor);
    // The title is centred: dark pixels around the middle of the band, none at its ends.
    const int y = band.top() + band.height() / 2;
    auto darkIn = [&](int from, int to) {
        for (int x = from; x < to; ++x) {
            if (image.pixelColor(x, y).lightness() < 60)
                return true;
        }
        return false;
    };
    const int right = grid.cellRect(7, 1).right();
    QVERIFY(darkIn(right / 2 - 40, right / 2 + 40));
    QVERIFY(!darkIn(0, 20));
    // An indicator cell: white, its text dark.
    const QRect cell = grid.cellRect(2, 2);
    QCOMPARE(image.pixelColor(cell.right() - 1, cell.bottom() - 1), QColor(Qt::white));
}

// A summary's mean wider than its cell is broken onto a second line of the cell, not cut.
void tst_Grid::longValueBreaksInItsCell()
{
    FormFixture fixture;
    TForm1 &form = fixture.show();
    StringGrid &grid = *form.Grid1;
    const int L = gridMetrics(form).height();
    fixture.model.Catalog[0].Items[0].Value = 89245.7666666666667;
    form.RefreshValues();
    QCOMPARE(grid.cells(ValueCol, 2), numberText(89245.7666666666667));
    QCOMPARE(grid.rowHeights(2), 2 * L + 2);
    QCOMPARE(grid.rowHeights(3), L + 2);
    // Both lines hold digits: the wrap rule alone would leave the first empty and cut the second.
    const QImage image = grid.viewport()->grab().toImage();
    const QRect cell = grid.cellRect(ValueCol, 2);
    for (int line = 0; line < 2; ++line) {
        bool inked = false;
        for (int y = cell.top() + line * L + 1; y < cell.top() + (line + 1) * L + 1; ++y)
            for (int x = cell.left(); x < cell.right(); ++x)
                inked |= image.pixelColor(x, y).lightness() < 100;
        QVERIFY2(inked, qPrintable(QString::number(line)));
    }
}

void tst_Grid::hintFollowsPointer()
{
    FormFixture fixture;
    TForm1 &form = fixture.show();
    StringGrid &grid = *form.Grid1;
    QWidget *rows = grid.viewport();
    auto centre = [&](int col, int row) { return grid.cellRect(col, row).center(); };

    // At start the hint cell is (0, 0): resting over the header's first cell shows no hint.
    QTest::mouseMove(grid.horizontalHeader()->viewport(), centre(0, 0));
    QVERIFY(grid.hint().isEmpty());
    QTest::mouseMove(rows, centre(2, 2));
    QCOMPARE(grid.hint(), QStringLiteral("Показник 1.1"));
    QCOMPARE(form.HintRow, 2);
    QCOMPARE(form.HintCol, 2);
    QTest::mouseMove(rows, centre(2, 2) + QPoint(3, 1));
    QCOMPARE(grid.hint(), QStringLiteral("Показник 1.1"));
    QTest::mouseMove(rows, centre(3, 1)); // a band: no hint
    QVERIFY(grid.hint().isEmpty());
    QTest::mouseMove(grid.horizontalHeader()->viewport(), centre(5, 0));
    QCOMPARE(grid.hint(), QStringLiteral("Джерело інформації"));
    // Below the last row: nothing changes.
    grid.verticalScrollBar()->setValue(0);
    QTest::mouseMove(rows, QPoint(centre(2, 2).x(), rows->height() - 2));
    if (grid.mouseCoord(grid.clientPosFromViewport(QPoint(centre(2, 2).x(), rows->height() - 2))).y() < 0)
        QCOMPARE(grid.hint(), QStringLiteral("Джерело інформації"));
}

// A move to another cell hides the balloon and waits the whole pause again, also when the two
// cells hold the same text.
void tst_Grid::hintWaitsAgainOnEveryCell()
{
    FormFixture fixture;
    TForm1 &form = fixture.show();
    HintManager hints;
    qApp->installEventFilter(&hints);
    StringGrid &grid = *form.Grid1;
    QCOMPARE(grid.cells(ValueCol, 3), grid.cells(ValueCol, 2));
    QTest::mouseMove(grid.viewport(), grid.cellRect(ValueCol, 2).center());
    QTRY_VERIFY(hints.isShown());
    QTest::mouseMove(grid.viewport(), grid.cellRect(ValueCol, 3).center());
    QVERIFY(!hints.isShown());
    QTest::qWait(grid.style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay, nullptr, &grid) / 2);
    QVERIFY(!hints.isShown());
    QTRY_VERIFY(hints.isShown());
    QCOMPARE(hints.shownText(), grid.cells(ValueCol, 3));
    // Opaque and shaped by its outline: nothing translucent for a desktop to show black.
    const QWidgetList windows = QApplication::topLevelWidgets();
    const auto balloon = std::find_if(windows.begin(), windows.end(), [](const QWidget *window) {
        return window->isVisible() && window->windowType() == Qt::ToolTip;
    });
    QVERIFY(balloon != windows.end());
    QWidget &shown = **balloon;
    QVERIFY(!shown.testAttribute(Qt::WA_TranslucentBackground));
    QVERIFY(shown.mask().contains(shown.rect().center()));
    QVERIFY(!shown.mask().contains(QPoint(0, shown.height() - 1)));
    QCOMPARE(shown.grab().toImage().pixelColor(4, shown.height() / 2 + 5), Skin::HintColor);
    hints.hide();
}

void tst_Grid::typingStoresEveryStep()
{
    FormFixture fixture;
    TForm1 &form = editFirstValue(fixture);
    QVERIFY(form.Grid1->editing());
    double &value = fixture.model.Catalog[0].Items[0].Value;
    const QList<std::pair<char, double>> steps{{'1', 1}, {'2', 12}, {',', 12}, {'5', 12.5}};
    for (const auto &[key, expected] : steps) {
        typeKey(key);
        QCOMPARE(value, expected);
    }
    QVERIFY(editor(form));
    QCOMPARE(editor(form)->text(), QStringLiteral("12,5"));
    QCOMPARE(form.Grid1->cells(ValueCol, 2), QStringLiteral("12,5"));
    // No input method composes text into the editor past the key filter: asked as the platform
    // asks, the editor takes none.
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QCoreApplication::sendEvent(editor(form), &query);
    QVERIFY(!query.value(Qt::ImEnabled).toBool());
    QCOMPARE(fixture.boxes.count(ScriptedBoxes::Kind::Beep), 0);
}

void tst_Grid::refusedCharactersBeep_data()
{
    QTest::addColumn<char>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");

    QTest::newRow("letter") << 'a' << Qt::KeyboardModifiers();
    QTest::newRow("blank") << ' ' << Qt::KeyboardModifiers();
    QTest::newRow("minus") << '-' << Qt::KeyboardModifiers();
    QTest::newRow("plus") << '+' << Qt::KeyboardModifiers();
    QTest::newRow("Ctrl+B") << 'b' << Qt::KeyboardModifiers(Qt::ControlModifier);
}

void tst_Grid::refusedCharactersBeep()
{
    QFETCH(char, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    FormFixture fixture;
    TForm1 &form = editFirstValue(fixture);
    typeKey('7');
    typeKey(key, modifiers);
    QCOMPARE(fixture.boxes.count(ScriptedBoxes::Kind::Beep), 1);
    QCOMPARE(form.keyNotice().shownText(), RefusedKeyNotice.toString());
    QCOMPARE(form.Grid1->cells(ValueCol, 2), QStringLiteral("7"));
    QCOMPARE(fixture.model.Catalog[0].Items[0].Value, 7.0);
    // Refused before the editor is open too: it does not open.
    goTo(form, ValueCol, 3);
    typeKey(key, modifiers);
    QCOMPARE(fixture.boxes.count(ScriptedBoxes::Kind::Beep), 2);
    QVERIFY(form.keyNotice().isShown());
    QVERIFY(!form.Grid1->editorMode());
    // The next key taken hides it.
    typeKey('5');
    QVERIFY(!form.keyNotice().isShown());
    QCOMPARE(form.Grid1->cells(ValueCol, 3), QStringLiteral("5"));
}

void tst_Grid::secondCommaRefusedOverSelection()
{
    FormFixture fixture;
    TForm1 &form = editFirstValue(fixture);
    for (char c : {'1', ',', '5'})
        typeKey(c);
    pressKey(Qt::Key_Return); // on to the next row with the editor open there
    goTo(form, ValueCol, 2);
    pressKey(Qt::Key_F2);
    QVERIFY(editor(form));
    QVERIFY(editor(form)->hasSelectedText());
    QCOMPARE(editor(form)->selectedText(), QStringLiteral("1,5"));
    typeKey(',');
    typeKey('.');
    QCOMPARE(fixture.boxes.count(ScriptedBoxes::Kind::Beep), 2);
    QCOMPARE(editor(form)->text(), QStringLiteral("1,5"));
    QCOMPARE(fixture.model.Catalog[0].Items[0].Value, 1.5);
}

void tst_Grid::fullStopBecomesComma()
{
    FormFixture fixture;
    TForm1 &form = fixture.show();
    goTo(form, ValueCol, 3);
    for (char c : {'2', '.', '5'})
        typeKey(c);
    QCOMPARE(form.Grid1->cells(ValueCol, 3), QStringLiteral("2,5"));
    QCOMPARE(fixture.model.Catalog[0].Items[1].Value, 2.5);
    // A lone comma reads as 0.
    goTo(form, ValueCol, 4);
    typeKey(',');
    QCOMPARE(fixture.model.Catalog[0].Items[2].Value, 0.0);
    QCOMPARE(fixture.boxes.count(ScriptedBoxes::Kind::Beep), 0);
}

void tst_Grid::deletingToEmptyKeepsLastValue()
{
    FormFixture fixture;
    TForm1 &form = editFirstValue(fixture);
    typeKey('1');
    typeKey('2');
    double &value = fixture.model.Catalog[0].Items[0].Value;
    pressKey(Qt::Key_Backspace);
    QCOMPARE(value, 1.0);
    pressKey(Qt::Key_Backspace);
    QCOMPARE(form.Grid1->cells(ValueCol, 2), QString());
    QCOMPARE(value, 1.0);
    // Closing the editor on the empty text keeps it too.
    pressKey(Qt::Key_Return);
    QCOMPARE(value, 1.0);
    QCOMPARE(fixture.boxes.count(ScriptedBoxes::Kind::Beep), 0);
}

void tst_Grid::valueGoesToEditedRowOnly()
{
    FormFixture fixture;
    TForm1 &form = fixture.show();
    for (Qt::Key move : {Qt::Key_Down, Qt::Key_Return}) {
        goTo(form, ValueCol, 2);
        typeKey('4');
        pressKey(move);
        QCOMPARE(form.Grid1->row(), 3);
        QCOMPARE(fixture.model.Catalog[0].Items[0].Value, 4.0);
        QCOMPARE(fixture.model.Catalog[0].Items[1].Value, 0.0);
        if (form.Grid1->editorMode())
            pressKey(Qt::Key_Return); // closes the editor the Enter opened
    }
    // Clicking another row closes the editor with the value in the edited row.
    goTo(form, ValueCol, 3);
    typeKey('9');
    QTest::mouseClick(form.Grid1->viewport(), Qt::LeftButton, {}, form.Grid1->cellRect(ValueCol, 7).center());
    QCOMPARE(form.Grid1->row(), 7);
    QCOMPARE(fixture.model.Catalog[0].Items[1].Value, 9.0);
    QCOMPARE(fixture.model.Catalog[2].Items[0].Value, 0.0);
}

void tst_Grid::enterMoves_data()
{
    QTest::addColumn<QList<int>>("counts");
    QTest::addColumn<int>("from");
    QTest::addColumn<char>("typed"); // before the Enter, or 0
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("opened"); // the editor, on the row moved to
    QTest::addColumn<bool>("last"); // no value row below: Enter there only closes and opens the editor

    // 3, 2: rows 1 section, 2-4, 5 section, 6-7. 1, 0, 1: 3 and 4 sections, 5. 2, 0: 4 a section.
    QTest::newRow("over a section row") << QList<int>{3, 2} << 4 << '3' << 6 << true << false;
    QTest::newRow("onto the next section's row after an empty one")
        << QList<int>{1, 0, 1} << 2 << '\0' << 4 << false << false;
    QTest::newRow("onto a trailing empty section") << QList<int>{2, 0} << 3 << '6' << 4 << false << false;
    QTest::newRow("on the last row") << QList<int>{2} << 3 << '6' << 3 << false << true;
}

void tst_Grid::enterMoves()
{
    QFETCH(QList<int>, counts);
    QFETCH(int, from);
    QFETCH(char, typed);
    QFETCH(int, to);
    QFETCH(bool, opened);
    QFETCH(bool, last);
    FormFixture fixture(catalogBytes(QStringLiteral("2026"), sectionsOf(counts)));
    TForm1 &form = fixture.show();
    auto valueAt = [&](int row) {
        const GridRow at = fixture.model.rows().at(row);
        return fixture.model.Catalog[at.section].Items[at.item].Value;
    };
    goTo(form, ValueCol, from);
    if (typed)
        typeKey(typed);
    pressKey(Qt::Key_Return);
    QCOMPARE(form.Grid1->row(), to);
    QCOMPARE(form.Grid1->col(), ValueCol);
    QCOMPARE(form.Grid1->editorMode(), opened);
    if (typed)
        QCOMPARE(valueAt(from), double(typed - '0'));
    if (opened) {
        QVERIFY(editor(form));
        typeKey('8');
        QCOMPARE(valueAt(to), 8.0);
    }
    if (last) {
        if (opened) {
            pressKey(Qt::Key_Return);
            QCOMPARE(form.Grid1->row(), to);
            QVERIFY(!form.Grid1->editorMode());
        }
        pressKey(Qt::Key_Return);
        QCOMPARE(form.Grid1->row(), to);
        QVERIFY(form.Grid1->editorMode());
    }
}

void tst_Grid::arrowsInValueColumn_data()
{
    QTest::addColumn<QList<int>>("counts");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("to");

    // 3, 2: rows 1 section, 2-4, 5 section, 6-7. 3, 0, 2: 5 and 6 sections, 7-8.
    QTest::newRow("down from a section's last") << QList<int>{3, 2} << 4 << int(Qt::Key_Down) << 6;
    QTest::newRow("up from a section's first") << QList<int>{3, 2} << 6 << int(Qt::Key_Up) << 4;
    QTest::newRow("up from row 2 stops on row 1") << QList<int>{3, 2} << 2 << int(Qt::Key_Up) << 1;
    QTest::newRow("down onto the next of two section rows") << QList<int>{3, 0, 2} << 4 << int(Qt::Key_Down) << 6;
    QTest::newRow("up onto the first of two section rows") << QList<int>{3, 0, 2} << 7 << int(Qt::Key_Up) << 5;
    QTest::newRow("down within a section") << QList<int>{3, 2} << 2 << int(Qt::Key_Down) << 3;
    QTest::newRow("down onto a trailing section") << QList<int>{2, 0} << 3 << int(Qt::Key_Down) << 4;
}

void tst_Grid::arrowsInValueColumn()
{
    QFETCH(QList<int>, counts);
    QFETCH(int, from);
    QFETCH(int, key);
    QFETCH(int, to);
    FormFixture fixture(catalogBytes(QStringLiteral("2026"), sectionsOf(counts)));
    TForm1 &form = fixture.show();
    goTo(form, ValueCol, from);
    pressKey(Qt::Key(key));
    QCOMPARE(form.Grid1->row(), to);
    QCOMPARE(form.Grid1->col(), ValueCol);
    // The same from inside the editor, which the move closes with its value stored.
    goTo(form, ValueCol, from);
    if (form.Grid1->editing()) {
        typeKey('5');
        pressKey(Qt::Key(key));
        QCOMPARE(form.Grid1->row(), to);
        QCOMPARE(form.Grid1->cells(ValueCol, from), QStringLiteral("5"));
    }
}

void tst_Grid::arrowsStopOnSectionRowsElsewhere()
{
    FormFixture fixture(catalogBytes(QStringLiteral("2026"), sectionsOf({3, 2})));
    TForm1 &form = fixture.show();
    for (int col : {0, 2, 5, 7}) {
        goTo(form, col, 4);
        pressKey(Qt::Key_Down);
        QCOMPARE(form.Grid1->row(), 5);
        pressKey(Qt::Key_Up);
        QCOMPARE(form.Grid1->row(), 4);
    }
}

void tst_Grid::otherCellsAreNotFiltered()
{
    FormFixture fixture;
    TForm1 &form = fixture.show();
    for (const QPoint cell : {QPoint(2, 2), QPoint(ValueCol, 1), QPoint(0, 3)}) {
        goTo(form, cell.x(), cell.y());
        QVERIFY(!form.Grid1->editing());
        const QString before = form.Grid1->cells(cell.x(), cell.y());
        typeKey('x');
        pressKey(Qt::Key_Return);
        QVERIFY(!form.Grid1->editorMode());
        QCOMPARE(form.Grid1->cells(cell.x(), cell.y()), before);
    }
    QCOMPARE(fixture.boxes.count(ScriptedBoxes::Kind::Beep), 0);
}

void tst_Grid::pastedTextThatIsNoNumber()
{
    FormFixture fixture;
    TForm1 &form = editFirstValue(fixture);
    typeKey('3');
    QVERIFY(editor(form));
    QApplication::clipboard()->setText(QStringLiteral("abc"));
    pressKey(Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(fixture.boxes.texts(ScriptedBoxes::Kind::Warning),
             QStringList{QStringLiteral("Нічого не вставлено: рядок 1 («abc») — не число.")});
    QCOMPARE(fixture.model.Catalog[0].Items[0].Value, 3.0);
    QCOMPARE(form.Grid1->cells(ValueCol, 2), QStringLiteral("3"));
    QApplication::clipboard()->setText(QStringLiteral("1,25E2"));
    pressKey(Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(fixture.model.Catalog[0].Items[0].Value, 125.0);
    QCOMPARE(form.Grid1->cells(ValueCol, 2), QStringLiteral("125"));
}

void tst_Grid::refreshValuesRewritesValueColumn()
{
    FormFixture fixture;
    TForm1 &form = fixture.show();
    fixture.model.Catalog[0].Items[1].Value = 2.5;
    fixture.model.Catalog[2].Items[1].Value = 1e20;
    const QString name = form.Grid1->cells(2, 3);
    form.RefreshValues();
    QCOMPARE(form.Grid1->cells(ValueCol, 3), QStringLiteral("2,5"));
    QCOMPARE(form.Grid1->cells(ValueCol, 8), QStringLiteral("1E20"));
    QCOMPARE(form.Grid1->cells(ValueCol, 2), QStringLiteral("0"));
    QCOMPARE(form.Grid1->cells(2, 3), name);
}

void tst_Grid::emptiedCellShowsKeptValue()
{
    FormFixture fixture;
    TForm1 &form = editFirstValue(fixture);
    typeKey('4');
    pressKey(Qt::Key_Backspace);
    pressKey(Qt::Key_Down);
    QCOMPARE(fixture.model.Catalog[0].Items[0].Value, 4.0);
    QCOMPARE(form.Grid1->cells(ValueCol, 2), QStringLiteral("4"));
    QCOMPARE(form.keyNotice().shownText(),
             QStringLiteral("Порожнє значення не записано; щоб очистити, натисніть Delete"));
    // Delete on the cell, the editor closed, stores 0.
    goTo(form, ValueCol, 2);
    pressKey(Qt::Key_Delete);
    QCOMPARE(fixture.model.Catalog[0].Items[0].Value, 0.0);
    QCOMPARE(form.Grid1->cells(ValueCol, 2), QStringLiteral("0"));
}

void tst_Grid::tabLeavesTheValueColumnWithoutEditor()
{
    FormFixture fixture;
    TForm1 &form = editFirstValue(fixture);
    const QString unit = form.Grid1->cells(7, 2);
    typeKey('5');
    pressKey(Qt::Key_Tab);
    QCOMPARE(form.Grid1->col(), 7);
    QVERIFY(!form.Grid1->editorMode());
    typeKey('9');
    pressKey(Qt::Key_Return);
    QVERIFY(!form.Grid1->editorMode());
    QCOMPARE(form.Grid1->cells(7, 2), unit);
    QCOMPARE(fixture.model.Catalog[0].Items[0].Value, 5.0);
    QCOMPARE(fixture.boxes.count(ScriptedBoxes::Kind::Error), 0);
}

void tst_Grid::undoAndRedo()
{
    FormFixture fixture;
    TForm1 &form = editFirstValue(fixture);
    const auto state = [&] {
        return std::pair(values(fixture.model).mid(0, 2), form.windowTitle().startsWith(QLatin1Char('*')));
    };
    typeKey('1');
    typeKey('2');
    pressKey(Qt::Key_Down); // one step for the whole edit
    typeKey('3');
    typeKey('z', Qt::ControlModifier); // in the editor: the edit closes and is undone
    QCOMPARE(state(), std::pair(QList<double>{12, 0}, true));
    QVERIFY(!form.Grid1->editorMode());
    QCOMPARE(form.Grid1->cells(ValueCol, 3), QStringLiteral("0"));
    typeKey('z', Qt::ControlModifier);
    QCOMPARE(state(), std::pair(QList<double>{0, 0}, false)); // back where it was opened
    typeKey('y', Qt::ControlModifier);
    QCOMPARE(state(), std::pair(QList<double>{12, 0}, true));
    typeKey('z', Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(state(), std::pair(QList<double>{12, 3}, true));
    QCOMPARE(form.Grid1->cells(ValueCol, 3), QStringLiteral("3"));
    // A new school name is a step of its own, and the name file follows it back.
    fixture.boxes.inputAnswers.enqueue(QStringLiteral("Ліцей №2"));
    form.ToolButton6->click();
    typeKey('z', Qt::ControlModifier);
    QCOMPARE(fixture.model.SchoolName, toCp1251(u"Школа №5"));
    QCOMPARE(readBytes(fixture.path("school_name.dat")), toCp1251(u"Школа №5\r\n"));
    // Saved: the mark goes when undo comes back to the saved state, and returns when it leaves.
    fixture.boxes.fileAnswers.enqueue(fixture.path("saved"));
    form.ToolButton3->click();
    typeKey('z', Qt::ControlModifier);
    QCOMPARE(state(), std::pair(QList<double>{12, 0}, true));
    typeKey('y', Qt::ControlModifier);
    QCOMPARE(state(), std::pair(QList<double>{12, 3}, false));
}

void tst_Grid::escapePutsBackTheValue()
{
    FormFixture fixture;
    TForm1 &form = editFirstValue(fixture);
    typeKey('6');
    pressKey(Qt::Key_Down);
    goTo(form, ValueCol, 2);
    typeKey('7');
    typeKey('7');
    QCOMPARE(fixture.model.Catalog[0].Items[0].Value, 77.0);
    pressKey(Qt::Key_Escape);
    QVERIFY(!form.Grid1->editorMode());
    QCOMPARE(fixture.model.Catalog[0].Items[0].Value, 6.0);
    QCOMPARE(form.Grid1->cells(ValueCol, 2), QStringLiteral("6"));
    QCOMPARE(fixture.boxes.count(ScriptedBoxes::Kind::Beep), 0);
    // The cancelled edit left no step: undo takes back the 6.
    typeKey('z', Qt::ControlModifier);
    QCOMPARE(fixture.model.Catalog[0].Items[0].Value, 0.0);
}

void tst_Grid::copyAndPaste()
{
    FormFixture fixture;
    TForm1 &form = editFirstValue(fixture);
    // A column pasted from a spreadsheet: downward, the section rows stepped over; one step.
    QApplication::clipboard()->setText(QStringLiteral("1\n2\n3\n4\n"));
    typeKey('v', Qt::ControlModifier);
    QCOMPARE(values(fixture.model), (QList<double>{1, 2, 3, 4, 0}));
    QCOMPARE(form.Grid1->cells(ValueCol, 7), QStringLiteral("4"));
    // Two columns by label: each to its indicator, wherever the current cell stands.
    QApplication::clipboard()->setText(QStringLiteral("KEY5\t1 234,5\nKEY1\t9"));
    typeKey('v', Qt::ControlModifier);
    QCOMPARE(values(fixture.model), (QList<double>{9, 2, 3, 4, 1234.5}));
    // A refused paste changes nothing.
    QApplication::clipboard()->setText(QStringLiteral("KEY2\t5\nKEY7\t1"));
    typeKey('v', Qt::ControlModifier);
    QCOMPARE(fixture.boxes.texts(ScriptedBoxes::Kind::Warning).value(0),
             QStringLiteral("Нічого не вставлено: рядок 2 («KEY7\t1») — такого позначення немає в каталозі."));
    QCOMPARE(values(fixture.model), (QList<double>{9, 2, 3, 4, 1234.5}));
    typeKey('z', Qt::ControlModifier);
    QCOMPARE(values(fixture.model), (QList<double>{1, 2, 3, 4, 0}));

    // Copy: the cells selected with Shift and the arrows, then the whole table with its header.
    goTo(form, ValueCol, 2);
    pressKey(Qt::Key_Down, Qt::ShiftModifier);
    typeKey('c', Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("1\n2\n"));
    typeKey('a', Qt::ControlModifier);
    typeKey('c', Qt::ControlModifier);
    const QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), form.Grid1->rowCount() + 1);
    QCOMPARE(lines[0].split(QLatin1Char('\t')).value(6), QStringLiteral("Цифрові дані"));
    QCOMPARE(lines[1], QStringLiteral("\t\tРозділ 1\t\t\t\t\t"));
    QCOMPARE(lines[2], QStringLiteral("1\tK\tПоказник 1.1\tC\t\tФорма ЗНЗ-1\t1\tод."));
}

void tst_Grid::find()
{
    FormFixture fixture;
    TForm1 &form = editFirstValue(fixture);
    typeKey('f', Qt::ControlModifier);
    QLineEdit *field = form.findChild<QLineEdit *>(QStringLiteral("findField"));
    QVERIFY(field && field->hasFocus());
    typeText(QStringLiteral("показник 3."));
    pressKey(Qt::Key_Return);
    QCOMPARE(std::pair(form.Grid1->row(), form.Grid1->col()), std::pair(7, ValueCol));
    pressKey(Qt::Key_F3);
    QCOMPARE(form.Grid1->row(), 8);
    pressKey(Qt::Key_F3); // past the last, the first again
    QCOMPARE(form.Grid1->row(), 7);
    pressKey(Qt::Key_F3, Qt::ShiftModifier);
    QCOMPARE(form.Grid1->row(), 8);
    field->selectAll();
    typeText(QStringLiteral("key2"));
    pressKey(Qt::Key_Return);
    QCOMPARE(form.Grid1->row(), 3);
    field->selectAll();
    typeText(QStringLiteral("вчителі"));
    pressKey(Qt::Key_Return);
    QCOMPARE(form.findChild<QLabel *>(QStringLiteral("findOutcome"))->text(), QStringLiteral("Не знайдено"));
    QCOMPARE(form.Grid1->row(), 3);
    pressKey(Qt::Key_Escape);
    QVERIFY(!field->isVisible());
    QVERIFY(form.Grid1->hasFocus());
}

QTEST_MAIN(tst_Grid)
#include "tst_grid.moc"
