#pragma once

#include <QPixmap>

// The wizard window's picture: a grey wizard's hat with red stars on a transparent
// background, 48 x 48 pixels.
QPixmap wizardHatPicture();
