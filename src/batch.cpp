#include "batch.h"

#include "comparison/comparisonpdf.h"
#include "indicators/catalogfile.h"
#include "indicators/comparison.h"
#include "indicators/datafile.h"
#include "indicators/fileio.h"
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

int writeComparisonFile(const QString &out, const QStringList &files)
{
    return runBatch([&](IndicatorModel &model) {
        if (files.size() != 2)
            throw ZorisError(QStringLiteral("Для порівняння потрібні два файли з даними: минулого року і цього"));
        const bool pdf = out.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
        if (!pdf && !out.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
            throw ZorisError(QStringLiteral("Порівняння записується у файл .csv або .pdf"));
        const DataFileContents last = readComparedFile(files[0]);
        const DataFileContents current = readComparedFile(files[1]);
        if (!precedesYear(last.year, current.year))
            throw ZorisError(notEarlierFileText(files[0], last.year, files[1], current.year));
        const Comparison comparison = compareYears(model, last, current);
        if (pdf)
            writeComparisonPdf(comparison, out);
        else
            writeFileAtomically(out, comparisonTableBytes(comparison));
    });
}
