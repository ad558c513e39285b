#pragma once

#include "platform/printing/pdfrenderingprinter.h"

#include <QSaveFile>

#include <memory>

// Prints into a PDF file: exactly the sheets a printer gets. The file is replaced only when a
// job completes; a cancelled or failed job leaves any earlier file as it was.
class PdfFilePrinter : public PdfRenderingPrinter
{
public:
    explicit PdfFilePrinter(const QString &fileName);

    // One printer, named after the file.
    QStringList printers() const override;

protected:
    QIODevice *openOutput() override;
    void deliver() override;
    void discard() override;

private:
    QString m_fileName;
    std::unique_ptr<QSaveFile> m_file;
};
