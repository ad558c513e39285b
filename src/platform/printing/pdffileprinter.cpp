#include "platform/printing/pdffileprinter.h"

#include <QFileInfo>

PdfFilePrinter::PdfFilePrinter(const QString &fileName) : m_fileName(fileName) {}

QStringList PdfFilePrinter::printers() const
{
    return {QFileInfo(m_fileName).fileName()};
}

QIODevice *PdfFilePrinter::openOutput()
{
    m_file = std::make_unique<QSaveFile>(m_fileName);
    if (!m_file->open(QIODevice::WriteOnly)) {
        const QString reason = m_file->errorString();
        m_file.reset();
        throw PrintError(QStringLiteral("Не вдалося створити файл «%1»: %2").arg(m_fileName, reason));
    }
    return m_file.get();
}

void PdfFilePrinter::deliver()
{
    const std::unique_ptr<QSaveFile> file = std::move(m_file);
    commitWhole(*file, QStringLiteral("Не вдалося записати файл «%1»").arg(m_fileName));
}

void PdfFilePrinter::discard()
{
    if (m_file)
        m_file->cancelWriting();
    m_file.reset();
}
