#pragma once

#include <QByteArray>
#include <QList>

// Texts are Windows-1251 bytes as they stand in the files; they become QString only at the
// screen and page boundary (encoding.h).

struct pokazatel
{
    QByteArray Name;
    double Value = 0;
    QByteArray Key;
    QByteArray Source;
    QByteArray Measure;
    QByteArray Kind;
    QByteArray Code;
};

// "C" exactly marks a statistical indicator; any other kind counts as analytical.
inline bool isStatistical(const pokazatel &item)
{
    return item.Kind == "C";
}

struct razdel
{
    QByteArray Name;
    QList<pokazatel> Items;
};

using CatalogList = QList<razdel>;

// What a row of the main grid shows: row 0 the header, then each section's own row followed by
// one row per indicator of the section.
struct GridRow
{
    enum Kind { Header, Section, Indicator, Outside };
    Kind kind = Outside;
    int section = -1;
    int item = -1;
};

// The one catalogue of the run with its values, shared by every window.
class IndicatorModel
{
public:
    CatalogList Catalog;
    QByteArray CatalogYear;
    QByteArray SchoolName;
    int WizardSection = 0;
    int WizardItem = 0;

    int indicatorCount() const;
    // 1 + sections + indicators.
    int gridRowCount() const;
    GridRow gridRow(int row) const;
    int sectionRow(int section) const;
    int indicatorRow(int section, int item) const;

    // Stores Value into the indicator shown on grid row Row; any other row changes nothing.
    void SetValueAtRow(int Row, double Value);
    // The title of the section shown on grid row r, or nothing when r is no section row.
    QByteArray SectionTitleAtRow(int r) const;

    // Stores value into item, one of this model's indicators; a value that differs from the one
    // held marks the values unsaved.
    void storeValue(pokazatel &item, double value);
    // Whether a value changed since the values were last opened or saved.
    bool valuesUnsaved() const { return m_valuesUnsaved; }
    void setValuesSaved() { m_valuesUnsaved = false; }
    // Values that came from no single file, such as a summary of several.
    void setValuesChanged() { m_valuesUnsaved = true; }

private:
    bool m_valuesUnsaved = false;
};
