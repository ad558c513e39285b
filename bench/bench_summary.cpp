// The district summary: reading, checking and adding up the data files of many schools; and
// the checks of their values as --check makes them.
#include "benchfixtures.h"

#include "checks/checkplan.h"
#include "checks/outliers.h"
#include "checks/rulesfile.h"
#include "indicators/catalogfile.h"
#include "indicators/datafile.h"
#include "platform/files/fileio.h"
#include "summary/summary.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// The data files of state.range(0) schools of the shipped catalogue, written once into dir.
QStringList writeSchoolFiles(benchmark::State &state, const IndicatorModel &model, const QTemporaryDir &dir)
{
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
    return paths;
}

IndicatorModel shippedModel()
{
    IndicatorModel model;
    readCatalog(readWholeFile(QStringLiteral(ZORIS_SHIPPED_DATA "/DEFAULT.lng")), model);
    return model;
}

void BM_MergeSchoolFiles(benchmark::State &state)
{
    IndicatorModel model = shippedModel();
    QTemporaryDir dir;
    const QStringList paths = writeSchoolFiles(state, model, dir);
    for (auto _ : state) {
        applyDataFile(summaryContents(readSchoolFiles(paths, model), model), model);
        benchmark::DoNotOptimize(model.Catalog.front().Items.front().Value);
    }
    state.counters["indicators"] = model.indicatorCount();
}

// Every file read, its values checked against the units and the shipped rules, and the outliers
// across the schools found.
void BM_CheckSchoolFiles(benchmark::State &state)
{
    const IndicatorModel model = shippedModel();
    QTemporaryDir dir;
    const QStringList paths = writeSchoolFiles(state, model, dir);
    const CheckPlan plan(model, loadRulesFile(QStringLiteral(ZORIS_SHIPPED_DATA "/DEFAULT.chk"), model).rules);
    for (auto _ : state) {
        QList<QList<double>> values;
        for (const QString &path : paths) {
            QByteArray name;
            values.append(readSchoolFile(path, model, name));
        }
        benchmark::DoNotOptimize(checkSchools(plan, values).size());
    }
}

} // namespace

BENCHMARK(BM_CheckSchoolFiles)->Arg(1000)->ComputeStatistics("min", fastest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MergeSchoolFiles)->Arg(1000)->Arg(10000)->ComputeStatistics("min", fastest)->Unit(benchmark::kMillisecond);
