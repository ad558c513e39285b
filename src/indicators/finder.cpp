#include "finder.h"

#include "encoding.h"
#include "model.h"

#include <QStringList>

namespace {

QString searchable(QString text)
{
    for (const QChar apostrophe : {QChar(0x2019), QChar(0x02BC), QChar(0x2018), QChar(u'`')})
        text.replace(apostrophe, QLatin1Char('\''));
    return text.toCaseFolded();
}

} // namespace

QList<int> findIndicators(const IndicatorModel &model, QStringView query)
{
    const QStringList words = searchable(query.toString()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QList<int> found;
    if (words.isEmpty())
        return found;
    forEachIndicator(model.Catalog, [&](int indicator, const pokazatel &item) {
        const QString text = searchable(fromCp1251(item.Name) + QLatin1Char(' ') + fromCp1251(item.Key)
                                        + QLatin1Char(' ') + fromCp1251(item.Code));
        if (std::all_of(words.cbegin(), words.cend(), [&](const QString &word) { return text.contains(word); }))
            found.append(indicator);
    });
    return found;
}
