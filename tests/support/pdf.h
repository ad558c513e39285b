#pragma once

// PDFs read back with poppler's tools, as a reader of the file would see them.

#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
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

// Whether poppler's tools answer here. Under wine they are Linux programs: they start, but
// without the test's pipes, so nothing they print comes back.
inline bool pdfToolsAnswer()
{
    static const bool answer = [] {
        QProcess process;
        process.start(QStringLiteral("pdfinfo"), {QStringLiteral("-v")});
        return process.waitForFinished(30000) && process.readAllStandardError().contains("pdfinfo");
    }();
    return answer;
}

// Ends the test function here, as skipped, where the PDF cannot be read back.
#define REQUIRE_PDF_TOOLS()                                                                                  \
    do {                                                                                                   \
        if (!pdfToolsAnswer())                                                                             \
            QSKIP("poppler's pdfinfo and pdftotext do not answer here (under wine, Linux programs start "   \
                  "without the test's pipes): the PDF is not read back");                                  \
    } while (false)

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

// A word as pdftotext finds it: its page, counted from 1, and its box in points.
struct PdfWord
{
    int page;
    QString text;
    QRectF box;
};

inline QList<PdfWord> pdfWords(const QString &fileName)
{
    const QString html = toolOutput(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), fileName, QStringLiteral("-")});
    static const QRegularExpression item(QStringLiteral(
        "<page |<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    QList<PdfWord> words;
    int page = 0;
    for (auto match = item.globalMatch(html); match.hasNext();) {
        const auto m = match.next();
        if (m.capturedLength(5) == 0 && m.captured(0).startsWith(QLatin1String("<page"))) {
            ++page;
            continue;
        }
        words.append({page, m.captured(5),
                      QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                             QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
    }
    return words;
}
