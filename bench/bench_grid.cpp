// The indicator grid: filling it, painting a window-sized view, scrolling a page, typing one
// character (the model's update and the repaint it causes), pasting a value for every
// indicator, and a change of the window's width.

#include "benchfixtures.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

void BM_GridFill(benchmark::State &state)
{
    ShownMainWindow window(int(state.range(0)));
    for (auto _ : state) {
        window.form->FillGrid();
        QCoreApplication::processEvents();
    }
    state.counters["rows"] = window.form->Grid1->rowCount();
}

void BM_GridFullRepaint(benchmark::State &state)
{
    ShownMainWindow window(int(state.range(0)));
    QWidget *rows = window.form->Grid1->viewport();
    QScrollBar *bar = window.form->Grid1->verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    for (auto _ : state)
        rows->repaint();
}

void BM_GridScrollPage(benchmark::State &state)
{
    ShownMainWindow window(int(state.range(0)));
    QWidget *rows = window.form->Grid1->viewport();
    QScrollBar *bar = window.form->Grid1->verticalScrollBar();
    for (auto _ : state) {
        const int next = bar->value() + bar->pageStep();
        bar->setValue(next > bar->maximum() ? 0 : next);
        rows->repaint();
    }
}

// Typing in the last value cell; the window may keep a recovery file meanwhile.
void typeInLastValue(benchmark::State &state, ShownMainWindow &window)
{
    StringGrid &grid = *window.form->Grid1;
    grid.setFocus();
    grid.setRow(grid.rowCount() - 1);
    grid.setCol(6);
    QTest::keyClick(QApplication::focusWidget(), '1');
    QWidget *editor = QApplication::focusWidget();
    bool grow = true;
    for (auto _ : state) {
        // A digit and a deletion in turn keep the text short.
        if (grow)
            QTest::keyClick(editor, '7');
        else
            QTest::keyClick(editor, Qt::Key_Backspace);
        grow = !grow;
        QCoreApplication::processEvents();
    }
}

// A column of a value for every indicator pasted at the first value cell: reading the text,
// one step of the history, the checks and the grid's cells; values differ at every paste.
void BM_GridPasteColumn(benchmark::State &state)
{
    ShownMainWindow window(int(state.range(0)));
    StringGrid &grid = *window.form->Grid1;
    grid.setFocus();
    grid.setRow(2);
    grid.setCol(6);
    QStringList columns[2];
    for (int i = 0; i < window.model.indicatorCount(); ++i) {
        columns[0] << QString::number(i % 97) + QStringLiteral(",5");
        columns[1] << QString::number(i % 89);
    }
    int turn = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QApplication::clipboard()->setText(columns[turn].join(QLatin1Char('\n')));
        turn = 1 - turn;
        state.ResumeTiming();
        QTest::keyClick(QApplication::focusWidget(), 'v', Qt::ControlModifier);
        QCoreApplication::processEvents();
    }
}

void BM_GridKeystroke(benchmark::State &state)
{
    ShownMainWindow window(int(state.range(0)));
    typeInLastValue(state, window);
}

// The same with the recovery file written as the values change.
void BM_GridKeystrokeWithRecovery(benchmark::State &state)
{
    ShownMainWindow window(int(state.range(0)));
    QTemporaryDir recovery;
    window.form->keepRecoveryIn(recovery.path());
    typeInLastValue(state, window);
}

// The same with a rule about every indicator; two of them name the typed one.
void BM_GridKeystrokeChecked(benchmark::State &state)
{
    ShownMainWindow window(int(state.range(0)), true);
    typeInLastValue(state, window);
}

void BM_GridWidthChange(benchmark::State &state)
{
    ShownMainWindow window(int(state.range(0)));
    int width = 1280;
    for (auto _ : state) {
        width = width == 1280 ? 1200 : 1280;
        window.form->resize(width, 1024);
        QCoreApplication::processEvents();
    }
}

} // namespace

BENCHMARK(BM_GridFill) ZORIS_SIZES->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridFullRepaint) ZORIS_SIZES->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridScrollPage) ZORIS_SIZES->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridPasteColumn) ZORIS_SIZES->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridKeystroke) ZORIS_SIZES->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GridKeystrokeWithRecovery) ZORIS_SIZES->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GridKeystrokeChecked) ZORIS_SIZES->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GridWidthChange) ZORIS_SIZES->Unit(benchmark::kMillisecond);
