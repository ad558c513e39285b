#include "platform/canvas.h"
#include "platform/stringgrid.h"
#include "support/keys.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

namespace {

// A grid of 4 columns and 41 rows (header included), each ordinary cell "c,r".
std::unique_ptr<StringGrid> makeGrid()
{
    auto grid = std::make_unique<StringGrid>();
    grid->setColCount(4);
    grid->setRowCount(41);
    for (int row = 0; row < 41; ++row) {
        for (int col = 0; col < 4; ++col)
            grid->setCells(col, row, QStringLiteral("%1,%2").arg(col).arg(row));
    }
    grid->resize(400, 300);
    grid->show();
    if (!QTest::qWaitForWindowActive(grid.get()))
        qWarning("grid not active");
    grid->setFocus();
    return grid;
}

} // namespace

class tst_StringGrid : public QObject
{
    Q_OBJECT

private slots:
    void sizesAndRectangles();
    void headerStaysWhileScrolling();
    void mouseCoord();
    void drawCellStates();
    void editingSwitch();
    void keyPressReplacesOrDiscards();
    void editTextAfterEveryChangeAndOnClose();
    void clickAfterEveryMove();
};

void tst_StringGrid::sizesAndRectangles()
{
    auto grid = makeGrid();
    QCOMPARE(grid->rowCount(), 41);
    QCOMPARE(grid->colWidths(0), 120);
    QCOMPARE(grid->rowHeights(5), 18);
    grid->setColWidths(1, 37);
    grid->setRowHeights(3, 29);
    grid->setRowHeights(0, 40);
    grid->setRowHeights(10, QList<int>{11, 12, 13});
    QCOMPARE(grid->colWidths(1), 37);
    QCOMPARE(grid->rowHeights(0), 40);
    QCOMPARE(grid->rowHeights(3), 29);
    QCOMPARE(grid->rowHeights(12), 13);
    // Cell rectangles leave out the one-pixel grid lines.
    QCOMPARE(grid->cellRect(1, 3).size(), QSize(37, 29));
    QCOMPARE(grid->cellRect(2, 3).left(), grid->cellRect(1, 3).right() + 2);
    QCOMPARE(grid->cellRect(1, 4).top(), grid->cellRect(1, 3).bottom() + 2);
    QCOMPARE(grid->cellRect(1, 0).size(), QSize(37, 40));
    QCOMPARE(grid->horizontalHeader()->height(), 41);
    // Fewer rows keep the texts of those left.
    grid->setRowCount(5);
    QCOMPARE(grid->cells(3, 4), QStringLiteral("3,4"));
    QCOMPARE(grid->cells(3, 5), QString());
}

void tst_StringGrid::headerStaysWhileScrolling()
{
    auto grid = makeGrid();
    const QPoint headerAt = grid->horizontalHeader()->mapTo(grid.get(), QPoint(0, 0));
    grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
    QVERIFY(grid->verticalScrollBar()->value() > 0);
    QVERIFY(grid->horizontalHeader()->isVisible());
    QCOMPARE(grid->horizontalHeader()->mapTo(grid.get(), QPoint(0, 0)), headerAt);
    QCOMPARE(grid->cellRect(0, 0).top(), 0);
    QVERIFY(grid->cellRect(0, 1).top() < 0); // scrolled away under the header
}

void tst_StringGrid::mouseCoord()
{
    auto grid = makeGrid();
    const int header = grid->horizontalHeader()->height();
    QCOMPARE(grid->mouseCoord(QPoint(5, 5)), QPoint(0, 0));
    QCOMPARE(grid->mouseCoord(QPoint(125, header + 1)), QPoint(1, 1));
    QCOMPARE(grid->mouseCoord(QPoint(125, header + 19)), QPoint(1, 2));
    grid->setRowCount(3);
    QCOMPARE(grid->mouseCoord(QPoint(125, header + 200)).y(), -1);
    grid->setColCount(2);
    QCOMPARE(grid->mouseCoord(QPoint(300, 5)).x(), -1);
}

