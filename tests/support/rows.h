#pragma once

#include <QtTest>

// A data table of one bool column: a row named for each value.
inline void addBoolRows(const char *column, const char *whenFalse, const char *whenTrue)
{
    QTest::addColumn<bool>(column);
    QTest::newRow(whenFalse) << false;
    QTest::newRow(whenTrue) << true;
}
