#include "batch.h"

#include "indicators/catalogfile.h"
#include "indicators/datafile.h"
#include "indicators/model.h"
#include "indicators/startup.h"
#include "indicators/summary.h"
#include "indicators/summarytable.h"
#include "core/errors.h"
#include "report/reportpdf.h"

#include <cstdio>
#include <functional>

namespace {

int runBatch(const std::function<void(IndicatorModel &)> &work)
{
    try {
        IndicatorModel model;
        readStartupFiles(model, [](CatalogLoad catalog) {
            if (catalog == CatalogLoad::Missing)
                throw ZorisError(MissingCatalogText.toString());
        });
        work(model);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", qPrintable(errorBoxText(failureMessage(error))));
        return 1;
    }
    return 0;
}

} // namespace

int writeMergedDataFile(const QString &out, const QStringList &files)
{
    return runBatch([&](IndicatorModel &model) {
        requireSeveralFiles(files);
        applySummary(readSchoolFiles(files, model), model);
        SaveDataFile(out, model);
    });
}

int writeSummaryTableFile(const QString &out, const QStringList &files)
{
    return runBatch([&](IndicatorModel &model) {
        if (files.isEmpty())
            throw ZorisError(QStringLiteral("Не вказано жодного файлу з даними"));
        writeSummaryTable(out, model, readSchoolFiles(files, model));
    });
}

int writeReportPdfFile(const QString &out, const QStringList &files)
{
    return runBatch([&](IndicatorModel &model) {
        QByteArray year;
        if (files.size() >= 2)
            applySummary(readSchoolFiles(files, model), model);
        else if (!files.isEmpty() && !openDataFile(files.front(), model, year))
            throw ZorisError(yearMismatchText(year, model.CatalogYear));
        writeReportPdf(model, out);
    });
}
