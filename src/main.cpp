#include "indicators/model.h"
#include "mainwindow/mainwindow.h"
#include "platform/apptitle.h"
#include "platform/qtboxes.h"
#include "platform/skin.h"
#include "wizard/wizard.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

int main(int argc, char *argv[])
{
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
    // The report as a PDF without a window (--pdf OUT.pdf [FILE.zrs]) is decided here, before
    // any window exists.
    parser.process(app);
    const QStringList files = parser.positionalArguments();
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
    Form1.show();
    if (!files.isEmpty())
        Form1.openDataFileNamed(files.front());
    return app.exec();
}
