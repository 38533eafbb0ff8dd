// vorlane_assets: writes the game's six pictures and eleven sounds into the
// directory named on the command line, the program's own directory.
#include "picture.h"
#include "sound.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: vorlane_assets DIRECTORY\n";
        return 2;
    }
    const std::string directory = argv[1];
    try {
        for (const Picture& picture : gamePictures()) writeBmp(picture, directory + "/" + picture.fileName);
        for (const Sound& sound : gameSounds()) writeWav(sound, directory + "/" + sound.fileName);
    } catch (const std::exception& e) {
        std::cerr << "vorlane_assets: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
