#include "batch.h"
#include "indicators/model.h"
#include "mainwindow/mainwindow.h"
#include "platform/apptitle.h"
#include "platform/qtboxes.h"
#include "platform/errors.h"
#include "platform/printing/systemprinter.h"
#include "platform/skin.h"
#include "report/reportpdf.h"
#include "report/reportwindow.h"
#include "wizard/wizard.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

namespace {

bool asksForPdf(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        for (const char *option : {"--pdf", "--merge", "--table"}) {
            const auto length = qstrlen(option);
            if (qstrcmp(argv[i], option) == 0 || (qstrncmp(argv[i], option, length) == 0 && argv[i][length] == '='))
                return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    // The PDF is written without a window, so it needs no display; and on success the batch
    // run prints nothing, so the toolkit's own notes are not shown.
    if (asksForPdf(argc, argv)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fprintf(stderr, "%s\n", qPrintable(message));
        });
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(applicationTitle());
    QApplication::setApplicationVersion(QStringLiteral(ZORIS_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("zoris"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Формування показників діяльності ЗНЗ. Каталог DEFAULT.lng читається з поточної теки."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE.zrs"), QStringLiteral("Файл з даними, що відкривається при запуску."),
                                 QStringLiteral("[FILE.zrs]"));
    const QCommandLineOption pdfOption(QStringLiteral("pdf"),
                                       QStringLiteral("Записати звіт у файл PDF без вікна і вийти."),
                                       QStringLiteral("OUT.pdf"));
    parser.addOption(pdfOption);
    const QCommandLineOption mergeOption(QStringLiteral("merge"),
                                         QStringLiteral("Записати зведені показники кількох файлів з даними у файл і вийти."),
                                         QStringLiteral("OUT.zrs"));
    parser.addOption(mergeOption);
    const QCommandLineOption tableOption(QStringLiteral("table"),
                                         QStringLiteral("Записати таблицю показників закладів (CSV) і вийти."),
                                         QStringLiteral("OUT.csv"));
    parser.addOption(tableOption);
    parser.process(app);
    const QStringList files = parser.positionalArguments();
    if (parser.isSet(mergeOption))
        return writeMergedDataFile(parser.value(mergeOption), files);
    if (parser.isSet(tableOption))
        return writeSummaryTableFile(parser.value(tableOption), files);
    if (parser.isSet(pdfOption))
        return writeReportPdfFile(parser.value(pdfOption), files);
    if (files.size() > 1) {
        std::fprintf(stderr, "%s\n", qPrintable(QStringLiteral("Можна відкрити лише один файл з даними.")));
        return 2;
    }

    Skin::apply(app);
    IndicatorModel model;
    QtBoxes boxes;
    TForm1 Form1(model, boxes);
    TiDialog iDialog(model, boxes, &Form1);
    QObject::connect(&iDialog, &TiDialog::refreshValues, &Form1, &TForm1::RefreshValues);
    Form1.setShowWizard([&] {
        if (!TiDialog::hasIndicators(model)) {
            boxes.warning(TiDialog::NoIndicatorsWarning.toString());
            return;
        }
        iDialog.exec();
    });
    SystemPrinter printer;
    TPrintRep PrintRep(model, boxes, printer, &Form1);
    Form1.setShowReport([&] { PrintRep.exec(); });
    Form1.show();
    if (!files.isEmpty())
        Form1.openDataFileNamed(files.front());
    return app.exec();
}
