// Build tool: writes the program's icon and the data files' icon, drawn from the skin's pictures,
// as PNG files for installation.
#include "platform/skin.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>

#include <cstdio>
#include <utility>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: iconwriter OUTPUT_DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (int size : {48, 64, 128, 256}) {
        const std::pair<QString, QPixmap> icons[] = {
            {QStringLiteral("zoris-%1.png"), Skin::appIcon(size)},
            {QStringLiteral("application-x-zoris-data-%1.png"), Skin::dataFileIcon(size)},
        };
        for (const auto &[pattern, pixmap] : icons) {
            const QString name = out.filePath(pattern.arg(size));
            if (!pixmap.save(name, "PNG")) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
                return 1;
            }
        }
    }
    return 0;
}
