// Entry point: creates the main window, which fills its code table as it loads, and shows it.
#include "frmdc.h"
#include "version.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tarnwick"));
    QApplication::setApplicationVersion(QStringLiteral(TARNWICK_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(TARNWICK_APP_ID));
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/tarnwick-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/icons/tarnwick-32.png"), QSize(32, 32));
    QApplication::setWindowIcon(icon);

    FrmDc window;
    window.show();
    return app.exec();
}
