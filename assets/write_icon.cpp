// Writes the Earth icon for the desktop's menus as PNG files at every
// size, into an icon theme's layout (<folder>/16x16/apps/vorlane.png and
// so on), from the same pixel rows the game compiles in.
#include <QDir>
#include <cstdio>

#include "resources/resources.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s theme-folder\n", argv[0]);
        return 2;
    }
    const QString theme = QString::fromLocal8Bit(argv[1]);
    for (const QImage& icon : earthIcons()) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(theme).arg(icon.width());
        if (!QDir().mkpath(folder) || !icon.save(folder + "/vorlane.png", "PNG")) return 1;
    }
    return 0;
}
