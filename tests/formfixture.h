#pragma once

// Shared by the main-window tests: catalogue files made to measure, a temporary working folder,
// and the main window over the scripted boxes.

#include "indicators/encoding.h"
#include "indicators/model.h"
#include "mainwindow/mainwindow.h"
#include "platform/scriptedboxes.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

Q_DECLARE_METATYPE(std::optional<QString>)

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

// A data file for the fixture's default catalogue (five indicators): keys L1 to L5, values 1 to 5.
inline QByteArray fixtureDataFile(const QString &year, const QString &school)
{
    QString text = year + QStringLiteral("\r\n") + school + QStringLiteral("\r\n");
    for (int k = 1; k <= 5; ++k)
        text += QStringLiteral("L%1\r\n %2.00000000000000E+0000\r\n").arg(k).arg(k);
    return toCp1251(text);
}

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A temporary working folder with a catalogue and a school name; the window is made on demand.
class FormFixture
{
public:
    explicit FormFixture(const QByteArray &catalog = catalogBytes(QStringLiteral("2026"), sectionsOf({3, 0, 2})),
                         const QByteArray &schoolName = toCp1251(u"Школа №5\r\n"))
        : m_oldDir(QDir::currentPath())
    {
        QDir::setCurrent(m_dir.path());
        // Folders remembered by one test are not seen by the next.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
        if (!catalog.isNull())
            writeBytes(QStringLiteral("DEFAULT.lng"), catalog);
        if (!schoolName.isNull())
            writeBytes(QStringLiteral("school_name.dat"), schoolName);
    }

    ~FormFixture()
    {
        form.reset();
        QDir::setCurrent(m_oldDir);
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }

    TForm1 &create()
    {
        form = std::make_unique<TForm1>(model, boxes);
        return *form;
    }

    // Created, shown (which fills the grid), active, with the focus in the grid.
    TForm1 &show()
    {
        create();
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get()))
            qWarning("window not exposed");
        form->activateWindow();
        if (!QTest::qWaitForWindowActive(form.get()))
            qWarning("window not active");
        form->Grid1->setFocus();
        return *form;
    }

    IndicatorModel model;
    ScriptedBoxes boxes;
    std::unique_ptr<TForm1> form;

private:
    QTemporaryDir m_dir;
    QTemporaryDir m_settings;
    QString m_oldDir;
};
