#include "indicators/catalogfile.h"
#include "indicators/encoding.h"
#include "platform/errors.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    IndicatorModel model;
    try {
        if (loadCatalogFile(QString::fromLatin1(CatalogFileName), model) == CatalogLoad::Missing) {
            out << "Файл конфігурації відсутній\n";
            return 1;
        }
    } catch (const ZorisError &error) {
        out << errorBoxText(error.message()) << '\n';
        return 1;
    }
    out << "Рік: " << fromCp1251(model.CatalogYear) << '\n';
    for (const razdel &section : model.Catalog)
        out << fromCp1251(section.Name) << ": " << section.Items.size() << '\n';
    return 0;
}
