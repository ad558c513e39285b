#include "recoverystore.h"

#include "core/errors.h"
#include "platform/files/fileio.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace {

QString canonicalFolder(const QString &folder)
{
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

} // namespace

RecoveryStore::RecoveryStore(const QString &folder, const QString &workingFolder)
    : m_folder(folder)
    , m_workingFolder(canonicalFolder(workingFolder))
    , m_base(QString::fromLatin1(
          QCryptographicHash::hash(m_workingFolder.toUtf8(), QCryptographicHash::Sha256).toHex().left(16)))
    , m_path(QDir(folder).filePath(m_base + QStringLiteral(".zrs")))
{
}

bool RecoveryStore::exists() const
{
    return fileExists(m_path);
}

RecoveryStore::Lock RecoveryStore::lock()
{
    if (!QDir().mkpath(m_folder))
        return Lock::Failed;
    auto lock = std::make_unique<QLockFile>(QDir(m_folder).filePath(m_base + QStringLiteral(".lock")));
    // Only a copy that is no longer running gives its lock up, however long the other runs.
    lock->setStaleLockTime(0);
    if (!lock->tryLock())
        return lock->error() == QLockFile::LockFailedError ? Lock::HeldByOtherCopy : Lock::Failed;
    m_lock = std::move(lock);
    return Lock::Taken;
}

void RecoveryStore::write(const QByteArray &bytes) const
{
    if (!QDir().mkpath(m_folder))
        throw IoError::fromErrno(EACCES);
    writeFileAtomically(m_path, bytes);
}

void RecoveryStore::remove() const
{
    if (!QFile::remove(m_path) && exists())
        throw IoError(IoError::AccessDenied);
}

QString RecoveryStore::setAside(const QDateTime &now) const
{
    const QDir folder(m_folder);
    const QString stem = m_base + QLatin1Char('-') + now.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = folder.filePath(stem + QStringLiteral(".zrs"));
    for (int n = 2; fileExists(aside); ++n)
        aside = folder.filePath(stem + QLatin1Char('-') + QString::number(n) + QStringLiteral(".zrs"));
    moveFile(m_path, aside);

    // Dated names sort by their time.
    const QStringList kept = folder.entryList({m_base + QStringLiteral("-*.zrs")}, QDir::Files, QDir::Name);
    for (qsizetype i = 0; i < kept.size() - KeptAside; ++i)
        QFile::remove(folder.filePath(kept[i]));
    return aside;
}
