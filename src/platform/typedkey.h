#pragma once

class QKeyEvent;

// The character a key press types, as the value key filters see: Enter 13, Backspace 8,
// Escape 27, Ctrl with a letter the letter's control code; 0 for keys that move or edit
// without typing (Tab, Delete, arrows).
char16_t typedCharacter(const QKeyEvent &event);
