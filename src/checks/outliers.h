#pragma once

#include "finding.h"

#include <QList>

class CheckPlan;

// The outlier rule of the district: with at least this many schools, a value more than ten
// times the median of the other schools' values, or less than a tenth of it, is doubtful when
// that median is above 0. A zero is an ordinary answer (no vacancies, no medallists) and never
// doubtful, nor is a value less than one unit away from that median, however many times apart.
inline constexpr int OutlierMinSchools = 4;
inline constexpr double OutlierFactor = 10;

// values[school][indicator]; the findings name the school.
QList<Finding> outlierFindings(const QList<QList<double>> &values);
// Every school's values checked by plan, and the outliers among them: by school, then in
// catalogue order.
QList<Finding> checkSchools(const CheckPlan &plan, const QList<QList<double>> &values);
