// Entry point: creates the main window, which fills its code table as it loads, and shows it.
#include "frmdc.h"
#include "icondata.h"
#include "version.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace
{

// The icon is built in as palette indices, so showing it needs no image file, decoder or plugin.
QPixmap iconPixmap(const unsigned char *pixels, int size)
{
    QImage image(pixels, size, size, size, QImage::Format_Indexed8);
    image.setColorTable(QList<QRgb>(icon::Palette.begin(), icon::Palette.end()));
    return QPixmap::fromImage(image);
}

} // namespace

int main(int argc, char *argv[])
{
#ifdef Q_OS_LINUX
    // On a Wayland desktop, prefer its X server (XWayland) where the user has not chosen a platform:
    // there the window keeps its whole title, fixed frame and centred place, and what was copied
    // survives the program. Wayland itself stays the fallback where no X server is running.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb;wayland");
#endif
    // The program takes no command line, so none of it reaches the toolkit either: options such as
    // -stylesheet FILE would otherwise read files and change the window. The toolkit's environment
    // variables (scaling, platform) still apply.
    char fallbackName[] = "tarnwick";
    char *programOnly[] = {argc > 0 && argv[0] ? argv[0] : fallbackName, nullptr};
    int programArgc = 1;
    QApplication app(programArgc, programOnly);
    QApplication::setApplicationName(QStringLiteral("tarnwick"));
    QApplication::setApplicationVersion(QStringLiteral(TARNWICK_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(TARNWICK_APP_ID));
    QIcon icon;
    icon.addPixmap(iconPixmap(icon::Pixels16.data(), 16));
    icon.addPixmap(iconPixmap(icon::Pixels32.data(), 32));
    QApplication::setWindowIcon(icon);
    FrmDc::setUpApplication();

    FrmDc window;
    window.start();
    return app.exec();
}
