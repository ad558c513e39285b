#pragma once

// For a test's cleanup: a case ends with every window it opened closed again.

#include <QApplication>
#include <QTest>
#include <QWidget>

inline void verifyNoWindowOpen()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        QVERIFY2(!window->isVisible(), qPrintable(window->windowTitle()));
}
