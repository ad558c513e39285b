#pragma once

// Keys as the window system sends them: press and release each go to the widget that has the
// focus at that moment, so a key that closes an editor is released over the widget beneath.

#include <QApplication>
#include <QTest>

inline void typeKey(char c, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyPress(QApplication::focusWidget(), c, modifiers);
    QTest::keyRelease(QApplication::focusWidget(), c, modifiers);
}

inline void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyPress(QApplication::focusWidget(), key, modifiers);
    QTest::keyRelease(QApplication::focusWidget(), key, modifiers);
}

// Text of any script, one key press a character, as a keyboard layout sends it.
inline void typeText(const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(c), Qt::NoModifier);
}
