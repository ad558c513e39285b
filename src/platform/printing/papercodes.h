#pragma once

#include <QSize>

// The platform's standard paper codes with their portrait sizes in tenths of a millimetre.

// The lowest code whose size is exactly width x height, or PrinterSettings::UserPaperSize.
int PaperSizeCode(int width, int height);

// The portrait size of a code; an empty size for an unknown or reserved code.
QSize paperCodeSize(int code);
