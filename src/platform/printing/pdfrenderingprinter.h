#pragma once

#include "platform/printing/printerservice.h"

#include <QPageLayout>

#include <memory>

class QIODevice;
class QPdfWriter;
class QSaveFile;

// A printer whose job is rendered into a PDF document, one sheet per page with nothing cut
// off, and only handed on when the job is complete; a cancelled job leaves nothing behind.
class PdfRenderingPrinter : public PrinterService
{
public:
    static constexpr int Resolution = 600;

    PdfRenderingPrinter();
    ~PdfRenderingPrinter() override;

    QSize logicalDpi() const override;
    QRect printableArea() const override;

    void beginJob() override;
    void newPage() override;
    void endJob() override;
    void cancelJob() override;
    bool isCancelled() const override { return m_cancelled; }
    bool isPrinting() const override { return m_painter != nullptr; }

    // The sheet the settings describe; throws PrintError for a paper without a size.
    static QPageLayout pageLayout(const PrinterSettings &settings);

protected:
    QPainter *jobPainter() override { return m_painter.get(); }

    // An open device for the document of a job that begins.
    virtual QIODevice *openOutput() = 0;
    // The document is complete in the device from openOutput: hand it on.
    virtual void deliver() = 0;
    // Drop the document of a job that did not complete.
    virtual void discard() = 0;

    // Puts the file of a finished job in place only when every byte reached the disk; else the
    // file's name is left as it was and PrintError tells why, after failure.
    static void commitWhole(QSaveFile &file, const QString &failure);

private:
    // False when the document could not be finished.
    bool closeDocument();

    std::unique_ptr<QPdfWriter> m_writer;
    std::unique_ptr<QPainter> m_painter;
    bool m_cancelled = false;
};
