#pragma once

class QToolBar;

// Keeps every button of the bar in sight where the bar is narrower than the buttons at their
// design widths: the separators give up width first, down to minSeparator, then every button
// the same share of its own. Where there is room they keep buttonWidth and separatorWidth.
void keepButtonsInSight(QToolBar &bar, int buttonWidth, int separatorWidth, int minSeparator);
