#pragma once

#include "platform/printing/pdfrenderingprinter.h"

#include <QSaveFile>
#include <QTemporaryFile>

#include <memory>

// The CUPS printers of this machine, without a dialog. A job is rendered into a temporary PDF
// and submitted with its title, media and orientation only when it is complete and every byte
// of it was written, so that a cancelled job, or one the disk had no room for, prints nothing. With no printer installed a job fails; it never turns into a
// file instead.
class SystemPrinter : public PdfRenderingPrinter
{
public:
    // Printers as CUPS names them: "queue" or "queue/instance".
    QStringList printers() const override;
    // The CUPS default destination (the user's own lpoptions default first).
    int defaultPrinterIndex() const override;

    // The printer a job goes to: the current one, else the default, else the first installed;
    // empty when none is installed.
    QString destination() const;

    // The job's options as submitted: media and orientation-requested.
    static QList<std::pair<QByteArray, QByteArray>> jobOptions(const PrinterSettings &settings);

protected:
    QIODevice *openOutput() override;
    void deliver() override;
    void discard() override;

private:
    // The file's name, removed when the job is done; the job is written through m_output,
    // which keeps any failed write and takes the name only when all went well.
    std::unique_ptr<QTemporaryFile> m_file;
    std::unique_ptr<QSaveFile> m_output;
    QString m_destination;
};
