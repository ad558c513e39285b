#include "startup.h"

#include "indicators/catalogfile.h"
#include "platform/files/fileio.h"
#include "schoolname.h"

SchoolNameLoad readStartupFiles(IndicatorModel &model, const std::function<void(CatalogLoad)> &catalogRead)
{
    catalogRead(loadCatalogFile(QString::fromLatin1(CatalogFileName), model));
    const QString schoolNameFile = QString::fromLatin1(SchoolNameFileName);
    if (!fileExists(schoolNameFile))
        return SchoolNameLoad::Missing;
    model.SchoolName = readSchoolNameFile(schoolNameFile);
    return SchoolNameLoad::Read;
}
