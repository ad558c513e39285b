// The district summary: reading, checking and adding up the data files of many schools.
#include "benchfixtures.h"

#include "indicators/catalogfile.h"
#include "indicators/datafile.h"
#include "indicators/fileio.h"
#include "indicators/summary.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_MergeSchoolFiles(benchmark::State &state)
{
    IndicatorModel model;
    readCatalog(readWholeFile(QStringLiteral(ZORIS_SHIPPED_DATA "/DEFAULT.lng")), model);
    QTemporaryDir dir;
    QStringList paths;
    for (int f = 0; f < state.range(0); ++f) {
        IndicatorModel school = model;
        school.SchoolName = "School " + QByteArray::number(f);
        int k = 0;
        for (razdel &section : school.Catalog) {
            for (pokazatel &item : section.Items)
                item.Value = (f % 97) * 1.25 + k++;
        }
        paths << dir.filePath(QStringLiteral("school%1.zrs").arg(f));
        // Written plainly: the atomic writer's flush to disk would make setting up take minutes.
        QFile file(paths.back());
        if (!file.open(QIODevice::WriteOnly) || file.write(dataFileBytes(school)) < 0)
            state.SkipWithError("cannot write the school files");
    }
    for (auto _ : state) {
        applySummary(readSchoolFiles(paths, model), model);
        benchmark::DoNotOptimize(model.Catalog.front().Items.front().Value);
    }
    state.counters["indicators"] = model.indicatorCount();
}

} // namespace

BENCHMARK(BM_MergeSchoolFiles)->Arg(1000)->Arg(10000)->ComputeStatistics("min", fastest)->Unit(benchmark::kMillisecond);
