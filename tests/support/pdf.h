#pragma once

// PDFs read back with poppler's tools, as a reader of the file would see them.

#include <QProcess>
#include <QSizeF>
#include <QStringList>

// The tool's standard output, or an empty text when it fails.
inline QString toolOutput(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The value after "name:" in pdfinfo's output for pages 1 to 99.
inline QString pdfInfo(const QString &fileName, const QString &name)
{
    const QString info = toolOutput(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                                                QStringLiteral("-l"), QStringLiteral("99"), fileName});
    for (const QString &line : info.split(QLatin1Char('\n')))
        if (line.startsWith(name + QLatin1Char(':')))
            return line.mid(name.size() + 1).trimmed();
    return QString();
}

// A page's size in points ("842 x 595 pts (A4)").
inline QSizeF pdfPageSize(const QString &fileName, int page)
{
    const QStringList parts = pdfInfo(fileName, QStringLiteral("Page %1 size").arg(page, 4)).split(QLatin1Char(' '));
    return parts.size() >= 3 ? QSizeF(parts.at(0).toDouble(), parts.at(2).toDouble()) : QSizeF();
}

// The file's text; with layout, laid out as on the page.
inline QString pdfText(const QString &fileName, bool layout = false)
{
    QStringList arguments{fileName, QStringLiteral("-")};
    if (layout)
        arguments.prepend(QStringLiteral("-layout"));
    return toolOutput(QStringLiteral("pdftotext"), arguments);
}
