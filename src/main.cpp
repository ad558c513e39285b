#include "batch.h"
#include "comparison/comparisonwindow.h"
#include "console.h"
#include "indicators/document.h"
#include "indicators/model.h"
#include "mainwindow/mainwindow.h"
#include "platform/balloons.h"
#include "platform/printing/systemprinter.h"
#include "platform/qtboxes.h"
#include "platform/qttranslation.h"
#include "platform/skin.h"
#include "report/reportwindow.h"
#include "session/workingfolder.h"
#include "wizard/wizard.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdio>

int main(int argc, char *argv[])
{
    attachParentConsole();
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Формування показників діяльності ЗНЗ. Каталог DEFAULT.lng читається з поточної теки, "
                       "а якщо його там немає, з теки даних користувача."));
    // The program's own help and version options: Qt's would add "--help-all", whose lines of Qt's
    // options are English.
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Показати цю довідку і вийти."));
    parser.addOption(helpOption);
    const QCommandLineOption versionOption({QStringLiteral("v"), QStringLiteral("version")},
                                           QStringLiteral("Показати версію програми і вийти."));
    parser.addOption(versionOption);
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
    const QCommandLineOption checkOption(
        QStringLiteral("check"),
        QStringLiteral("Перевірити значення у файлах з даними: рядок на кожне сумнівне значення (заклад, показник, "
                       "значення, причина); код виходу 0, якщо все гаразд, 1, якщо є сумнівні, 2, якщо файл не прочитано."));
    parser.addOption(checkOption);
    const QCommandLineOption compareOption(
        QStringLiteral("compare"),
        QStringLiteral("Записати порівняння двох файлів з даними (OLD.zrs минулого року, NEW.zrs цього) "
                       "у файл CSV або PDF і вийти."),
        QStringLiteral("OUT.csv|OUT.pdf"));
    parser.addOption(compareOption);

    // Help, the version, a wrong command line and the batch outputs are answered without a window,
    // so they need no display (a terminal over SSH); and on success they print only what was
    // asked, not the toolkit's own notes.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (!parser.parse(arguments) || parser.isSet(helpOption) || parser.isSet(versionOption) || parser.isSet(pdfOption)
        || parser.isSet(mergeOption) || parser.isSet(tableOption) || parser.isSet(checkOption)
        || parser.isSet(compareOption)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef _WIN32
            // Offscreen, Qt measures text with FreeType as on Linux, so that a report breaks its
            // lines and pages alike; on Windows it finds no fonts unless told the system's folder.
            if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR"))
                qputenv("QT_QPA_FONTDIR", qgetenv("WINDIR") + "\\Fonts");
#endif
        }
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                printLine(stderr, message);
        });
    }
    QApplication app(argc, argv);
    installQtTranslation(app);
    // The application's name places the user's data folder (~/.local/share/zoris) and settings.
    QApplication::setApplicationName(QStringLiteral("zoris"));
    QApplication::setApplicationVersion(QStringLiteral(ZORIS_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("ua.zoris.Zoris"));

    // Printed by the program, not by Qt: Qt on Windows writes them in the ANSI code page, which
    // has no Cyrillic letters.
    if (!parser.parse(QCoreApplication::arguments())) {
        printLine(stderr, QCoreApplication::applicationName() + QStringLiteral(": ") + parser.errorText());
        return 1;
    }
    if (parser.isSet(helpOption)) {
        printLine(stdout, parser.helpText().trimmed());
        return 0;
    }
    if (parser.isSet(versionOption)) {
        printLine(stdout, QStringLiteral("zoris ") + QStringLiteral(ZORIS_VERSION));
        printLine(stdout, QStringLiteral("Ліцензія: GNU GPL версії 3 або пізнішої <https://www.gnu.org/licenses/gpl-3.0.html>."));
        printLine(stdout, QStringLiteral("Це вільна програма: її можна змінювати й поширювати. Гарантії немає в межах, "
                                         "дозволених законом."));
        return 0;
    }
    // Names on the command line are meant from where the program was started.
    const auto absolute = [](const QString &name) { return name.isEmpty() ? name : QFileInfo(name).absoluteFilePath(); };
    QStringList files = parser.positionalArguments();
    for (QString &file : files)
        file = absolute(file);
    const QString pdfFile = absolute(parser.value(pdfOption));
    const QString mergeFile = absolute(parser.value(mergeOption));
    const QString tableFile = absolute(parser.value(tableOption));
    const QString compareFile = absolute(parser.value(compareOption));
    enterWorkingFolder(QCoreApplication::applicationDirPath());

    if (parser.isSet(mergeOption))
        return writeMergedDataFile(mergeFile, files);
    if (parser.isSet(tableOption))
        return writeSummaryTableFile(tableFile, files);
    if (parser.isSet(checkOption))
        return checkDataFiles(files);
    if (parser.isSet(compareOption))
        return writeComparisonFile(compareFile, files);
    if (parser.isSet(pdfOption))
        return writeReportPdfFile(pdfFile, files);
    if (files.size() > 1) {
        printLine(stderr, QStringLiteral("Можна відкрити лише один файл з даними."));
        return 2;
    }

    Skin::apply(app);
    // Every widget's hint shows as a balloon, the application over.
    app.installEventFilter(new HintManager(&app));
    IndicatorModel model;
    IndicatorDocument document(model);
    QtBoxes boxes;
    TForm1 Form1(document, boxes);
    TiDialog iDialog(document, boxes, &Form1);
    QObject::connect(&iDialog, &TiDialog::refreshValues, &Form1, &TForm1::RefreshValues);
    Form1.setShowWizard([&] { iDialog.enterData(); });
    SystemPrinter printer;
    TPrintRep PrintRep(model, boxes, printer, &Form1);
    Form1.setShowReport([&] { PrintRep.exec(); });
    ComparisonWindow comparison(document, boxes, &Form1);
    Form1.setShowComparison([&] { comparison.open(); });
    QObject::connect(&comparison, &ComparisonWindow::lastYearRead, &Form1, &TForm1::setLastYear);
    comparison.readRemembered();
    Form1.show();
    Form1.keepRecoveryIn(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery"));
    if (!files.isEmpty())
        Form1.openDataFileNamed(files.front());
    return app.exec();
}
