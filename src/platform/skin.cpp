#include "skin.h"

#include "stringgrid.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QSvgRenderer>
#include <QWidget>

#include <utility>

// Resources of a static library are registered by hand, outside any namespace.
static void registerSkinResources()
{
    Q_INIT_RESOURCE(skin);
}

namespace {

constexpr int ImageSize = 48;

// A file of the skin's resources with each design colour put in for its name between at signs.
QByteArray skinFile(const QString &name)
{
    static const bool registered = (registerSkinResources(), true);
    Q_UNUSED(registered);
    QFile file(QStringLiteral(":/skin/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray text = file.readAll();
    const std::pair<const char *, QColor> colors[] = {
        {"@WindowColor@", Skin::WindowColor},
        {"@TitleBandColor@", Skin::TitleBandColor},
    };
    for (const auto &[placeholder, color] : colors)
        text.replace(placeholder, color.name().toLatin1());
    return text;
}

// The skin's pictures, drawn at 48 x 48, one over the other at the given size.
QPixmap picture(int size, std::initializer_list<QString> files)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    for (const QString &file : files)
        QSvgRenderer(skinFile(file)).render(&painter, QRectF(0, 0, size, size));
    return pixmap;
}

// The figures in the table of the picture of entering data. Qt SVG draws text as scaled
// outlines, without hinting, which blurs figures six pixels high.
void writeFigures(QPixmap &pixmap)
{
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(pixmap.width() / qreal(ImageSize), pixmap.height() / qreal(ImageSize));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(6);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(30, 30, 30));
    for (int row = 0; row < 4; ++row)
        painter.drawText(QRectF(16, 12 + row * 6, 16, 6), Qt::AlignLeft | Qt::AlignVCenter,
                         QString::number(3 * row + 2));
}

QString toolImageFile(Skin::ToolImage image)
{
    switch (image) {
    case Skin::ToolImage::Open: return QStringLiteral("open.svg");
    case Skin::ToolImage::Save: return QStringLiteral("save.svg");
    case Skin::ToolImage::EnterData: return QStringLiteral("enterdata.svg");
    case Skin::ToolImage::Print: return QStringLiteral("print.svg");
    case Skin::ToolImage::SchoolName: return QStringLiteral("schoolname.svg");
    case Skin::ToolImage::Exit: return QStringLiteral("exit.svg");
    case Skin::ToolImage::Summary: return QStringLiteral("summary.svg");
    case Skin::ToolImage::Check: return QStringLiteral("check.svg");
    case Skin::ToolImage::Comparison: break;
    }
    return QStringLiteral("comparison.svg");
}

} // namespace

namespace Skin {

QString styleSheet()
{
    return QString::fromUtf8(skinFile(QStringLiteral("skin.qss")));
}

void apply(QApplication &app)
{
    // Under a style sheet a window's children take the application's font family, not the
    // window's.
    app.setFont(tahoma());
    app.setStyleSheet(styleSheet());
    app.setWindowIcon(QIcon(appIcon(64)));
}

void applyTo(StringGrid &grid)
{
    grid.setFixedColor(FixedColor);
    grid.setColor(Qt::white);
    grid.setGridLineColor(QColor(150, 175, 210));
}

QFont tahoma(int pixels, bool bold)
{
    // Without Tahoma, fontconfig's choice is DejaVu Sans, so much wider that the grid's headers
    // are cut off; the narrow Liberation face keeps them whole. Qt takes a substitute only where
    // the face itself is missing.
    static const bool substituted = [] {
        QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans Narrow"));
        return true;
    }();
    Q_UNUSED(substituted);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void applyWindowLook(QWidget &window)
{
    window.setFont(tahoma());
    QPalette colors = window.palette();
    colors.setColor(QPalette::Window, WindowColor);
    window.setPalette(colors);
    window.setAutoFillBackground(true);
}

QPixmap toolImage(ToolImage image)
{
    QPixmap pixmap = picture(ImageSize, {toolImageFile(image)});
    if (image == ToolImage::EnterData)
        writeFigures(pixmap);
    return pixmap;
}

QPixmap appIcon(int size)
{
    QPixmap pixmap = picture(size, {QStringLiteral("appicon.svg"), toolImageFile(ToolImage::EnterData)});
    writeFigures(pixmap);
    return pixmap;
}

QPixmap dataFileIcon(int size)
{
    return picture(size, {QStringLiteral("datafile.svg")});
}

QPixmap wizardHat()
{
    return picture(ImageSize, {QStringLiteral("wizardhat.svg")});
}

} // namespace Skin
