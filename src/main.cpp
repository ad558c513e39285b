#include "indicators/catalogfile.h"
#include "indicators/datafile.h"
#include "indicators/model.h"
#include "indicators/startup.h"
#include "indicators/workingfolder.h"
#include "mainwindow/mainwindow.h"
#include "platform/qtboxes.h"
#include "platform/qttranslation.h"
#include "platform/errors.h"
#include "platform/printing/systemprinter.h"
#include "platform/skin.h"
#include "report/reportpdf.h"
#include "report/reportwindow.h"
#include "wizard/wizard.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>

#include <cstdio>

namespace {

// zoris --pdf OUT.pdf [FILE.zrs]: the report from the working folder's files, no window and no
// question; errors go to standard error.
int writePdfWithoutWindow(const QString &out, const QStringList &files)
{
    try {
        IndicatorModel model;
        readStartupFiles(model, [](CatalogLoad catalog) {
            if (catalog == CatalogLoad::Missing)
                throw ZorisError(MissingCatalogText.toString());
        });
        QByteArray year;
        if (!files.isEmpty() && !openDataFile(files.front(), model, year))
            throw ZorisError(yearMismatchText(year, model.CatalogYear));
        writeReportPdf(model, out);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", qPrintable(errorBoxText(failureMessage(error))));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Формування показників діяльності ЗНЗ. Каталог DEFAULT.lng читається з поточної теки, "
                       "а якщо його там немає, з теки даних користувача."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE.zrs"), QStringLiteral("Файл з даними, що відкривається при запуску."),
                                 QStringLiteral("[FILE.zrs]"));
    const QCommandLineOption pdfOption(QStringLiteral("pdf"),
                                       QStringLiteral("Записати звіт у файл PDF без вікна і вийти."),
                                       QStringLiteral("OUT.pdf"));
    parser.addOption(pdfOption);

    // Help, the version, a wrong command line and the PDF are answered without a window, so they
    // need no display (a terminal over SSH); and on success they print only what was asked, not
    // the toolkit's own notes.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (!parser.parse(arguments) || parser.isSet(helpOption) || parser.isSet(QStringLiteral("help-all"))
        || parser.isSet(versionOption) || parser.isSet(pdfOption)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fprintf(stderr, "%s\n", qPrintable(message));
        });
    }
    QApplication app(argc, argv);
    installQtTranslation(app);
    // The application's name places the user's data folder (~/.local/share/zoris) and settings.
    QApplication::setApplicationName(QStringLiteral("zoris"));
    QApplication::setApplicationVersion(QStringLiteral(ZORIS_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("ua.zoris.Zoris"));

    parser.process(app);
    QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        std::fprintf(stderr, "%s\n", qPrintable(QStringLiteral("Можна відкрити лише один файл з даними.")));
        return 2;
    }

    // Names on the command line are meant from where the program was started.
    for (QString &file : files)
        file = QFileInfo(file).absoluteFilePath();
    const QString pdfFile = parser.isSet(pdfOption) ? QFileInfo(parser.value(pdfOption)).absoluteFilePath() : QString();
    enterWorkingFolder(QCoreApplication::applicationDirPath());

    if (parser.isSet(pdfOption))
        return writePdfWithoutWindow(pdfFile, files);

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
