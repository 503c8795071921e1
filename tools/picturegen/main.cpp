// Draws the program's pictures into a directory: quilldex2-picturegen OUTPUT_DIR
#include "tools/picturegen/picture_set.h"

#include <QGuiApplication>
#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    // Fonts are all it needs from the window system; this way it also runs without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: quilldex2-picturegen OUTPUT_DIR\n");
        return 2;
    }
    try {
        picturegen::writePictureSet(args[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quilldex2-picturegen: %s\n", e.what());
        return 1;
    }
    return 0;
}
