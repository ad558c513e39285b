#include "workingfolder.h"

#include "catalogfile.h"
#include "fileio.h"

#include "core/errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace {

// The year on a catalogue's first line, when it is one; a name is made of it.
QString yearOf(const QByteArray &catalogue)
{
    const QByteArray line = catalogue.left(catalogue.indexOf('\n')).trimmed();
    const bool digits = !line.isEmpty() && line.size() <= 9
        && std::all_of(line.begin(), line.end(), [](char c) { return c >= '0' && c <= '9'; });
    return digits ? QString::fromLatin1(line) : QStringLiteral("old");
}

// Keeps a catalogue about to be replaced beside it, named after its year: "DEFAULT(2025).lng",
// or "DEFAULT(2025)-2.lng" and on where that name holds other bytes. A copy already kept is not
// made twice.
void keepReplacedCatalogue(const QDir &data, const QByteArray &bytes)
{
    const QFileInfo name(QString::fromLatin1(CatalogFileName));
    const QString stem = name.completeBaseName() + u'(' + yearOf(bytes) + u')';
    for (int n = 1;; ++n) {
        const QString path =
            data.filePath(stem + (n > 1 ? QStringLiteral("-%1").arg(n) : QString()) + u'.' + name.suffix());
        if (!fileExists(path)) {
            writeFileAtomically(path, bytes);
            return;
        }
        if (readWholeFile(path) == bytes)
            return;
    }
}

// The user's copy follows the installed catalogue, so that the package's next year's catalogue
// is the one read; a copy it replaces is kept beside it.
void refreshCatalogue(const QDir &data, const QString &installed)
{
    const QString copy = data.filePath(QString::fromLatin1(CatalogFileName));
    try {
        if (!fileExists(installed))
            return;
        const QByteArray fresh = readWholeFile(installed);
        if (fileExists(copy)) {
            const QByteArray old = readWholeFile(copy);
            if (old == fresh)
                return;
            keepReplacedCatalogue(data, old);
        }
        writeFileAtomically(copy, fresh);
    } catch (const ZorisError &) {
        // The copy stays as it was, and start-up reads it or tells that it is missing.
    }
}

} // namespace

QString enterWorkingFolder(const QString &executableDir)
{
    const QString catalogue = QString::fromLatin1(CatalogFileName);
    if (QFile::exists(catalogue))
        return QDir::currentPath();

    const QString dataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (dataDir.isEmpty() || !QDir().mkpath(dataDir))
        return QDir::currentPath();
    const QDir data(dataDir);
    const QString installed = QDir(executableDir).filePath(QStringLiteral("../share/zoris/"));
    refreshCatalogue(data, installed + catalogue);
    const QString rules = QString::fromLatin1(RulesFileName);
    if (!data.exists(rules))
        QFile::copy(installed + rules, data.filePath(rules));
    QDir::setCurrent(dataDir);
    return QDir::currentPath();
}
