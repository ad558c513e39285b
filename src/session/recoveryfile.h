#pragma once

#include "indicators/datafile.h"

#include <QDateTime>
#include <QString>

// What a recovery file belongs to, kept after its values.
struct RecoveryInfo
{
    QString workingFolder;
    // The data file last opened or saved, empty when there was none.
    QString dataFile;
    QDateTime written;
};

// A data file's bytes followed by the lines of info, so that the data-file reader reads it as it
// is: it stops after the last indicator.
QByteArray recoveryFileBytes(const IndicatorModel &model, const RecoveryInfo &info);

struct RecoveryFile
{
    RecoveryInfo info;
    DataFileContents contents;
};

// Reads the recovery file at path when it fits the catalogue of model (its year and number of
// indicators); model is left untouched. Throws ZorisError saying why it cannot be taken back.
RecoveryFile readRecoveryFile(const QString &path, const IndicatorModel &model);
