// The indicator grid at catalogue sizes of 1,000 and 10,000 indicators: filling it, painting a
// window-sized view, scrolling a page, typing one character, and a change of the window's width.

#include "indicators/encoding.h"
#include "indicators/model.h"
#include "mainwindow/mainwindow.h"
#include "platform/scriptedboxes.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Sections of 25 indicators whose wordings are 4 to 30 words from a vocabulary of 600, so that
// rows take one to four lines as in a real catalogue.
QByteArray generatedCatalog(int indicators)
{
    QRandomGenerator random(20260101);
    QStringList vocabulary;
    const QString letters = QStringLiteral("абвгдеєжзиіїйклмнопрстуфхцчшщьюя");
    for (int i = 0; i < 600; ++i) {
        QString word;
        const int length = 2 + int(random.bounded(11));
        for (int k = 0; k < length; ++k)
            word += letters[int(random.bounded(letters.size()))];
        vocabulary << word;
    }
    auto phrase = [&](int minWords, int maxWords) {
        QStringList words;
        const int count = minWords + int(random.bounded(maxWords - minWords + 1));
        for (int i = 0; i < count; ++i)
            words << vocabulary[int(random.bounded(vocabulary.size()))];
        return words.join(QLatin1Char(' '));
    };
    QStringList lines{QStringLiteral("2026")};
    for (int n = 0; n < indicators;) {
        lines << phrase(3, 12);
        for (int j = 0; j < 25 && n < indicators; ++j, ++n)
            lines << QStringLiteral("K%1").arg(n) << phrase(4, 30) << phrase(1, 8) << QStringLiteral("од.")
                  << (n % 3 ? QStringLiteral("C") : QStringLiteral("A")) << QStringLiteral("П%1").arg(n);
        lines << QStringLiteral("===");
    }
    return toCp1251(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

// A shown main window of 1280 x 1024 over a generated catalogue, in its own working folder.
class Window
{
public:
    explicit Window(int indicators)
    {
        QDir::setCurrent(m_dir.path());
        write(QStringLiteral("DEFAULT.lng"), generatedCatalog(indicators));
        write(QStringLiteral("school_name.dat"), toCp1251(u"Школа\r\n"));
        form = std::make_unique<TForm1>(m_model, m_boxes);
        form->setWindowState(Qt::WindowNoState);
        form->resize(1280, 1024);
        form->show();
        QTest::qWaitForWindowExposed(form.get());
        form->activateWindow();
        QTest::qWaitForWindowActive(form.get());
        QCoreApplication::processEvents();
    }

    std::unique_ptr<TForm1> form;

private:
    static void write(const QString &name, const QByteArray &bytes)
    {
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(name));
    }

    QTemporaryDir m_dir;
    IndicatorModel m_model;
    ScriptedBoxes m_boxes;
};

void BM_GridFill(benchmark::State &state)
{
    Window window(int(state.range(0)));
    for (auto _ : state) {
        window.form->FillGrid();
        QCoreApplication::processEvents();
    }
    state.counters["rows"] = window.form->Grid1->RowCount();
}

void BM_GridFullRepaint(benchmark::State &state)
{
    Window window(int(state.range(0)));
    QWidget *rows = window.form->Grid1->viewport();
    QScrollBar *bar = window.form->Grid1->verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    for (auto _ : state)
        rows->repaint();
}

void BM_GridScrollPage(benchmark::State &state)
{
    Window window(int(state.range(0)));
    QWidget *rows = window.form->Grid1->viewport();
    QScrollBar *bar = window.form->Grid1->verticalScrollBar();
    for (auto _ : state) {
        const int next = bar->value() + bar->pageStep();
        bar->setValue(next > bar->maximum() ? 0 : next);
        rows->repaint();
    }
}

void BM_GridKeystroke(benchmark::State &state)
{
    Window window(int(state.range(0)));
    StringGrid &grid = *window.form->Grid1;
    grid.setFocus();
    grid.setRow(grid.RowCount() - 1);
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

void BM_GridWidthChange(benchmark::State &state)
{
    Window window(int(state.range(0)));
    int width = 1280;
    for (auto _ : state) {
        width = width == 1280 ? 1200 : 1280;
        window.form->resize(width, 1024);
        QCoreApplication::processEvents();
    }
}

} // namespace

BENCHMARK(BM_GridFill)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridFullRepaint)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridScrollPage)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridKeystroke)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GridWidthChange)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
