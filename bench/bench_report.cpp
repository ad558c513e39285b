// The report: composing it as the preview window is shown, painting one page at "По висоті" and
// at 200 %, and saving all pages as PDF; and a hostile catalogue whose first section's name is
// one word of a million characters or more, read and written as PDF as `zoris --pdf` does.
#include "benchfixtures.h"
#include "generatedcatalogue.h"

#include "indicators/catalogfile.h"
#include "preview/paperpreview.h"
#include "preview/printpreview.h"
#include "report/reportpdf.h"
#include "report/reportwindow.h"
#include "testing/recordingprinter.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

struct ReportWindow
{
    explicit ReportWindow(int indicators)
        : model(filledModel(indicators))
    {
        window.setWindowState(Qt::WindowNoState);
        window.resize(1280, 1024);
        showUntilPainted(window, *window.PrintPreview1->PaperView());
    }

    IndicatorModel model;
    ScriptedBoxes boxes;
    RecordingPrinter printer;
    TPrintRep window{model, boxes, printer};
};

void BM_ReportCompose(benchmark::State &state)
{
    ReportWindow report(int(state.range(0)));
    for (auto _ : state)
        report.window.FormShow();
    state.counters["pages"] = report.window.PrintPreview1->TotalPages();
}

void paintMiddlePage(benchmark::State &state, int zoom)
{
    ReportWindow report(int(state.range(0)));
    TPrintPreview &preview = *report.window.PrintPreview1;
    if (zoom)
        preview.setZoom(zoom);
    else
        preview.setZoomState(zsZoomToHeight);
    preview.setCurrentPage(preview.TotalPages() / 2 + 1);
    QCoreApplication::processEvents();
    for (auto _ : state)
        preview.PaperView()->repaint();
}

void BM_ReportPageAtHeight(benchmark::State &state)
{
    paintMiddlePage(state, 0);
}

void BM_ReportPageAt200(benchmark::State &state)
{
    paintMiddlePage(state, 200);
}

void BM_ReportPdf(benchmark::State &state)
{
    ReportWindow report(int(state.range(0)));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    for (auto _ : state)
        printPagesToPdf(report.window.PrintPreview1->Document(), path);
}

void BM_ReportPdfOfLongWord(benchmark::State &state)
{
    QByteArray catalogue = generatedCatalogue(20);
    const qsizetype nameStart = catalogue.indexOf('\n') + 1;
    catalogue.replace(nameStart, catalogue.indexOf('\r', nameStart) - nameStart, QByteArray(state.range(0), '\xe6'));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    for (auto _ : state) {
        IndicatorModel model;
        readCatalog(catalogue, model);
        writeReportPdf(model, path);
    }
}

} // namespace

BENCHMARK(BM_ReportCompose) ZORIS_SIZES->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportPageAtHeight) ZORIS_SIZES->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportPageAt200) ZORIS_SIZES->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportPdf) ZORIS_SIZES->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportPdfOfLongWord)
    ->Arg(1000000)
    ->Arg(4000000)
    ->ComputeStatistics("min", fastest)
    ->Unit(benchmark::kMillisecond);
