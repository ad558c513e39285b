#include "platform/printing/printerchoice.h"

#include "platform/printing/printerservice.h"

#include <QSettings>

namespace {

const QString PrinterKey = QStringLiteral("report/printer");

// The printer is remembered by name: the index of a queue shifts when others come or go.
QSettings userSettings()
{
    return QSettings(QStringLiteral("zoris"), QStringLiteral("zoris"));
}

} // namespace

int restorePrinterChoice(PrinterService &printer)
{
    const QStringList names = printer.printers();
    const int remembered = names.indexOf(userSettings().value(PrinterKey).toString());
    const int index = remembered >= 0 ? remembered : printer.defaultPrinterIndex();
    printer.setPrinterIndex(index);
    return index;
}

void choosePrinter(PrinterService &printer, int index)
{
    const QStringList names = printer.printers();
    if (index < 0 || index >= names.size())
        return;
    printer.setPrinterIndex(index);
    userSettings().setValue(PrinterKey, names.at(index));
}
