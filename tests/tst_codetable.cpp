// The code table as filled: its rows, their order and form, and its bounds.
#include "codetable.h"
#include "qttext.h"

#include <QProcess>
#include <QSet>
#include <QTest>

class TestCodeTable : public QObject
{
    Q_OBJECT

    CodeTable table;

private Q_SLOTS:
    void initTestCase() { table.FillCodeTable(); }

    void codesAreTheKnownSequence()
    {
        const QStringList expected =
            QStringLiteral(
                "00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10 11 12 13 14 15 16 17 18 19 1A 1B 1C 1D "
                "1E 1F 20 21 22 23 24 25 26 27 28 29 2A 2B 2C 2D 2E 2F 30 31 32 33 34 35 36 37 38 39 3A 3B "
                "3C 3D 3E 40 41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50 51 52 53 54 55 56 57 58 59 5A "
                "5B 5C 60 61 62 63 64 65 66 67 68 6A 6C 6E 70 72 74 76 7A 7C 7E 80 81 82 83 84 85 86 87 88 "
                "89 8A 8B 8C 8D 8E 8F 90 91 92 93 94 95 96 97 98 99 9A 9B 9C 9D 9E 9F A0 A1 A2 A3 A4 A5 A6 "
                "A7 A8 A9 AA AC AE B0 B2 B4 B6 B8 BC BE BF C0 C1 C3 C5 C6 CA CC EE FF")
                .split(u' ');
        QCOMPARE(expected.size(), CodeTable::RowCount);
        for (int k = 0; k < CodeTable::RowCount; ++k)
            QCOMPARE(toQString(table.code(k)), expected.at(k));
    }

    void descriptionsHaveTheirForm()
    {
        QSet<QString> seen;
        for (int k = 0; k < CodeTable::RowCount; ++k) {
            const QString text = toQString(table.text(k));
            const QString code = toQString(table.code(k));
            const QByteArray where = code.toUtf8() + ": " + text.toUtf8();
            QVERIFY2(text.size() >= 5 && text.size() <= 115, where);
            QVERIFY2(!text.contains(code), where); // a description never repeats its code
            QVERIFY2(!text.contains(u'\r') && !text.contains(u'\n'), where);
            for (QChar c : text)
                QVERIFY2(!c.isSurrogate(), where); // every character lies in the BMP
            // The Windows window hands the texts to the system as they are: each must end in a NUL.
            QVERIFY2(table.text(k).data()[table.text(k).size()] == u'\0', where);
            QVERIFY2(table.code(k).data()[2] == u'\0', where);
            seen.insert(text);
        }
        QCOMPARE(seen.size(), CodeTable::RowCount);
    }

    void tellingRowsAreExact_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("text");
        const auto row = [](int slot, const char16_t *code, const char16_t *text) {
            QTest::newRow(QString::fromUtf16(code).toLatin1())
                << slot << QString::fromUtf16(code) << QString::fromUtf16(text);
        };
        row(0, u"00", u"已显示系统的配置；即将控制INI19引导装入。 . ");
        row(1, u"01",
            u"处理器测试1，处理器状态核实,如果测试失败，循环是无限的。 "
            u"处理器寄存器的测试即将开始，不可屏蔽中断即将停用。 CPU寄存器测试正在进行或者失败。 ");
        row(3, u"03",
            u"清除8042键盘控制器，发出TESTKBRD命令（AAH） 通电延迟已完成。 ROM "
            u"BIOS检查部件正在进行或失灵。 ");
        row(28, u"1C", u"测试CMOS检查总和。 . 第一个64DK RAM第12位故障。 ");
        row(41, u"29", u"已调定单色方式，即将调定彩色方式。 CMOS配置有效性的检查正在进行。 ");
        row(86, u"57", u" BIOS ROM数据区检查了一半；继续进行。 . ");
        row(89, u"5A", u"显示按'F2'键进行设置。");
        row(108, u"7A", u"锁键盘。 ");
        row(154, u"AC", u"进入设置. ");
        row(166, u"C3", u"第一个256K内存测试。 . . ");
        row(172, u"FF", u"给予INI19引导装入程序的控制，主板OK");
    }
    void tellingRowsAreExact()
    {
        QFETCH(int, slot);
        QFETCH(QString, code);
        QFETCH(QString, text);
        QCOMPARE(toQString(table.code(slot)), code);
        QCOMPARE(toQString(table.text(slot)), text);
    }

    void unfilledSlotsStayEmpty()
    {
        for (int k = CodeTable::RowCount; k <= CodeTable::LastSlot; ++k)
            QVERIFY2(table.code(k) == u"" && *table.code(k).data() == u'\0' && *table.text(k).data() == u'\0',
                     qPrintable(QString::number(k)));
    }

    // The last slot reads quietly as empty; a read outside the table is reported, and in a release
    // build yields an empty slot instead of foreign memory (in a debug build the assertion stops it).
    void readsAtAndOutsideTheBounds_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<bool>("outside");
        QTest::newRow("last slot") << 1024 << false;
        QTest::newRow("one past the end") << 1025 << true;
        QTest::newRow("negative") << -1 << true;
        QTest::newRow("far out") << 100000 << true;
    }
    void readsAtAndOutsideTheBounds()
    {
        QFETCH(int, slot);
        QFETCH(bool, outside);
        QProcess probe;
#ifdef SLOTPROBE_EMULATOR // a cross build's probe runs where its tests do
        probe.start(QStringLiteral(SLOTPROBE_EMULATOR), {QStringLiteral(SLOTPROBE), QString::number(slot)});
        // qemu-user 7 (Debian 12) refuses the clone with a pidfd that QProcess starts programs with.
        if (!probe.waitForStarted(30000) && probe.error() == QProcess::FailedToStart)
            QSKIP(qPrintable(QStringLiteral("the emulator cannot start the probe: ") + probe.errorString()));
#else
        probe.start(QStringLiteral(SLOTPROBE), {QString::number(slot)});
#endif
        QVERIFY(probe.waitForFinished(30000));
        const QString err = QString::fromUtf8(probe.readAllStandardError());
        QVERIFY2(outside ? err.contains(QStringLiteral("outside slots 0..1024")) : err.isEmpty(),
                 qPrintable(err));
#ifdef QT_NO_DEBUG
        const bool stopped = false;
#else
        const bool stopped = outside;
#endif
        QCOMPARE(probe.exitStatus(), stopped ? QProcess::CrashExit : QProcess::NormalExit);
        if (!stopped)
            QCOMPARE(probe.readAllStandardOutput().trimmed(), QByteArray("code=0 text=0"));
    }
};

QTEST_GUILESS_MAIN(TestCodeTable)
#include "tst_codetable.moc"
