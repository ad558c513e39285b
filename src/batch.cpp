#include "batch.h"

#include "checks/checkplan.h"
#include "checks/outliers.h"
#include "checks/rulesfile.h"
#include "comparison/comparison.h"
#include "comparison/comparisonpdf.h"
#include "console.h"
#include "core/errors.h"
#include "indicators/catalogfile.h"
#include "indicators/datafile.h"
#include "indicators/model.h"
#include "platform/files/fileio.h"
#include "report/reportpdf.h"
#include "session/schoolname.h"
#include "session/startup.h"
#include "summary/summary.h"
#include "summary/summarytable.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <functional>

namespace {

// On the command line nothing else tells which file an I/O error was about.
ZorisError fileError(const QString &path, const IoError &error)
{
    return ZorisError(QStringLiteral("Файл \"") + QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())
                      + QStringLiteral("\": ") + error.message());
}

int runBatch(const std::function<void(IndicatorModel &)> &work, int failureStatus = 1)
{
    try {
        IndicatorModel model;
        bool catalogueRead = false;
        try {
            readStartupFiles(model, [&](CatalogLoad catalog) {
                catalogueRead = true;
                if (catalog == CatalogLoad::Missing)
                    throw ZorisError(MissingCatalogText.toString());
            });
        } catch (const IoError &error) {
            throw fileError(QString::fromLatin1(catalogueRead ? SchoolNameFileName : CatalogFileName), error);
        }
        work(model);
    } catch (const std::exception &error) {
        printLine(stderr, errorBoxText(failureMessage(error)));
        return failureStatus;
    }
    return 0;
}

// Runs operation on the file at path: an I/O error it raises names the file.
template <typename Operation>
void onFile(const QString &path, Operation &&operation)
{
    try {
        operation();
    } catch (const IoError &error) {
        throw fileError(path, error);
    }
}

} // namespace

int writeMergedDataFile(const QString &out, const QStringList &files)
{
    return runBatch([&](IndicatorModel &model) {
        requireSeveralFiles(files);
        applyDataFile(summaryContents(readSchoolFiles(files, model), model), model);
        onFile(out, [&] { writeDataFile(out, model); });
    });
}

int writeSummaryTableFile(const QString &out, const QStringList &files)
{
    return runBatch([&](IndicatorModel &model) {
        if (files.isEmpty())
            throw ZorisError(QStringLiteral("Не вказано жодного файлу з даними"));
        const SchoolSummary summary = readSchoolFiles(files, model);
        onFile(out, [&] { writeSummaryTable(out, model, summary); });
    });
}

int writeReportPdfFile(const QString &out, const QStringList &files)
{
    return runBatch([&](IndicatorModel &model) {
        if (files.size() >= 2) {
            applyDataFile(summaryContents(readSchoolFiles(files, model), model), model);
        } else if (!files.isEmpty()) {
            QByteArray year;
            std::optional<DataFileContents> contents;
            onFile(files.front(), [&] { contents = readDataFileOfYear(files.front(), model, year); });
            if (!contents)
                throw ZorisError(yearMismatchText(year, model.CatalogYear));
            applyDataFile(*contents, model);
        }
        writeReportPdf(model, out);
    });
}

int checkDataFiles(const QStringList &files)
{
    bool unreadable = false;
    bool doubtful = false;
    const int failed = runBatch(
        [&](IndicatorModel &model) {
            if (files.isEmpty())
                throw ZorisError(QStringLiteral("Не вказано жодного файлу з даними"));
            const RuleSet rules = loadRulesFile(QString::fromLatin1(RulesFileName), model);
            if (!rules.faults.isEmpty())
                printLine(stderr, rulesFaultsText(rules.faults));
            // A file that cannot be read is named, and the others are checked all the same.
            SchoolSummary schools;
            for (const QString &path : files) {
                try {
                    QByteArray name;
                    schools.values.append(readSchoolFile(path, model, name));
                    schools.paths.append(path);
                    schools.schoolNames.append(name);
                } catch (const SummaryRefusal &refusal) {
                    printLine(stderr, refusal.message());
                    unreadable = true;
                }
            }
            const QList<Finding> findings = checkSchools(CheckPlan(model, rules.rules), schools.values);
            for (const FindingRow &row : findingRows(model, findings, &schools)) {
                const QString line = QStringList{row.school, row.label, row.value, row.reason}.join(QLatin1Char('\t'));
                printLine(stdout, line);
            }
            doubtful = !findings.isEmpty();
        },
        2);
    if (failed != 0 || unreadable)
        return 2;
    return doubtful ? 1 : 0;
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
            onFile(out, [&] { writeFileAtomically(out, comparisonTableBytes(comparison)); });
    });
}
