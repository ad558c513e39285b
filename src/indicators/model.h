#pragma once

#include "rowmap.h"

#include <QByteArray>
#include <QList>

#include <optional>

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

// The indicator as messages name it: its label and the designation the grid shows,
// "K7_03 (Каб.о)"; the label alone when it has no designation.
QString indicatorName(const pokazatel &item);

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

// A school whose values a summary holds, and the data file they came from.
struct SummarySchool
{
    QByteArray name;     // the school's name line
    QByteArray fileName; // its data file's name without the folder, in the same code page

    bool operator==(const SummarySchool &) const = default;
};

// The one catalogue of the run with its values, shared by every window. Windows change its
// values and school name through its document (document.h), which tells who listens.
class IndicatorModel
{
public:
    CatalogList Catalog;
    QByteArray CatalogYear;
    QByteArray SchoolName;
    QList<SummarySchool> SummarySchools; // empty unless the values are a summary of schools
    int WizardSection = 0;
    int WizardItem = 0;

    int indicatorCount() const { return rows().indicatorCount(); }
    // The grid's rows of the catalogue, taken when first asked for after the catalogue was
    // filled. Whatever fills or changes Catalog after that calls catalogueChanged().
    const RowMap &rows() const;
    void catalogueChanged() { m_rows.reset(); }
    // The indicator of the given index in catalogue order.
    pokazatel &indicator(int index);
    const pokazatel &indicator(int index) const;
    // Every value in catalogue order.
    QList<double> values() const;
    // The title of the section shown on grid row r, or nothing when r is no section row.
    QByteArray SectionTitleAtRow(int r) const;

private:
    mutable std::optional<RowMap> m_rows;
};

// Calls visit(index, item) for every indicator in catalogue order, index counting from 0 across
// sections: the order of data files and of every list of values.
template <typename Catalog, typename Visit>
void forEachIndicator(Catalog &catalog, Visit &&visit)
{
    int index = 0;
    for (auto &section : catalog) {
        for (auto &item : section.Items)
            visit(index++, item);
    }
}
