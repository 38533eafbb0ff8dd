// Writes the window's Earth icon as a PNG file for the desktop's menus,
// from the same pixel rows the game compiles in.
#include <cstdio>

#include "resources/resources.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s icon.png\n", argv[0]);
        return 2;
    }
    return earthIcon().save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
