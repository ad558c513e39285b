#include "pastedvalues.h"

#include "datafile.h"
#include "encoding.h"
#include "model.h"
#include "numbertext.h"

#include <QHash>

namespace {

const QString NotANumber = QStringLiteral("не число");
const QString Negative = QStringLiteral("від'ємне число");
const QString UnknownLabel = QStringLiteral("такого позначення немає в каталозі");
const QString NoIndicator = QStringLiteral("для нього немає показника нижче");

// The catalogue's labels and designations, each naming the first indicator that has it.
QHash<QString, int> namedIndicators(const IndicatorModel &model)
{
    QHash<QString, int> named;
    forEachIndicator(model.Catalog, [&](int indicator, const pokazatel &item) {
        for (const QByteArray *name : {&item.Key, &item.Code}) {
            const QString text = fromCp1251(*name).trimmed();
            if (!text.isEmpty() && !named.contains(text))
                named.insert(text, indicator);
        }
    });
    return named;
}

} // namespace

bool readPastedNumber(QString text, double &value)
{
    for (const QChar blank : {QChar(u' '), QChar(0x00A0), QChar(0x2009), QChar(0x202F)})
        text.remove(blank);
    if (!text.contains(QLatin1Char(',')))
        text.replace(QLatin1Char('.'), QLatin1Char(','));
    return !text.isEmpty() && tryNumberFromText(text, value);
}

std::variant<PastedValues, PasteRefusal> readPastedValues(const QString &text, const IndicatorModel &model, int at)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    // A spreadsheet ends its last row with a line break too.
    if (lines.size() > 1 && lines.back().isEmpty())
        lines.removeLast();
    const bool byLabel = std::any_of(lines.cbegin(), lines.cend(),
                                     [](const QString &line) { return line.contains(QLatin1Char('\t')); });
    const QHash<QString, int> named = byLabel ? namedIndicators(model) : QHash<QString, int>();
    PastedValues pasted;
    int next = at;
    for (qsizetype k = 0; k < lines.size(); ++k) {
        const QString &line = lines[k];
        const auto refuse = [&](const QString &reason) { return PasteRefusal{int(k + 1), line, reason}; };
        if (line.trimmed().isEmpty()) {
            ++next;
            continue;
        }
        QString number = line;
        int indicator = next++;
        if (byLabel) {
            const QStringList cells = line.split(QLatin1Char('\t'));
            if (cells.size() != 2)
                return refuse(NotANumber);
            indicator = named.value(cells[0].trimmed(), -1);
            if (indicator < 0)
                return refuse(UnknownLabel);
            number = cells[1];
        } else if (indicator < 0 || indicator >= model.indicatorCount()) {
            return refuse(NoIndicator);
        }
        double value = 0;
        if (!readPastedNumber(number, value))
            return refuse(NotANumber);
        if (value < 0)
            return refuse(Negative);
        pasted.indicators.append(indicator);
        pasted.values.append(value);
    }
    return pasted;
}

QString pasteRefusalText(const PasteRefusal &refusal)
{
    return QStringLiteral("Нічого не вставлено: рядок %1 («%2») — %3.")
        .arg(refusal.line)
        .arg(shownText(refusal.text), refusal.reason);
}
