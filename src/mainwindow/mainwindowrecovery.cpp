#include "mainwindow.h"

#include "core/errors.h"
#include "indicators/datafile.h"
#include "indicators/document.h"
#include "indicators/model.h"
#include "platform/boxes.h"
#include "session/recoveryfile.h"
#include "session/recoverystore.h"
#include "session/recoverywriter.h"

#include <QDir>

namespace {

const QString RecoveryQuestion =
    QStringLiteral("Роботу програми було перервано, а введені значення не записано (востаннє збережено %1 о %2). "
                   "Відновити їх?");
const QString NotKeptHere = QStringLiteral("Значення, введені в цьому вікні, не зберігатимуться на випадок збою, доки "
                                           "їх не записано кнопкою \"Записати\".");
const QString OtherCopyWarning = QStringLiteral("Програма вже працює з цією текою в іншому вікні. ") + NotKeptHere;
const QString UnsafeWarning = QStringLiteral("Введені значення не вдається зберегти на випадок збою: %1. Робота "
                                             "триває; запишіть значення кнопкою \"Записати\".");

} // namespace

void TForm1::keepRecoveryIn(const QString &recoveryFolder)
{
    auto store = std::make_unique<RecoveryStore>(recoveryFolder, QDir::currentPath());
    switch (store->lock()) {
    case RecoveryStore::Lock::Taken:
        break;
    case RecoveryStore::Lock::HeldByOtherCopy:
        m_boxes.warning(OtherCopyWarning);
        return;
    case RecoveryStore::Lock::Failed:
        m_boxes.warning(UnsafeWarning.arg(
            QStringLiteral("тека \"%1\" недоступна").arg(QDir::toNativeSeparators(recoveryFolder))));
        return;
    }
    if (store->exists() && !offerRecovery(*store))
        return;
    m_recoveryStore = std::move(store);
    m_recovery = std::make_unique<RecoveryWriter>(*m_recoveryStore, [this] { return recoveryContents(); });
    connect(m_recovery.get(), &RecoveryWriter::writeFailed, this,
            [this](const QString &failure) { m_boxes.warning(UnsafeWarning.arg(failure)); });
    connect(&m_document, &IndicatorDocument::stateChanged, this, &TForm1::followRecovery);
    followRecovery();
}

bool TForm1::offerRecovery(const RecoveryStore &store)
{
    RecoveryFile recovered;
    try {
        recovered = readRecoveryFile(store.path(), m_model);
    } catch (const std::exception &error) {
        return setRecoveryAside(store, failureMessage(error));
    }
    const QDateTime written = recovered.info.written.toLocalTime();
    if (!m_boxes.confirmYesNo(RecoveryQuestion.arg(written.toString(QStringLiteral("dd.MM.yyyy")),
                                                    written.toString(QStringLiteral("HH:mm")))))
        return setRecoveryAside(store, QString());
    m_dataFile = recovered.info.dataFile;
    m_proposeDataFile = !m_dataFile.isEmpty();
    m_document.replaceContents(recovered.contents, false);
    return true;
}

// Never deleted unasked: a file declined or not taken back stays beside, under a dated name.
bool TForm1::setRecoveryAside(const RecoveryStore &store, const QString &refusal)
{
    const QString path = QDir::toNativeSeparators(store.path());
    try {
        const QString aside = QDir::toNativeSeparators(store.setAside(QDateTime::currentDateTime()));
        if (!refusal.isEmpty())
            m_boxes.warning(QStringLiteral("Значення з файлу відновлення \"%1\" не відновлено: %2. Файл відкладено як "
                                           "\"%3\".")
                                .arg(path, refusal, aside));
        return true;
    } catch (const std::exception &error) {
        m_boxes.warning(QStringLiteral("Файл відновлення \"%1\" не вдалося відкласти (%2). ").arg(path, failureMessage(error))
                        + NotKeptHere);
    }
    return false;
}

QByteArray TForm1::recoveryContents() const
{
    return recoveryFileBytes(m_model, {m_recoveryStore->workingFolder(), m_dataFile, QDateTime::currentDateTime()});
}

void TForm1::followRecovery()
{
    if (m_document.unsaved())
        m_recovery->writeSoon();
    else
        m_recovery->clear();
}
