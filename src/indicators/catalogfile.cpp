#include "catalogfile.h"

#include "platform/files/fileio.h"
#include "textfile.h"

// The file's end closes whatever it cuts off: a section without its "===" keeps the indicators
// read so far, an indicator cut inside its six lines keeps the lines it has and the others stay
// empty. Empty lines at the very end of the file are no content and start no section.
void readCatalog(const QByteArray &bytes, IndicatorModel &model)
{
    TextReader reader(bytes);
    model.Catalog.clear();
    model.CatalogYear = reader.readLine();
    while (!reader.onlyEmptyLinesLeft()) {
        razdel &section = model.Catalog.emplace_back();
        section.Name = reader.readLine();
        while (!reader.onlyEmptyLinesLeft()) {
            QByteArray line = reader.readLine();
            if (line == "===")
                break;
            pokazatel &item = section.Items.emplace_back();
            item.Key = std::move(line);
            item.Name = reader.readLine();
            item.Source = reader.readLine();
            item.Measure = reader.readLine();
            item.Kind = reader.readLine();
            item.Code = reader.readLine();
        }
    }
    model.catalogueChanged();
}

CatalogLoad loadCatalogFile(const QString &path, IndicatorModel &model)
{
    model.Catalog.clear();
    model.catalogueChanged();
    if (!fileExists(path))
        return CatalogLoad::Missing;
    readCatalog(readWholeFile(path), model);
    return CatalogLoad::Loaded;
}
