#pragma once

// Shared by the main-window tests: a temporary working folder with a catalogue made to measure,
// and the main window over the scripted boxes.

#include "support/catalogue.h"
#include "support/files.h"

#include "indicators/document.h"
#include "indicators/model.h"
#include "mainwindow/mainwindow.h"
#include "testing/scriptedboxes.h"

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

Q_DECLARE_METATYPE(std::optional<QString>)

// A data file for the fixture's default catalogue (five indicators): keys L1 to L5, values 1 to 5.
inline QByteArray fixtureDataFile(const QString &year, const QString &school)
{
    QString text = year + QStringLiteral("\r\n") + school + QStringLiteral("\r\n");
    for (int k = 1; k <= 5; ++k)
        text += QStringLiteral("L%1\r\n %2.00000000000000E+0000\r\n").arg(k).arg(k);
    return toCp1251(text);
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
        form = std::make_unique<TForm1>(document, boxes);
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
    IndicatorDocument document{model};
    ScriptedBoxes boxes;
    std::unique_ptr<TForm1> form;

private:
    QTemporaryDir m_dir;
    QTemporaryDir m_settings;
    QString m_oldDir;
};
