#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>

class QApplication;
class QWidget;
class StringGrid;

// The program's one look: the design colours, the style sheet for tool bar and status bar and
// the pictures, all kept in the skin's resources (skin/).
namespace Skin {

inline constexpr QColor WindowColor{176, 206, 241};
inline constexpr QColor TitleBandColor{102, 158, 227};
inline constexpr QColor HintColor{61, 153, 192};
// Behind the grid's header and section rows.
inline constexpr QColor FixedColor{210, 226, 246};

// Font, style sheet and window icon for the whole application.
void apply(QApplication &app);
QString styleSheet();
// The grid's fixed, ordinary and line colours.
void applyTo(StringGrid &grid);

// Tahoma 8 at 96 dots per inch: 11 pixels high, whatever the screen's resolution.
inline constexpr int WindowFontPixels = 11;
QFont tahoma(int pixels = WindowFontPixels, bool bold = false);
// A window's own look: the design colour behind it and Tahoma 8.
void applyWindowLook(QWidget &window);

enum class ToolImage { Open, Save, EnterData, Print, SchoolName, Exit, Summary, Check, Comparison };
// 48 x 48, transparent around the picture.
QPixmap toolImage(ToolImage image);
// The program's icon for window frames and the desktop.
QPixmap appIcon(int size);
// The icon of the data files (*.zrs) in file managers.
QPixmap dataFileIcon(int size);
// The wizard window's picture: a grey wizard's hat with red stars, 48 x 48, transparent around it.
QPixmap wizardHat();

} // namespace Skin
