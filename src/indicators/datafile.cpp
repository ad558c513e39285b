#include "datafile.h"

#include "encoding.h"
#include "fileio.h"
#include "numbertext.h"
#include "textfile.h"


QByteArray dataFileBytes(const IndicatorModel &model)
{
    TextWriter writer;
    writer.reserve(qsizetype(model.indicatorCount()) * 48 + 256);
    writer.writeLine(model.CatalogYear);
    writer.writeLine(model.SchoolName);
    for (const razdel &section : model.Catalog) {
        for (const pokazatel &item : section.Items) {
            writer.writeLine(item.Key);
            writer.writeLine(dataNumberText(item.Value));
        }
    }
    return writer.bytes();
}

void SaveDataFile(const QString &Path, const IndicatorModel &model)
{
    writeFileAtomically(Path, dataFileBytes(model));
}

DataFileContents parseDataFile(const QByteArray &bytes, int indicatorCount)
{
    TextReader reader(bytes);
    DataFileContents contents;
    contents.year = reader.readLine();
    contents.schoolName = reader.readLine();
    contents.keys.reserve(indicatorCount);
    contents.values.reserve(indicatorCount);
    for (int i = 0; i < indicatorCount; ++i) {
        contents.keys.append(reader.readLine());
        contents.values.append(reader.readNumber());
    }
    return contents;
}

DataFileContents readDataFile(const QString &path, int indicatorCount)
{
    return parseDataFile(readWholeFile(path), indicatorCount);
}

DataFileContents parseEveryPair(const QByteArray &bytes)
{
    TextReader reader(bytes);
    DataFileContents contents;
    contents.year = reader.readLine();
    contents.schoolName = reader.readLine();
    while (!reader.onlyEmptyLinesLeft()) {
        contents.keys.append(reader.readLine());
        contents.values.append(reader.readNumber());
    }
    return contents;
}

DataFileContents readEveryPair(const QString &path)
{
    return parseEveryPair(readWholeFile(path));
}

QByteArray dataFileYear(const QByteArray &bytes)
{
    return TextReader(bytes).readLine();
}

bool openDataFile(const QString &path, IndicatorModel &model, QByteArray &fileYear)
{
    const QByteArray bytes = readWholeFile(path);
    fileYear = dataFileYear(bytes);
    if (fileYear != model.CatalogYear)
        return false;
    applyDataFile(parseDataFile(bytes, model.indicatorCount()), model);
    return true;
}

QString shownYear(const QByteArray &year)
{
    return shownLine(year);
}

QString shownLine(const QByteArray &line)
{
    constexpr qsizetype ShownLength = 64;
    if (line.size() <= ShownLength)
        return fromCp1251(line);
    return fromCp1251(line.left(ShownLength)) + QChar(0x2026);
}

QString yearMismatchText(const QByteArray &fileYear, const QByteArray &catalogYear)
{
    return QStringLiteral("Рік файлу з даними (") + shownYear(fileYear) + QStringLiteral(") не співпадає з поточним роком (")
        + shownYear(catalogYear) + QLatin1Char(')');
}

void applyDataFile(const DataFileContents &contents, IndicatorModel &model)
{
    model.SchoolName = contents.schoolName;
    qsizetype k = 0;
    for (razdel &section : model.Catalog) {
        for (pokazatel &item : section.Items) {
            item.Key = k < contents.keys.size() ? contents.keys[k] : QByteArray();
            item.Value = k < contents.values.size() ? contents.values[k] : 0.0;
            ++k;
        }
    }
}

QString proposedDataFileName(const IndicatorModel &model)
{
    return fromCp1251(model.SchoolName) + QLatin1Char('(') + fromCp1251(model.CatalogYear) + QLatin1Char(')');
}

QString withDataFileExtension(const QString &name)
{
    if (name.endsWith(QLatin1String(".zrs"), Qt::CaseSensitive))
        return name;
    return name + QLatin1String(".zrs");
}
