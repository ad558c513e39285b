#include "datafile.h"

#include "encoding.h"
#include "numbertext.h"
#include "platform/files/fileio.h"
#include "textfile.h"

namespace {

bool atSchoolsList(const TextReader &reader)
{
    TextReader ahead = reader;
    return ahead.readLine() == summarySchoolsHeading();
}

QList<SummarySchool> readSchoolsList(TextReader &reader)
{
    QList<SummarySchool> schools;
    reader.readLine();
    while (!reader.onlyEmptyLinesLeft()) {
        SummarySchool school;
        school.name = reader.readLine();
        school.fileName = reader.readLine();
        schools.append(school);
    }
    return schools;
}

} // namespace

QByteArray summarySchoolsHeading()
{
    return toCp1251(u"Заклади, що увійшли до зведення");
}

qsizetype dataFileLineCount(const DataFileContents &contents)
{
    return 2 + 2 * contents.keys.size() + (contents.schools.isEmpty() ? 0 : 1 + 2 * contents.schools.size());
}

QByteArray dataFileBytes(const IndicatorModel &model)
{
    TextWriter writer;
    writer.reserve(qsizetype(model.indicatorCount()) * 48 + 256);
    writer.writeLine(model.CatalogYear);
    writer.writeLine(model.SchoolName);
    forEachIndicator(model.Catalog, [&](int, const pokazatel &item) {
        writer.writeLine(item.Key);
        writer.writeLine(dataNumberText(item.Value));
    });
    if (!model.SummarySchools.isEmpty()) {
        writer.writeLine(summarySchoolsHeading());
        for (const SummarySchool &school : model.SummarySchools) {
            writer.writeLine(school.name);
            writer.writeLine(school.fileName);
        }
    }
    return writer.bytes();
}

void writeDataFile(const QString &path, const IndicatorModel &model)
{
    writeFileAtomically(path, dataFileBytes(model));
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
    if (atSchoolsList(reader))
        contents.schools = readSchoolsList(reader);
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
        if (atSchoolsList(reader)) {
            contents.schools = readSchoolsList(reader);
            break;
        }
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

std::optional<DataFileContents> readDataFileOfYear(const QString &path, const IndicatorModel &model, QByteArray &fileYear)
{
    const QByteArray bytes = readWholeFile(path);
    fileYear = dataFileYear(bytes);
    if (fileYear != model.CatalogYear)
        return std::nullopt;
    return parseDataFile(bytes, model.indicatorCount());
}

QString shownYear(const QByteArray &year)
{
    return shownLine(year);
}

namespace {

constexpr qsizetype ShownLength = 64;

} // namespace

QString shownLine(const QByteArray &line)
{
    return shownText(fromCp1251(line.left(ShownLength + 1)));
}

QString shownText(QStringView text)
{
    if (text.size() <= ShownLength)
        return text.toString();
    return text.left(ShownLength).toString() + QChar(0x2026);
}

QString yearMismatchText(const QByteArray &fileYear, const QByteArray &catalogYear)
{
    return QStringLiteral("Рік файлу з даними (") + shownYear(fileYear) + QStringLiteral(") не співпадає з поточним роком (")
        + shownYear(catalogYear) + QLatin1Char(')');
}

void applyDataFile(const DataFileContents &contents, IndicatorModel &model)
{
    model.SchoolName = contents.schoolName;
    model.SummarySchools = contents.schools;
    forEachIndicator(model.Catalog, [&](int k, pokazatel &item) {
        item.Key = contents.keys.value(k);
        item.Value = contents.values.value(k);
    });
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
