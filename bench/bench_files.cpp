// Catalogue reading and data-file saving and opening.
#include "generatedcatalogue.h"

#include "indicators/catalogfile.h"
#include "indicators/datafile.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

IndicatorModel loaded(int indicators)
{
    IndicatorModel model;
    readCatalog(generatedCatalogue(indicators), model);
    int k = 0;
    for (razdel &section : model.Catalog)
        for (pokazatel &item : section.Items)
            item.Value = ++k * 1.25;
    return model;
}

void BM_ReadCatalogue(benchmark::State &state)
{
    const QByteArray bytes = generatedCatalogue(int(state.range(0)));
    for (auto _ : state) {
        IndicatorModel model;
        readCatalog(bytes, model);
        benchmark::DoNotOptimize(model.Catalog.size());
    }
}

void BM_SaveDataFile(benchmark::State &state)
{
    const IndicatorModel model = loaded(int(state.range(0)));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.zrs"));
    for (auto _ : state)
        SaveDataFile(path, model);
}

void BM_OpenDataFile(benchmark::State &state)
{
    IndicatorModel model = loaded(int(state.range(0)));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.zrs"));
    SaveDataFile(path, model);
    for (auto _ : state) {
        const DataFileContents contents = readDataFile(path, model.indicatorCount());
        applyDataFile(contents, model);
    }
}

} // namespace

BENCHMARK(BM_ReadCatalogue)->Arg(100)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveDataFile)->Arg(100)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenDataFile)->Arg(100)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
