#include "comparisonchart.h"

#include "comparison/comparison.h"
#include "indicators/datafile.h"
#include "platform/skin.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QLocale>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

// Bar labels as the table writes numbers: a decimal comma and no group separators.
QLocale chartLocale()
{
    QLocale locale(QLocale::Ukrainian, QLocale::Ukraine);
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

QString sectionTitle(const Comparison &comparison, int row)
{
    for (int r = row; r >= 0; --r) {
        if (comparison.rows[r].kind == ComparisonRow::Section)
            return comparison.rows[r].number + QStringLiteral(". ") + comparison.rows[r].name;
    }
    return QString();
}

} // namespace

ComparisonChart::ComparisonChart(QWidget *parent)
    : QChartView(parent)
{
    setRenderHint(QPainter::Antialiasing);
    chart()->setLocale(chartLocale());
    chart()->setLocalizeNumbers(true);
    chart()->setTitleFont(Skin::tahoma(13, true));
    chart()->legend()->setAlignment(Qt::AlignRight);
    chart()->legend()->setFont(Skin::tahoma(12));
}

void ComparisonChart::showRows(const Comparison &comparison, const QList<int> &rows)
{
    QChart *const board = chart();
    board->removeAllSeries();
    for (QAbstractAxis *axis : board->axes()) {
        board->removeAxis(axis);
        delete axis;
    }
    if (rows.isEmpty()) {
        board->setTitle(QStringLiteral("Немає значень обох років для діаграми"));
        return;
    }
    const ComparisonRow &first = comparison.rows[rows.front()];
    board->setTitle(rows.size() == 1 ? first.number + QLatin1Char(' ') + first.name
                                     : sectionTitle(comparison, rows.front()) + QStringLiteral(" (") + first.measure
                                           + QLatin1Char(')'));

    auto *lastYear = new QBarSet(shownYear(comparison.lastYear));
    auto *thisYear = new QBarSet(shownYear(comparison.thisYear));
    lastYear->setColor(QColor(150, 160, 180));
    thisYear->setColor(QColor(40, 150, 70));
    for (QBarSet *set : {lastYear, thisYear}) {
        set->setLabelColor(Qt::black);
        set->setLabelFont(Skin::tahoma(12, true));
    }
    QStringList categories;
    double low = 0;
    double high = 0;
    bool wholeNumbers = true;
    for (const int r : rows) {
        const ComparisonRow &row = comparison.rows[r];
        lastYear->append(*row.last);
        thisYear->append(*row.current);
        low = std::min({low, *row.last, *row.current});
        high = std::max({high, *row.last, *row.current});
        wholeNumbers = wholeNumbers && std::trunc(*row.last) == *row.last && std::trunc(*row.current) == *row.current;
        categories << (row.code.isEmpty() ? row.number : row.code);
    }
    auto *series = new QBarSeries;
    series->append(lastYear);
    series->append(thisYear);
    series->setLabelsVisible(true);
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    series->setLabelsPrecision(15);
    board->addSeries(series);

    auto *names = new QBarCategoryAxis;
    names->append(categories);
    names->setLabelsFont(Skin::tahoma(12));
    board->addAxis(names, Qt::AlignBottom);
    series->attachAxis(names);
    auto *values = new QValueAxis;
    // Room above the highest bar, and below the lowest, for the labels outside the bars.
    const double room = high > low ? (high - low) * 0.15 : 1;
    values->setRange(low < 0 ? low - room : 0, high + room);
    values->applyNiceNumbers();
    if (wholeNumbers)
        values->setLabelFormat(QStringLiteral("%.0f"));
    values->setTitleText(first.measure);
    values->setLabelsFont(Skin::tahoma(11));
    board->addAxis(values, Qt::AlignLeft);
    series->attachAxis(values);
}
