// Soak: ten thousand queries typed into the window must not make it grow.
#include "codetable.h"
#include "frmdc.h"
#include "resultbox.h"

#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QTest>

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

// AddressSanitizer holds freed memory back in quarantine, so resident memory grows by design there;
// in that build LeakSanitizer checks for leaks at exit instead.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool residentMemoryIsMeaningful = false;
#else
constexpr bool residentMemoryIsMeaningful = true;
#endif

} // namespace

class TestSoak : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tenThousandQueriesDoNotGrowMemory()
    {
#ifndef Q_OS_LINUX
        QSKIP("reads /proc/self/status");
#endif
        int boxes = 0;
        FrmDc window([&](QWidget *, QMessageBox::Icon, const QString &, const QString &) { ++boxes; });
        window.start();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *code = window.findChild<QLineEdit *>(QStringLiteral("TxtC"));
        auto *result = window.findChild<ResultBox *>(QStringLiteral("TxtGD"));

        // Found codes in both cases, misses, empty queries and the guide, in turn.
        const QStringList typed = {QStringLiteral("ff"), QStringLiteral("3f"),
                                   QStringLiteral("0B"), QString(),
                                   QStringLiteral("a7"), QStringLiteral("zz")};
        int found = 0;
        const auto run = [&](int queries) {
            for (int i = 0; i < queries; ++i) {
                code->setFocus();
                code->selectAll();
                QTest::keyClick(code, Qt::Key_Backspace);
                QTest::keyClicks(code, typed.at(i % typed.size()));
                if (i % 97 == 0)
                    QTest::keyClick(window.findChild<QWidget *>(QStringLiteral("Cmdm")), Qt::Key_Space);
                QTest::keyClick(code, Qt::Key_Return);
                QCoreApplication::processEvents(); // as the event loop would, between two key presses
                found += code->text().size() == 2 &&
                         result->text() == window.codeTable().text(slotOf(window, code->text()));
            }
        };

        run(1000); // warm-up: caches, glyphs, allocator pools
        const qint64 before = residentKiB();
        boxes = 0;
        found = 0;
        run(10000);
        const qint64 after = residentKiB();
        QVERIFY(before > 0 && after > 0);
        qInfo("resident memory: %lld KiB before, %lld KiB after 10000 queries", before, after);
        if (residentMemoryIsMeaningful)
            QVERIFY2(after - before <= 1024,
                     qPrintable(QStringLiteral("grew by %1 KiB").arg(after - before)));
        QVERIFY(boxes > 3000); // the misses and empty queries really asked
        QVERIFY(found > 4000); // and the codes were really found
    }

private:
    static int slotOf(const FrmDc &window, const QString &code)
    {
        for (int k = 0; k < CodeTable::RowCount; ++k) {
            if (window.codeTable().code(k) == code)
                return k;
        }
        return 0;
    }
};

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