void tst_StringGrid::drawCellStates()
{
    auto grid = makeGrid();
    grid->setRow(2);
    grid->setCol(1);
    QList<std::tuple<int, int, QRect, StringGrid::DrawState, QColor>> drawn;
    connect(grid.get(), &StringGrid::drawCell, grid.get(),
            [&](Canvas &canvas, int col, int row, const QRect &rect, StringGrid::DrawState state) {
                drawn.append({col, row, rect, state, canvas.brush().color()});
            });
    grid->horizontalHeader()->viewport()->repaint();
    grid->viewport()->repaint();
    bool header = false;
    bool current = false;
    for (const auto &[col, row, rect, state, brush] : drawn) {
        QCOMPARE(rect.size(), QSize(grid->colWidths(col), grid->rowHeights(row)));
        if (row == 0) {
            header = true;
            QCOMPARE(state, StringGrid::DrawState(StringGrid::Fixed));
            QCOMPARE(brush, grid->fixedColor());
        } else if (row == 2 && col == 1) {
            current = true;
            QVERIFY(state & StringGrid::Selected);
            QVERIFY(state & StringGrid::Focused);
            QCOMPARE(brush, grid->palette().color(QPalette::Active, QPalette::Highlight));
        } else {
            QCOMPARE(state, StringGrid::DrawState());
            QCOMPARE(brush, grid->color());
        }
    }
    QVERIFY(header && current);
}

void tst_StringGrid::editingSwitch()
{
    auto grid = makeGrid();
    grid->setRow(3);
    typeKey('x');
    pressKey(Qt::Key_F2);
    QVERIFY(!grid->editorMode());
    QCOMPARE(grid->cells(0, 3), QStringLiteral("0,3"));
    grid->setEditing(true);
    typeKey('x'); // opens the editor over the whole text, selected, and replaces it
    QVERIFY(grid->editorMode());
    QCOMPARE(grid->cells(0, 3), QStringLiteral("x"));
    pressKey(Qt::Key_Return); // closes it
    QVERIFY(!grid->editorMode());
    pressKey(Qt::Key_Return); // opens it
    QVERIFY(grid->editorMode());
    grid->setEditing(false); // closes it
    QVERIFY(!grid->editorMode());
}

void tst_StringGrid::keyPressReplacesOrDiscards()
{
    auto grid = makeGrid();
    grid->setEditing(true);
    grid->setRow(1);
    QString seen;
    grid->setKeyFilter([&](QChar key) {
        seen.append(key);
        if (key == QLatin1Char('a'))
            return QChar(u'b');
        return key == QLatin1Char('z') ? QChar() : key;
    });
    typeKey('a'); // opens the editor with the replaced character
    typeKey('z');
    typeKey('c');
    QCOMPARE(grid->cells(0, 1), QStringLiteral("bc"));
    QCOMPARE(seen, QStringLiteral("azc")); // each character once, also the one that opened the editor
    pressKey(Qt::Key_Backspace);
    QCOMPARE(seen.back(), QChar(8));
    QCOMPARE(grid->cells(0, 1), QStringLiteral("b"));
}

void tst_StringGrid::editTextAfterEveryChangeAndOnClose()
{
    auto grid = makeGrid();
    grid->setEditing(true);
    grid->setRow(4);
    grid->setCol(2);
    QSignalSpy texts(grid.get(), &StringGrid::editTextSet);
    typeKey('1');
    typeKey('2');
    pressKey(Qt::Key_Down); // closes the editor on the way
    QCOMPARE(grid->row(), 5);
    QCOMPARE(texts.size(), 3);
    const QList<QVariant> last = texts.back();
    QCOMPARE(last, (QList<QVariant>{2, 4, QStringLiteral("12")}));
    QCOMPARE(texts.at(0).at(2).toString(), QStringLiteral("1"));
    QCOMPARE(grid->cells(2, 4), QStringLiteral("12"));
}

void tst_StringGrid::clickAfterEveryMove()
{
    auto grid = makeGrid();
    QList<std::pair<int, int>> clicks;
    connect(grid.get(), &StringGrid::clicked, grid.get(), [&] { clicks.append({grid->col(), grid->row()}); });
    grid->setRow(2);
    pressKey(Qt::Key_Right);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(3, 4).center());
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(3, 4).center()); // the current one
    grid->setRow(0); // the header never becomes current
    grid->setRow(99);
    QCOMPARE(clicks, (QList<std::pair<int, int>>{{0, 2}, {1, 2}, {3, 4}, {3, 4}}));
}

QTEST_MAIN(tst_StringGrid)
#include "tst_stringgrid.moc"
