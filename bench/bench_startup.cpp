// Start-up: from creating the main window (reading the catalogue, filling the grid with its row
// heights) until the grid has been painted for the first time.
#include "benchfixtures.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <memory>

namespace {

void BM_StartUp(benchmark::State &state)
{
    WorkingFolder folder(int(state.range(0)));
    malloc_trim(0);
    for (auto _ : state) {
        auto model = std::make_unique<IndicatorModel>();
        auto document = std::make_unique<IndicatorDocument>(*model);
        ScriptedBoxes boxes;
        auto form = std::make_unique<TForm1>(*document, boxes);
        form->setWindowState(Qt::WindowNoState);
        form->resize(1280, 1024);
        showUntilPainted(*form, *form->Grid1->viewport());
        // Closing and freeing happen once, when the program ends; the freed memory is tidied
        // up here so that the next start does not pay for it.
        state.PauseTiming();
        form.reset();
        document.reset();
        model.reset();
        QCoreApplication::processEvents();
        malloc_trim(0);
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_StartUp) ZORIS_SIZES->Unit(benchmark::kMillisecond);
