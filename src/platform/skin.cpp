#include "skin.h"

#include "stringgrid.h"

#include <QApplication>
#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

namespace {

constexpr int ImageSize = 48;

QPen outlinePen(const QColor &color, qreal width = 1.5)
{
    QPen pen(color, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

QLinearGradient vertical(qreal top, qreal bottom, const QColor &from, const QColor &to)
{
    QLinearGradient gradient(0, top, 0, bottom);
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    return gradient;
}

// The lines through points in turn; closed, back to the first.
QPainterPath polyline(std::initializer_list<QPointF> points, bool closed = true)
{
    QPainterPath path;
    path.moveTo(*points.begin());
    for (auto point = points.begin() + 1; point != points.end(); ++point)
        path.lineTo(*point);
    if (closed)
        path.closeSubpath();
    return path;
}

void drawSheet(QPainter &p, const QRectF &sheet)
{
    p.setPen(outlinePen(QColor(90, 90, 90), 1));
    p.setBrush(Qt::white);
    p.drawRect(sheet);
    p.setPen(QPen(QColor(120, 150, 200), 1));
    for (qreal y = sheet.top() + 5; y < sheet.bottom() - 3; y += 4)
        p.drawLine(QPointF(sheet.left() + 4, y), QPointF(sheet.right() - 4, y));
}

void drawOpen(QPainter &p)
{
    // Back of the folder, a sheet sticking out, the open front flap.
    const QPainterPath back = polyline({{4, 12}, {17, 12}, {21, 16}, {40, 16}, {40, 40}, {4, 40}});
    p.setPen(outlinePen(QColor(150, 100, 10)));
    p.setBrush(vertical(12, 40, QColor(250, 215, 110), QColor(215, 160, 40)));
    p.drawPath(back);
    drawSheet(p, QRectF(12, 8, 22, 24));
    const QPainterPath front = polyline({{4, 40}, {11, 22}, {46, 22}, {40, 40}});
    p.setPen(outlinePen(QColor(150, 100, 10)));
    p.setBrush(vertical(22, 40, QColor(255, 232, 140), QColor(235, 180, 50)));
    p.drawPath(front);
}

void drawSave(QPainter &p)
{
    const QRectF disk(6, 6, 36, 36);
    const QPainterPath body = polyline({disk.topLeft(), {disk.right() - 5, disk.top()}, {disk.right(), disk.top() + 5},
                                        disk.bottomRight(), disk.bottomLeft()});
    p.setPen(outlinePen(QColor(20, 40, 90)));
    p.setBrush(vertical(6, 42, QColor(80, 120, 200), QColor(30, 60, 140)));
    p.drawPath(body);
    // Shutter with its window, and the label.
    p.setPen(outlinePen(QColor(90, 90, 100), 1));
    p.setBrush(vertical(6, 20, QColor(235, 235, 240), QColor(170, 175, 185)));
    p.drawRect(QRectF(13, 6, 20, 14));
    p.setBrush(QColor(30, 60, 140));
    p.drawRect(QRectF(26, 8.5, 4, 9));
    p.setPen(outlinePen(QColor(120, 120, 120), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(11, 25, 26, 15), 1.5, 1.5);
    p.setPen(QPen(QColor(200, 60, 60), 1));
    p.drawLine(QPointF(14, 29), QPointF(34, 29));
    p.setPen(QPen(QColor(150, 150, 170), 1));
    p.drawLine(QPointF(14, 33), QPointF(34, 33));
    p.drawLine(QPointF(14, 37), QPointF(30, 37));
}

// The grid's rules over a table: one every 6 from the first down to the table's foot, and the
// line along the value column.
void drawRules(QPainter &p, const QRectF &table, qreal firstRule, qreal column)
{
    p.setPen(QPen(QColor(120, 150, 200), 1));
    for (qreal y = firstRule; y < table.bottom() - 1; y += 6)
        p.drawLine(QPointF(table.left(), y), QPointF(table.right(), y));
    p.drawLine(QPointF(column, table.top()), QPointF(column, table.bottom()));
}

void drawEnterData(QPainter &p)
{
    // A table sheet and a pencil writing into it.
    p.setPen(outlinePen(QColor(90, 90, 90), 1));
    p.setBrush(Qt::white);
    const QRectF table(5, 5, 30, 38);
    p.drawRect(table);
    drawRules(p, table, 12, 14);
    p.setPen(QPen(QColor(30, 30, 30), 1.2));
    for (int i = 0; i < 4; ++i)
        p.drawText(QRectF(16, 12 + i * 6, 16, 6), Qt::AlignLeft | Qt::AlignVCenter, QString::number(3 * i + 2));

    p.save();
    p.translate(30, 34);
    p.rotate(-45);
    p.setPen(outlinePen(QColor(120, 70, 0), 1));
    p.setBrush(vertical(-4, 4, QColor(255, 220, 90), QColor(230, 150, 20)));
    p.drawRect(QRectF(6, -4, 22, 8));
    p.setBrush(QColor(230, 120, 140));
    p.drawRect(QRectF(28, -4, 5, 8));
    const QPainterPath tip = polyline({{6, -4}, {-2, 0}, {6, 4}});
    p.setBrush(QColor(245, 215, 170));
    p.drawPath(tip);
    p.setBrush(QColor(40, 40, 40));
    p.drawEllipse(QPointF(-0.5, 0), 1.2, 1.2);
    p.restore();
}

void drawPrint(QPainter &p)
{
    // Paper in the feed, the printer's body, the printed sheet coming out.
    drawSheet(p, QRectF(13, 4, 22, 16));
    p.setPen(outlinePen(QColor(60, 60, 70)));
    p.setBrush(vertical(18, 36, QColor(220, 222, 228), QColor(140, 144, 155)));
    p.drawRoundedRect(QRectF(4, 18, 40, 18), 3, 3);
    p.setBrush(QColor(70, 70, 80));
    p.drawRect(QRectF(10, 30, 28, 3));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 200, 80));
    p.drawEllipse(QPointF(38, 23), 1.8, 1.8);
    drawSheet(p, QRectF(11, 32, 26, 12));
}

void drawSchoolName(QPainter &p)
{
    // A school building with a pediment and a flag.
    p.setPen(outlinePen(QColor(110, 40, 30)));
    p.setBrush(vertical(20, 42, QColor(240, 160, 120), QColor(200, 100, 70)));
    p.drawRect(QRectF(6, 20, 36, 22));
    const QPainterPath roof = polyline({{3, 21}, {24, 9}, {45, 21}});
    p.setBrush(vertical(9, 21, QColor(150, 170, 200), QColor(80, 100, 140)));
    p.drawPath(roof);
    p.setPen(outlinePen(QColor(60, 60, 60), 1));
    p.setBrush(vertical(24, 34, QColor(230, 245, 255), QColor(140, 190, 230)));
    for (qreal x : {10.0, 17.0, 27.0, 34.0})
        p.drawRect(QRectF(x, 25, 5, 6));
    p.setBrush(QColor(120, 70, 30));
    p.drawRect(QRectF(21, 32, 6, 10));
    p.setPen(outlinePen(QColor(60, 60, 60), 1.2));
    p.drawLine(QPointF(24, 9), QPointF(24, 1.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 90, 200));
    p.drawRect(QRectF(24.5, 2, 9, 3));
    p.setBrush(QColor(255, 210, 0));
    p.drawRect(QRectF(24.5, 5, 9, 3));
}

void drawExit(QPainter &p)
{
    // An open door and an arrow leaving through it.
    p.setPen(outlinePen(QColor(80, 50, 20)));
    p.setBrush(QColor(60, 40, 20));
    p.drawRect(QRectF(8, 5, 22, 38));
    const QPainterPath door = polyline({{8, 5}, {20, 9}, {20, 46}, {8, 43}});
    p.setBrush(vertical(5, 46, QColor(210, 150, 80), QColor(150, 90, 40)));
    p.drawPath(door);
    p.setBrush(QColor(250, 220, 80));
    p.drawEllipse(QPointF(17, 27), 1.3, 1.3);

    const QPainterPath arrow =
        polyline({{22, 21}, {34, 21}, {34, 14}, {46, 25}, {34, 36}, {34, 29}, {22, 29}});
    p.setPen(outlinePen(QColor(20, 100, 20)));
    p.setBrush(vertical(14, 36, QColor(120, 230, 110), QColor(30, 150, 40)));
    p.drawPath(arrow);
}

void drawSummary(QPainter &p)
{
    // The sheets of several schools fanned out, and the sum sign over the front one.
    p.save();
    for (int i = 0; i < 3; ++i) {
        p.save();
        p.translate(24, 26);
        p.rotate(-14 + 9 * i);
        drawSheet(p, QRectF(-12, -18, 24, 34));
        p.restore();
    }
    p.restore();
    const QPainterPath sigma = polyline({{34, 14}, {14, 14}, {24, 27}, {14, 40}, {34, 40}}, false);
    p.setBrush(Qt::NoBrush);
    p.setPen(outlinePen(QColor(255, 255, 255), 6));
    p.drawPath(sigma);
    p.setPen(outlinePen(QColor(20, 110, 40), 3.5));
    p.drawPath(sigma);
}

void drawCheck(QPainter &p)
{
    // A filled-in sheet under a magnifying glass, a red mark on the line it finds.
    drawSheet(p, QRectF(5, 4, 28, 38));
    p.setPen(outlinePen(QColor(200, 30, 30), 2));
    p.drawLine(QPointF(9, 21), QPointF(22, 21));
    p.setPen(outlinePen(QColor(70, 50, 30), 5));
    p.drawLine(QPointF(34, 34), QPointF(44, 44));
    p.setPen(outlinePen(QColor(40, 40, 50), 2.5));
    p.setBrush(QColor(200, 230, 255, 150));
    p.drawEllipse(QPointF(27, 27), 10, 10);
    p.setPen(outlinePen(QColor(200, 30, 30), 2.5));
    p.drawLine(QPointF(22, 27), QPointF(32, 27));
}

void drawComparison(QPainter &p)
{
    // Last year's bars beside this year's on a base line, the way the comparison's chart shows them.
    const qreal heights[][2] = {{14, 22}, {26, 19}, {20, 32}};
    for (int i = 0; i < 3; ++i) {
        const qreal x = 5 + 14 * i;
        p.setPen(outlinePen(QColor(60, 70, 90), 1));
        p.setBrush(vertical(40 - heights[i][0], 40, QColor(190, 200, 215), QColor(130, 140, 160)));
        p.drawRect(QRectF(x, 40 - heights[i][0], 6, heights[i][0]));
        p.setPen(outlinePen(QColor(20, 90, 40), 1));
        p.setBrush(vertical(40 - heights[i][1], 40, QColor(120, 210, 120), QColor(30, 140, 60)));
        p.drawRect(QRectF(x + 6, 40 - heights[i][1], 6, heights[i][1]));
    }
    p.setPen(outlinePen(QColor(40, 40, 40), 2));
    p.drawLine(QPointF(3, 41), QPointF(46, 41));
}

void drawDataFile(QPainter &p)
{
    // A sheet with its corner turned down, headed in the program's blue, ruled as the grid is,
    // and a value written in each row.
    const QPainterPath sheet = polyline({{8, 3}, {30, 3}, {40, 13}, {40, 45}, {8, 45}});
    p.setPen(outlinePen(QColor(30, 60, 120)));
    p.setBrush(vertical(3, 45, Qt::white, QColor(226, 236, 250)));
    p.drawPath(sheet);
    p.setBrush(QColor(176, 206, 241));
    p.drawPath(polyline({{30, 3}, {30, 13}, {40, 13}}));
    p.setPen(Qt::NoPen);
    p.setBrush(Skin::TitleBandColor);
    p.drawRect(QRectF(12, 8, 15, 5));
    drawRules(p, QRectF(12, 18, 24, 25), 18, 27);
    p.setPen(outlinePen(QColor(30, 30, 30), 1.5));
    for (qreal y = 21; y < 42; y += 6)
        p.drawLine(QPointF(29.5, y), QPointF(33.5, y));
}

// An icon of the given size from a picture drawn at 48 x 48.
QPixmap icon(int size, void (*draw)(QPainter &))
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 48.0, size / 48.0);
    draw(painter);
    return pixmap;
}

} // namespace

