#include "recoverywriter.h"

#include "core/errors.h"
#include "recoverystore.h"

RecoveryWriter::RecoveryWriter(const RecoveryStore &store, std::function<QByteArray()> snapshot, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_snapshot(std::move(snapshot))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(Delay);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryWriter::write);
    // One thread takes the tasks in the order given, so a removal never precedes a write.
    m_disk.setMaxThreadCount(1);
}

RecoveryWriter::~RecoveryWriter()
{
    m_disk.waitForDone();
}

void RecoveryWriter::writeSoon()
{
    m_scheduled = true;
    if (!m_timer.isActive())
        m_timer.start();
}

void RecoveryWriter::clear()
{
    if (!m_scheduled)
        return;
    m_scheduled = false;
    m_timer.stop();
    ++m_latest;
    m_disk.start([this] {
        try {
            m_store.remove();
        } catch (const std::exception &) {
            // Left behind, it is offered once more at the next start; nothing typed is lost.
        }
    });
}

void RecoveryWriter::write()
{
    QByteArray bytes;
    try {
        bytes = m_snapshot();
    } catch (const std::exception &error) {
        report(failureMessage(error));
        return;
    }
    const quint64 generation = ++m_latest;
    m_disk.start([this, bytes, generation] {
        if (generation != m_latest)
            return;
        QString failure;
        try {
            m_store.write(bytes);
        } catch (const std::exception &error) {
            failure = failureMessage(error);
        }
        QMetaObject::invokeMethod(this, [this, failure] { report(failure); }, Qt::QueuedConnection);
    });
}

void RecoveryWriter::report(const QString &failure)
{
    if (failure.isEmpty()) {
        m_failing = false;
        return;
    }
    if (!m_failing)
        emit writeFailed(failure);
    m_failing = true;
}
