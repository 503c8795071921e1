// Saves a rectangle of the X screen as a PNG: qx-screenshot OUT.png X Y WIDTH HEIGHT
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 6) {
        std::fprintf(stderr, "usage: qx-screenshot OUT.png X Y WIDTH HEIGHT\n");
        return 2;
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    const QPixmap shot =
        screen->grabWindow(0, args[2].toInt(), args[3].toInt(), args[4].toInt(), args[5].toInt());
    if (shot.isNull() || !shot.save(args[1], "PNG")) {
        std::fprintf(stderr, "qx-screenshot: could not grab or save the screen\n");
        return 1;
    }
    return 0;
}
