#pragma once

#include <QString>

class QWidget;

// Tells a screen reader a short text about the window that widget is in, without moving the
// focus and without drawing anything: what a sighted user reads off the screen by a glance (a
// refused key's balloon, a count in the status bar, the page turned to, the outcome of a save).
// The text reaches the reader as a notification of the window's accessible tree.
void announce(QWidget *widget, const QString &text);
