#pragma once

class QPainter;
class QPicture;
class QRect;

// Plays a recorded page so that its frame, the picture's bounding rectangle (the whole paper),
// fills target, whose right and bottom edges are exclusive. Works on any device: the picture's
// own scaling by the device's resolution is taken out.
void PlayPage(QPainter &painter, const QPicture &page, const QRect &target);
