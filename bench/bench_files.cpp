// Catalogue reading and data-file saving and opening.
#include "benchfixtures.h"
#include "generatedcatalogue.h"

#include "indicators/catalogfile.h"
#include "indicators/datafile.h"
#include "session/recoveryfile.h"
#include "session/recoverystore.h"

#include <QTemporaryDir>

#include <memory>

#include <benchmark/benchmark.h>

namespace {

void BM_ReadCatalogue(benchmark::State &state)
{
    const QByteArray bytes = generatedCatalogue(int(state.range(0)));
    for (auto _ : state) {
        auto model = std::make_unique<IndicatorModel>();
        readCatalog(bytes, *model);
        // Reading is measured; freeing the model happens once, when the program ends.
        state.PauseTiming();
        model.reset();
        state.ResumeTiming();
    }
}

void BM_WriteDataFile(benchmark::State &state)
{
    const IndicatorModel model = filledModel(int(state.range(0)));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.zrs"));
    for (auto _ : state)
        writeDataFile(path, model);
}

void BM_OpenDataFile(benchmark::State &state)
{
    IndicatorModel model = filledModel(int(state.range(0)));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.zrs"));
    writeDataFile(path, model);
    for (auto _ : state) {
        const DataFileContents contents = readDataFile(path, model.indicatorCount());
        applyDataFile(contents, model);
    }
}

// What the recovery writer does once the values changed: the bytes taken, then written durably.
void BM_WriteRecoveryFile(benchmark::State &state)
{
    const IndicatorModel model = filledModel(int(state.range(0)));
    QTemporaryDir dir;
    const RecoveryStore store(dir.path(), dir.path());
    for (auto _ : state)
        store.write(recoveryFileBytes(model, {dir.path(), QString(), QDateTime::currentDateTime()}));
}

} // namespace

BENCHMARK(BM_ReadCatalogue) ZORIS_SIZES->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteDataFile) ZORIS_SIZES->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenDataFile) ZORIS_SIZES->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteRecoveryFile) ZORIS_SIZES->Unit(benchmark::kMillisecond);
