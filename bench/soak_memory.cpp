// Soak figure: how much resident memory the window gains over 10,000 queries typed into it.
// usage: soak_memory   (runs offscreen unless QT_QPA_PLATFORM says otherwise)
#include "frmdc.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include <cstdio>

namespace
{

qint64 residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    FrmDc::setUpApplication();
    FrmDc window([](QWidget *, QMessageBox::Icon, const QString &, const QString &) {});
    window.start();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    auto *code = window.findChild<QLineEdit *>(QStringLiteral("TxtC"));
    auto *more = window.findChild<QWidget *>(QStringLiteral("Cmdm"));

    // Found codes in both cases, misses, empty queries and now and then the guide, as a user might.
    const QString typed[] = {QStringLiteral("ff"), QStringLiteral("3f"), QStringLiteral("0B"), QString(),
                             QStringLiteral("a7"), QStringLiteral("zz")};
    const auto run = [&](int queries) {
        for (int i = 0; i < queries; ++i) {
            code->setFocus();
            code->selectAll();
            QTest::keyClick(code, Qt::Key_Backspace);
            if (i % 97 == 0)
                QTest::keyClick(more, Qt::Key_Space);
            QTest::keyClicks(code, typed[i % std::size(typed)]);
            QTest::keyClick(code, Qt::Key_Return);
            QCoreApplication::processEvents();
        }
    };

    run(1000); // warm-up: caches, glyphs, allocator pools
    const qint64 before = residentKiB();
    run(10000);
    const qint64 after = residentKiB();
    if (before <= 0 || after <= 0)
        return 1;
    std::printf("soak: %lld KiB resident after warm-up, %lld KiB after 10000 more queries: "
                "growth %lld KiB (%.2f%%)\n",
                before, after, after - before, 100.0 * double(after - before) / double(before));
    return 0;
}
