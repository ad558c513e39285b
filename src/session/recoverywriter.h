#pragma once

#include <QObject>
#include <QThreadPool>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <functional>

class RecoveryStore;

// Keeps a recovery file in step with a state not written elsewhere: a change schedules one write
// of the whole state at most Delay later, however many changes follow. The bytes are taken on
// the owner's thread and written on a thread of their own, so that typing never waits on the disk.
class RecoveryWriter : public QObject
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds Delay{500};

    RecoveryWriter(const RecoveryStore &store, std::function<QByteArray()> snapshot, QObject *parent = nullptr);
    // Returns once everything asked of the disk is done.
    ~RecoveryWriter() override;

    // The state changed: it is written within Delay, the latest state winning.
    void writeSoon();
    // The state was written elsewhere or dropped: the scheduled write is cancelled and the
    // recovery file of this run removed.
    void clear();

signals:
    // The first failed write after a good one or since the start; the previous file stays.
    void writeFailed(const QString &message);

private:
    void write();
    // An empty failure is a good write.
    void report(const QString &failure);

    const RecoveryStore &m_store;
    std::function<QByteArray()> m_snapshot;
    QTimer m_timer;
    bool m_scheduled = false;
    bool m_failing = false;
    // The newest write or removal asked for; an older write still waiting is skipped.
    std::atomic<quint64> m_latest{0};
    // Last, so that it waits for the disk before the rest goes.
    QThreadPool m_disk;
};
