#include "workingfolder.h"

#include "indicators/catalogfile.h"
#include "platform/files/fileio.h"

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

// Keeps a file about to be replaced beside it, named after the year of the catalogue it went
// with: "DEFAULT(2025).lng", or "DEFAULT(2025)-2.lng" and on where that name holds other bytes.
// A copy already kept is not made twice.
void keepReplaced(const QDir &data, const QString &fileName, const QString &year, const QByteArray &bytes)
{
    const QFileInfo name(fileName);
    const QString stem = name.completeBaseName() + u'(' + year + u')';
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

// The user's copy follows the installed file, so that the package's next year's catalogue is the
// one read; a copy it replaces is kept beside it. Tells whether the copy was written.
bool followInstalled(const QDir &data, const QString &installedDir, const QString &fileName, const QString &year)
{
    const QString copy = data.filePath(fileName);
    const QString installed = installedDir + fileName;
    try {
        if (!fileExists(installed))
            return false;
        const QByteArray fresh = readWholeFile(installed);
        if (fileExists(copy)) {
            const QByteArray old = readWholeFile(copy);
            if (old == fresh)
                return false;
            keepReplaced(data, fileName, year, old);
        }
        writeFileAtomically(copy, fresh);
        return true;
    } catch (const ZorisError &) {
        // The copy stays as it was, and start-up reads it or tells that it is missing.
        return false;
    }
}

// The year of the user's catalogue as it is before it may be replaced.
QString yearOfCopy(const QDir &data)
{
    try {
        const QString copy = data.filePath(QString::fromLatin1(CatalogFileName));
        return fileExists(copy) ? yearOf(readWholeFile(copy)) : QStringLiteral("old");
    } catch (const ZorisError &) {
        return QStringLiteral("old");
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
#ifdef _WIN32
    // Installed on Windows, the catalogue lies beside the program.
    const QString installed = QDir(executableDir).filePath(QStringLiteral("./"));
#else
    const QString installed = QDir(executableDir).filePath(QStringLiteral("../share/zoris/"));
#endif
    // The rules go with their catalogue: replaced with a new one, otherwise left as the user keeps
    // them.
    const QString year = yearOfCopy(data);
    const QString rules = QString::fromLatin1(RulesFileName);
    if (followInstalled(data, installed, catalogue, year) || !data.exists(rules))
        followInstalled(data, installed, rules, year);
    QDir::setCurrent(dataDir);
    return QDir::currentPath();
}
