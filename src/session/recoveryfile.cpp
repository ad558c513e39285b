#include "recoveryfile.h"

#include "core/errors.h"
#include "indicators/textfile.h"
#include "platform/files/fileio.h"


namespace {

// The line that opens the info; no data line can be it, since the info comes last.
const QByteArray InfoMark = "#zoris-recovery";
const QByteArray CountKey = "indicators=";
const QByteArray FolderKey = "folder=";
const QByteArray FileKey = "file=";
const QByteArray WrittenKey = "written=";

// Paths may hold any character, line breaks included.
QByteArray pathLine(const QByteArray &key, const QString &path)
{
    return key + path.toUtf8().toPercentEncoding("/");
}

[[noreturn]] void throwDamaged()
{
    throw ZorisError(QStringLiteral("файл пошкоджено"));
}

QByteArray infoValue(const QList<QByteArray> &lines, const QByteArray &key)
{
    for (const QByteArray &line : lines) {
        if (line.startsWith(key))
            return line.mid(key.size());
    }
    throwDamaged();
}

} // namespace

QByteArray recoveryFileBytes(const IndicatorModel &model, const RecoveryInfo &info)
{
    TextWriter writer;
    writer.writeLine(dataFileBytes(model) + InfoMark);
    writer.writeLine(CountKey + QByteArray::number(model.indicatorCount()));
    writer.writeLine(pathLine(FolderKey, info.workingFolder));
    writer.writeLine(pathLine(FileKey, info.dataFile));
    writer.writeLine(WrittenKey + info.written.toOffsetFromUtc(info.written.offsetFromUtc()).toString(Qt::ISODate).toLatin1());
    return writer.bytes();
}

RecoveryFile readRecoveryFile(const QString &path, const IndicatorModel &model)
{
    const QByteArray bytes = readWholeFile(path);
    const qsizetype mark = bytes.lastIndexOf("\r\n" + InfoMark + "\r\n");
    if (mark < 0)
        throwDamaged();
    const QByteArray data = bytes.left(mark + 2);
    QList<QByteArray> lines;
    TextReader reader(bytes.mid(mark + 2 + InfoMark.size() + 2));
    while (!reader.atEnd())
        lines.append(reader.readLine());

    bool numeric = false;
    const int count = infoValue(lines, CountKey).toInt(&numeric);
    RecoveryFile file;
    file.info.workingFolder = QString::fromUtf8(QByteArray::fromPercentEncoding(infoValue(lines, FolderKey)));
    file.info.dataFile = QString::fromUtf8(QByteArray::fromPercentEncoding(infoValue(lines, FileKey)));
    file.info.written = QDateTime::fromString(QString::fromLatin1(infoValue(lines, WrittenKey)), Qt::ISODate);
    if (!numeric || count < 0 || !file.info.written.isValid())
        throwDamaged();

    const QByteArray year = dataFileYear(data);
    if (year != model.CatalogYear)
        throw ZorisError(yearMismatchText(year, model.CatalogYear));
    if (count != model.indicatorCount())
        throw ZorisError(QStringLiteral("у ньому %1 показників, а в каталозі %2").arg(count).arg(model.indicatorCount()));
    file.contents = parseDataFile(data, count);
    // Every data line is there: a year, a name, two lines an indicator, a summary's schools.
    if (data.count("\r\n") != dataFileLineCount(file.contents))
        throwDamaged();
    return file;
}
