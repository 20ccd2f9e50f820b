// Start-up floor: one window of tarnwick's size showing the label "DEBUG代码：" in the default font,
// and nothing else; the least a Qt program that shows Chinese costs.
#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("DEBUG代码："));
    window.setWindowTitle(QStringLiteral("baseline"));
    window.setFixedSize(249, 241);
    window.show();
    return app.exec();
}
