#pragma once

// Catalogue files made to measure.

#include "indicators/encoding.h"

#include <QList>
#include <QStringList>

struct CatalogItem
{
    QString name;
    QString kind = QStringLiteral("C");
    QString code = QStringLiteral("K");
    QString source = QStringLiteral("Форма ЗНЗ-1");
    QString measure = QStringLiteral("од.");
};

struct CatalogSection
{
    QString title;
    QList<CatalogItem> items;
};

// A catalogue file: year, then each section's title, six lines per indicator and "===".
inline QByteArray catalogBytes(const QString &year, const QList<CatalogSection> &sections)
{
    QStringList lines{year};
    int key = 0;
    for (const CatalogSection &section : sections) {
        lines << section.title;
        for (const CatalogItem &item : section.items)
            lines << QStringLiteral("KEY%1").arg(++key) << item.name << item.source << item.measure << item.kind
                  << item.code;
        lines << QStringLiteral("===");
    }
    return toCp1251(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

// Sections with the given numbers of indicators, named "Розділ s" and "Показник s.j".
inline QList<CatalogSection> sectionsOf(const QList<int> &counts)
{
    QList<CatalogSection> sections;
    for (int s = 0; s < counts.size(); ++s) {
        CatalogSection section{QStringLiteral("Розділ %1").arg(s + 1), {}};
        for (int j = 0; j < counts[s]; ++j)
            section.items.append({QStringLiteral("Показник %1.%2").arg(s + 1).arg(j + 1)});
        sections.append(section);
    }
    return sections;
}
