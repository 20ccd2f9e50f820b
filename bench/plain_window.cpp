// Start-up peer: tarnwick's seven controls written the plain Qt way, with the same sizes and texts,
// faces asked for by name and left to fontconfig's fallback, and nothing tuned.
#include "fixedtexts.h"
#include "qttext.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace
{

QFont face(const QString &family, qreal points, QFont::Weight weight = QFont::Normal)
{
    QFont font(family);
    font.setPointSizeF(points);
    font.setWeight(weight);
    return font;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QDialog window;
    window.setWindowTitle(QStringLiteral("DEBUG代码查询系统"));
    window.setFixedSize(249, 241);

    auto *caption = new QLabel(QStringLiteral("DEBUG代码："), &window);
    caption->setGeometry(24, 16, 153, 25);
    caption->setFont(face(QStringLiteral("宋体"), 18, QFont::Bold));
    caption->setAlignment(Qt::AlignCenter);

    auto *families =
        new QLabel(QStringLiteral("代码适用：Award BIOS、Ami BIOS、Phoenix BIOS、Tandy 3000 BIOS"), &window);
    families->setGeometry(8, 48, 233, 33);
    families->setFont(face(QStringLiteral("宋体"), 10.5));
    families->setAlignment(Qt::AlignCenter);
    families->setWordWrap(true);

    auto *code = new QLineEdit(&window);
    code->setGeometry(168, 8, 57, 34);
    code->setFont(face(QStringLiteral("微软雅黑"), 15.75));
    code->setMaxLength(2);

    auto *result = new QPlainTextEdit(toQString(StartupText()), &window);
    result->setGeometry(8, 80, 233, 113);
    result->setFont(face(QStringLiteral("微软雅黑"), 10.5, QFont::Bold));
    result->setReadOnly(true);

    auto *query = new QPushButton(QStringLiteral("查询"), &window);
    query->setGeometry(8, 200, 73, 33);
    query->setDefault(true);
    auto *more = new QPushButton(QStringLiteral("更多"), &window);
    more->setGeometry(88, 200, 73, 33);
    auto *quit = new QPushButton(QStringLiteral("退出"), &window);
    quit->setGeometry(168, 200, 73, 33);
    QObject::connect(quit, &QPushButton::clicked, &app, &QApplication::quit);

    code->setFocus();
    window.show();
    return app.exec();
}
