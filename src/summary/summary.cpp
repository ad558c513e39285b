#include "summary.h"

#include "indicators/datafile.h"
#include "indicators/encoding.h"
#include "indicators/plural.h"
#include "indicators/textfile.h"
#include "platform/files/fileio.h"

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <cmath>

namespace {

[[noreturn]] void refuse(const QString &message)
{
    throw SummaryRefusal(message);
}

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString notOfCatalogue(const QString &path)
{
    return QStringLiteral("Файл ") + quoted(shownFileName(path)) + QStringLiteral(" не відповідає каталогу: ");
}

// Sums of many values of both signs and very different sizes: long double with Neumaier's
// compensation keeps a 1 added to 1,5E20 and taken away again, and cannot overflow where a
// double would (a sum of 10,000 values near the largest double).
class CompensatedSum
{
public:
    void add(double value)
    {
        const long double x = value;
        const long double t = m_sum + x;
        if (std::fabs(m_sum) >= std::fabs(x))
            m_compensation += (m_sum - t) + x;
        else
            m_compensation += (x - t) + m_sum;
        m_sum = t;
    }
    long double value() const { return m_sum + m_compensation; }

private:
    long double m_sum = 0;
    long double m_compensation = 0;
};

[[noreturn]] void refuseSummary(const QString &path, const QString &what)
{
    refuse(QStringLiteral("Файл ") + quoted(shownFileName(path)) + QStringLiteral(" містить ") + what
           + QStringLiteral(", а не показники одного закладу"));
}

// A mean as a person reads it: to two decimals, halves away from zero.
double roundedMean(long double sum, long double count)
{
    return double(std::round(sum / count * 100) / 100);
}

} // namespace

bool isAveragedInSummary(const pokazatel &item)
{
    if (!isStatistical(item))
        return true;
    const QString unit = fromCp1251(item.Measure).trimmed();
    const QString wording = fromCp1251(item.Name).trimmed();
    return unit == QLatin1String("%") || unit.contains(QLatin1Char('/'))
        || wording.startsWith(QStringLiteral("Середн"), Qt::CaseInsensitive)
        || wording.contains(QStringLiteral("у розрахунку на"), Qt::CaseInsensitive);
}

QString summaryKindLetter(const pokazatel &item)
{
    return isAveragedInSummary(item) ? QStringLiteral("A") : QStringLiteral("C");
}

QList<double> readSchoolFile(const QString &path, const IndicatorModel &model, QByteArray &schoolName)
{
    QByteArray bytes;
    try {
        bytes = readWholeFile(path);
    } catch (const ZorisError &error) {
        refuse(QStringLiteral("Файл ") + quoted(shownFileName(path)) + QStringLiteral(": ") + error.message());
    }
    TextReader reader(bytes);
    const QByteArray year = reader.readLine();
    if (year != model.CatalogYear)
        refuse(QStringLiteral("Файл ") + quoted(shownFileName(path)) + QStringLiteral(": ")
               + yearMismatchText(year, model.CatalogYear));
    schoolName = reader.readLine();
    // A summary written by this program: adding it in would count its schools twice.
    if (isSummaryName(schoolName)) {
        const QString shownName = fromCp1251(schoolName);
        refuseSummary(path, shownName.sliced(0, 1).toLower() + shownName.sliced(1));
    }
    QList<double> values;
    values.reserve(model.indicatorCount());
    for (const razdel &section : model.Catalog) {
        for (const pokazatel &item : section.Items) {
            if (reader.atEnd())
                refuse(notOfCatalogue(path) + QStringLiteral("у ньому немає показника ") + quoted(shownLine(item.Key)));
            const QByteArray key = reader.readLine();
            if (key != item.Key)
                refuse(notOfCatalogue(path) + QStringLiteral("замість показника ") + quoted(shownLine(item.Key))
                       + QStringLiteral(" у ньому ") + quoted(shownLine(key)));
            try {
                values.append(reader.readNumber());
            } catch (const ZorisError &error) {
                refuse(QStringLiteral("Файл ") + quoted(shownFileName(path)) + QStringLiteral(", показник ")
                       + quoted(shownLine(item.Key)) + QStringLiteral(": ") + error.message());
            }
        }
    }
    if (!reader.onlyEmptyLinesLeft()) {
        if (reader.readLine() == summarySchoolsHeading())
            refuseSummary(path, QStringLiteral("зведення показників"));
        refuse(notOfCatalogue(path) + QStringLiteral("у ньому більше показників, ніж у каталозі"));
    }
    return values;
}

bool isSummaryName(const QByteArray &name)
{
    static const QRegularExpression count(QStringLiteral("^Зведені показники \\((\\d{1,9}) "));
    const QString shown = fromCp1251(name);
    const QRegularExpressionMatch match = count.match(shown);
    return match.hasMatch() && shown == summarySchoolName(match.captured(1).toInt());
}

QString shownFileName(const QString &path)
{
    return QFileInfo(path).fileName();
}

void requireSeveralFiles(const QStringList &paths)
{
    if (paths.size() < 2)
        refuse(QStringLiteral("Для зведення потрібні щонайменше два файли з даними"));
}

SchoolSummary readSchoolFiles(const QStringList &paths, const IndicatorModel &model)
{
    const int indicators = model.indicatorCount();
    SchoolSummary summary;
    summary.paths = paths;
    summary.schoolNames.reserve(paths.size());
    summary.values.reserve(paths.size());
    QList<CompensatedSum> sums(indicators);
    QHash<QByteArray, int> fileOfSchool;
    for (const QString &path : paths) {
        QByteArray name;
        QList<double> values = readSchoolFile(path, model, name);
        const auto found = fileOfSchool.constFind(name);
        if (found != fileOfSchool.constEnd())
            refuse(QStringLiteral("Заклад ") + quoted(shownLine(name)) + QStringLiteral(" є у двох файлах: ")
                   + quoted(shownFileName(paths[*found])) + QStringLiteral(" і ") + quoted(shownFileName(path)));
        fileOfSchool.insert(name, int(summary.schoolNames.size()));
        for (int i = 0; i < indicators; ++i)
            sums[i].add(values[i]);
        summary.schoolNames.append(name);
        summary.values.append(std::move(values));
    }

    summary.totals.reserve(indicators);
    const long double files = paths.size();
    int i = 0;
    for (const razdel &section : model.Catalog) {
        for (const pokazatel &item : section.Items) {
            const long double sum = sums[i++].value();
            const double total = isAveragedInSummary(item) && files > 0 ? roundedMean(sum, files) : double(sum);
            if (!std::isfinite(total))
                refuse(QStringLiteral("Сума показника ") + quoted(shownLine(item.Key))
                       + QStringLiteral(" більша за найбільше число, яке можна записати"));
            summary.totals.append(total);
        }
    }
    return summary;
}

QString schoolCountText(int count)
{
    return countText(count, u"заклад", u"заклади", u"закладів");
}

QString summarySchoolName(int count)
{
    return QStringLiteral("Зведені показники (") + schoolCountText(count) + QLatin1Char(')');
}

DataFileContents summaryContents(const SchoolSummary &summary, const IndicatorModel &model)
{
    DataFileContents contents;
    contents.year = model.CatalogYear;
    contents.schoolName = toCp1251(summarySchoolName(summary.fileCount()));
    forEachIndicator(model.Catalog, [&](int, const pokazatel &item) { contents.keys.append(item.Key); });
    contents.values = summary.totals;
    for (qsizetype f = 0; f < summary.paths.size(); ++f)
        contents.schools.append({summary.schoolNames[f], toCp1251(shownFileName(summary.paths[f]))});
    return contents;
}
