// Saves a picture of an X window (by id) to a PNG file: grabwindow WINDOW-ID OUT.png
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: grabwindow WINDOW-ID OUT.png\n");
        return 2;
    }
    bool ok = false;
    const WId id = args.at(1).toULongLong(&ok, 0);
    if (!ok)
        return 2;
    const QPixmap picture = QGuiApplication::primaryScreen()->grabWindow(id);
    return !picture.isNull() && picture.save(args.at(2), "PNG") ? 0 : 1;
}
