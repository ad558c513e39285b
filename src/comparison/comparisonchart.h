#pragma once

#include <QChartView>

struct Comparison;

// Last year's and this year's bars side by side, with the values on them, for the rows given.
class ComparisonChart : public QChartView
{
    Q_OBJECT

public:
    explicit ComparisonChart(QWidget *parent = nullptr);

    void showRows(const Comparison &comparison, const QList<int> &rows);
};
