#pragma once

#include <QDateTime>
#include <QLockFile>
#include <QString>

#include <memory>

// Where the recovery file of one working folder lives: in the recovery folder, named from a
// hash of the working folder's canonical path, with the files set aside beside it under dated
// names. Paths only, so that its const members may be used from any thread.
class RecoveryStore
{
public:
    // At most this many files set aside are kept for a working folder; the oldest go first.
    static constexpr int KeptAside = 10;

    RecoveryStore(const QString &folder, const QString &workingFolder);

    const QString &workingFolder() const { return m_workingFolder; }
    const QString &path() const { return m_path; }
    bool exists() const;

    enum class Lock { Taken, HeldByOtherCopy, Failed };
    // The lock of this running copy, held until the store goes; a copy that ended without
    // releasing it leaves it to the next.
    Lock lock();

    // Both throw IoError.
    void write(const QByteArray &bytes) const;
    void remove() const;
    // Moves the recovery file to a name dated now in the same folder and drops the oldest set
    // aside beyond KeptAside. The new path; throws IoError.
    QString setAside(const QDateTime &now) const;

private:
    QString m_folder;
    QString m_workingFolder;
    QString m_base;
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
