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
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tarnwick"));
    QApplication::setApplicationVersion(QStringLiteral(TARNWICK_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(TARNWICK_APP_ID));
    QIcon icon;
    icon.addPixmap(iconPixmap(icon::Pixels16.data(), 16));
    icon.addPixmap(iconPixmap(icon::Pixels32.data(), 32));
    QApplication::setWindowIcon(icon);

    FrmDc window;
    window.show();
    return app.exec();
}
