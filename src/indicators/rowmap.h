#pragma once

#include <QList>

struct razdel;

// What a row of the main grid shows.
struct GridRow
{
    enum Kind { Header, Section, Indicator, Outside };
    Kind kind = Outside;
    int section = -1;
    int item = -1;
    // The indicator counted across sections in catalogue order, the index of every list of
    // values; -1 on a row that shows none.
    int indicator = -1;
};

// The main grid's rows of a catalogue: row 0 the header, then each section's own row followed
// by one row per indicator of the section. Lookups are logarithmic in the number of sections.
class RowMap
{
public:
    RowMap() = default;
    explicit RowMap(const QList<razdel> &catalog);

    // Whether the map still describes catalog: the same sections with as many indicators.
    bool describes(const QList<razdel> &catalog) const;

    // 1 + sections + indicators.
    int gridRowCount() const { return 1 + sectionCount() + indicatorCount(); }
    int sectionCount() const { return int(m_firstIndicator.size()) - 1; }
    int indicatorCount() const { return m_firstIndicator.back(); }

    GridRow at(int row) const;
    int indicatorAt(int row) const { return at(row).indicator; }
    int sectionRow(int section) const { return 1 + section + m_firstIndicator[section]; }
    // The section and item of an indicator; Outside for an index that names none.
    GridRow ofIndicator(int indicator) const;
    int indicatorRow(int indicator) const;
    int indicatorIndex(int section, int item) const { return m_firstIndicator[section] + item; }

private:
    // Of each section, the index of its first indicator; one more entry holds the total.
    QList<int> m_firstIndicator{0};
};
