#pragma once

#include <QList>
#include <QStringView>

class IndicatorModel;

// The indicators, in catalogue order, whose wording, label and designation hold every word of
// query, letters of any case and the apostrophes ' ’ ʼ alike.
QList<int> findIndicators(const IndicatorModel &model, QStringView query);
