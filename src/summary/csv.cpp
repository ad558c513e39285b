#include "csv.h"

void appendCsvRow(QString &table, const QStringList &fields)
{
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            table += QLatin1Char(';');
        table += csvField(fields[i]);
    }
    table += QLatin1String("\r\n");
}

QByteArray csvFileBytes(const QString &table)
{
    return QByteArray("\xEF\xBB\xBF") + table.toUtf8();
}

QString inertText(const QString &text)
{
    static constexpr QStringView FormulaStarts = u"=+-@\t\r";
    if (!text.isEmpty() && FormulaStarts.contains(text.front()))
        return QLatin1Char('\'') + text;
    return text;
}


QString csvField(const QString &text)
{
    const bool needsQuotes = text.contains(QLatin1Char(';')) || text.contains(QLatin1Char('"'))
        || text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'))
        || (!text.isEmpty() && (text.front().isSpace() || text.back().isSpace()));
    if (!needsQuotes)
        return text;
    QString field = text;
    field.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + field + QLatin1Char('"');
}

QString tabSeparatedText(const QList<QStringList> &rows)
{
    QString text;
    for (const QStringList &row : rows) {
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (i > 0)
                text += QLatin1Char('\t');
            const QString &field = row[i];
            if (field.contains(QLatin1Char('\t')) || field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('"'))) {
                QString quoted = field;
                quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
                text += QLatin1Char('"') + quoted + QLatin1Char('"');
            } else {
                text += field;
            }
        }
        text += QLatin1Char('\n');
    }
    return text;
}
