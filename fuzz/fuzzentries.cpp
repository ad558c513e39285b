#include "fuzzentries.h"

#include "checks/rulesfile.h"
#include "checks/valuechecks.h"
#include "core/errors.h"
#include "indicators/catalogfile.h"
#include "indicators/datafile.h"
#include "indicators/numbertext.h"

#include <cmath>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

QByteArray bytes(const std::uint8_t *data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

} // namespace

void fuzzCatalog(const std::uint8_t *data, std::size_t size)
{
    IndicatorModel model;
    readCatalog(bytes(data, size), model);
    // A catalogue saved and read back as a data file gives its keys and values back.
    const DataFileContents back = parseDataFile(dataFileBytes(model), model.indicatorCount());
    check(back.keys.size() == model.indicatorCount());
    const RowMap &rows = model.rows();
    forEachIndicator(model.Catalog, [&](int k, const pokazatel &item) {
        check(back.keys[k] == item.Key);
        check(back.values[k] == 0);
        // Each indicator's row shows that indicator.
        check(rows.at(rows.indicatorRow(k)).indicator == k);
    });
    check(rows.gridRowCount() == 1 + model.Catalog.size() + model.indicatorCount());
}

void fuzzDataFile(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return;
    const int count = data[0];
    try {
        const DataFileContents contents = parseDataFile(bytes(data + 1, size - 1), count);
        check(contents.keys.size() == count && contents.values.size() == count);
        for (double v : contents.values) {
            check(std::isfinite(v));
            // The written form reads back to a value written the same way.
            const QByteArray written = dataNumberText(v);
            QByteArrayView run(written);
            if (run.front() == ' ')
                run = run.sliced(1);
            double back = 0;
            check(parseDataNumber(run, back));
            check(dataNumberText(back) == written);
        }
    } catch (const IoError &error) {
        check(error.code() == IoError::InvalidNumericInput);
    }
}

void fuzzNumberText(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    double value = 0;
    if (tryNumberFromText(text, value)) {
        check(std::isfinite(value));
        // What is shown reads back as a number that is shown the same way.
        double again = 0;
        check(tryNumberFromText(numberText(value), again));
        check(numberText(again) == numberText(value));
    }
    for (QChar c : text)
        filterNumberKey(c.unicode(), text);
}

void fuzzRules(const std::uint8_t *data, std::size_t size)
{
    // Labels A to D in one section of "осіб", "%", "грн" and an unknown unit.
    static const IndicatorModel model = [] {
        IndicatorModel letters;
        readCatalog("2026\r\nS\r\nA\r\na\r\ns\r\n\xEE\xF1\xB3\xE1\r\nC\r\nc\r\nB\r\nb\r\ns\r\n%\r\nA\r\nc\r\n"
                    "C\r\nc\r\ns\r\n\xE3\xF0\xED\r\nC\r\nc\r\nD\r\nd\r\ns\r\nkg\r\nC\r\nc\r\n===\r\n",
                    letters);
        return letters;
    }();
    const RuleSet set = readRules(bytes(data, size), model);
    for (const Rule &rule : set.rules) {
        check(rule.line >= 1 && rule.indicator >= 0 && rule.indicator < 4 && !rule.terms.isEmpty());
        for (const RuleTerm &term : rule.terms)
            check(term.indicator >= -1 && term.indicator < 4);
    }
    for (const RuleFault &fault : set.faults)
        check(fault.line >= 1 && !fault.reason.isEmpty());
    // Values typed one at a time leave the marks a check of everything would give.
    const CheckPlan plan(model, set.rules);
    ValueChecks checks;
    checks.setPlan(plan);
    QList<double> values(4, 0.0);
    for (std::size_t k = 0; k < size && k < 64; ++k) {
        const int indicator = data[k] % 4;
        values[indicator] = (data[k] / 4) - 20.5;
        checks.updateValue(indicator, values[indicator]);
    }
    int doubtful = 0;
    for (int i = 0; i < 4; ++i) {
        const bool found = !plan.reasons(i, values).isEmpty();
        check(checks.isDoubtful(i) == found);
        doubtful += found;
    }
    check(checks.doubtfulCount() == doubtful);
}
