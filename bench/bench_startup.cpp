// Start-up: from creating the main window (reading the catalogue, filling the grid with its row
// heights) until the grid has been painted for the first time.
#include "benchfixtures.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

namespace {

void BM_StartUp(benchmark::State &state)
{
    WorkingFolder folder(int(state.range(0)));
    for (auto _ : state) {
        IndicatorModel model;
        ScriptedBoxes boxes;
        TForm1 form(model, boxes);
        form.setWindowState(Qt::WindowNoState);
        form.resize(1280, 1024);
        showUntilPainted(form, *form.Grid1->viewport());
        state.PauseTiming();
        form.close();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_StartUp) ZORIS_SIZES->Unit(benchmark::kMillisecond);