// Resources of a static library are registered by hand, outside any namespace.
static void registerSkinResources()
{
    Q_INIT_RESOURCE(skin);
}

namespace Skin {

QString styleSheet()
{
    QFile file(QStringLiteral(":/skin/skin.qss"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

void apply(QApplication &app)
{
    registerSkinResources();
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
    QPixmap pixmap(ImageSize, ImageSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(6);
    font.setBold(true);
    painter.setFont(font);
    switch (image) {
    case ToolImage::Open: drawOpen(painter); break;
    case ToolImage::Save: drawSave(painter); break;
    case ToolImage::EnterData: drawEnterData(painter); break;
    case ToolImage::Print: drawPrint(painter); break;
    case ToolImage::SchoolName: drawSchoolName(painter); break;
    case ToolImage::Exit: drawExit(painter); break;
    case ToolImage::Summary: drawSummary(painter); break;
    case ToolImage::Check: drawCheck(painter); break;
    case ToolImage::Comparison: drawComparison(painter); break;
    }
    return pixmap;
}

QPixmap appIcon(int size)
{
    return icon(size, [](QPainter &painter) {
        painter.setPen(outlinePen(QColor(30, 60, 120)));
        painter.setBrush(vertical(2, 46, QColor(176, 206, 241), TitleBandColor));
        painter.drawRoundedRect(QRectF(2, 2, 44, 44), 6, 6);
        drawEnterData(painter);
    });
}

QPixmap dataFileIcon(int size)
{
    return icon(size, drawDataFile);
}

} // namespace Skin
