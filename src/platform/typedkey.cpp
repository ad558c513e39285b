#include "typedkey.h"

#include <QKeyEvent>

char16_t typedCharacter(const QKeyEvent &event)
{
    const int key = event.key();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return 0;
    default:
        break;
    }
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if ((modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return char16_t(key - Qt::Key_A + 1);
    const QString text = event.text();
    if (text.isEmpty() || text.front().unicode() == 127)
        return 0;
    return text.front().unicode();
}
