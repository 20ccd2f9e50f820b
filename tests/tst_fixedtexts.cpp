// The fixed texts: their exact lines and line breaks.
#include "fixedtexts.h"
#include "qttext.h"

#include <QTest>

class TestFixedTexts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lineStructure_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lines"); // lines separated by CR LF
        QTest::addColumn<bool>("endsWithBreak");
        QTest::addColumn<bool>("terminated");
        // The Windows window hands the texts to the system as they are: each must end in a NUL.
        const auto row = [](const char *name, std::u16string_view text, int lines, bool endsWithBreak) {
            QTest::newRow(name) << toQString(text) << lines << endsWithBreak
                                << (text.data()[text.size()] == u'\0');
        };
        row("StartupText", StartupText(), 4, true); // three lines and an empty fourth
        row("NoticeText", NoticeText(), 5, false);
        row("FfGuideText", FfGuideText(), 6, false);
        row("EmptyInputPrompt", EmptyInputPrompt(), 1, false);
        row("NoMatchPrompt", NoMatchPrompt(), 2, false);
        row("AppTitle", AppTitle(), 1, false);
    }
    void lineStructure()
    {
        QFETCH(QString, text);
        QFETCH(int, lines);
        QFETCH(bool, endsWithBreak);
        QFETCH(bool, terminated);
        QVERIFY(terminated);
        QCOMPARE(text.count(QStringLiteral("\r\n")), lines - 1);
        // No bare CR or LF: every break is a CR LF pair.
        QCOMPARE(text.count(u'\r'), lines - 1);
        QCOMPARE(text.count(u'\n'), lines - 1);
        QCOMPARE(text.endsWith(QStringLiteral("\r\n")), endsWithBreak);
        for (const QString &line :
             text.split(QStringLiteral("\r\n")).mid(0, endsWithBreak ? lines - 1 : lines))
            QVERIFY2(!line.isEmpty() && line.trimmed() == line, qPrintable(line));
    }

    void exactLines()
    {
        QCOMPARE(toQString(AppTitle()), QStringLiteral("tarnwick"));
        QCOMPARE(toQString(StartupText()).split(QStringLiteral("\r\n")).at(2),
                 QStringLiteral("本程序查询结果仅供参考！"));
        QCOMPARE(toQString(NoticeText()).split(QStringLiteral("\r\n")).at(3),
                 QStringLiteral("查询结果仅供参考!"));
        QCOMPARE(toQString(EmptyInputPrompt()), QStringLiteral("请输入要查询的DEBUG代码！"));
        QCOMPARE(toQString(NoMatchPrompt()),
                 QStringLiteral("没有匹配的结果！\r\n请正确输入要查询的DEBUG代码！"));
        QCOMPARE(toQString(FfGuideText()),
                 QStringLiteral(
                     "开机后主板测试卡直接显示FF或00的故障原因及排除方法：\r\n"
                     "开机直接显示FF或00，确实是CPU没有工作，但是CPU损坏的可能性远远低于下列四种原因：\r\n"
                     "一. "
                     "ATX电源损坏，缺少供给CPU的某组电压，也会出现FF或00，可以换一个好的电源试一下，如果正常"
                     "了说明原来的电源损坏，可以用万用表测量电源的20芯插头里面的各组电压与好的电源作比较，肯"
                     "定会发现毛病；\r\n"
                     "二. "
                     "主板CPU座下的焊点因为长时间的热胀冷缩，会出现脱焊（焊点开裂），也会出现FF或00，尤其是是"
                     "用老式直立式转接卡的CPU，转接卡的CPU座焊点开裂情况比较多，一般肉眼不容易看出来，要用放"
                     "大镜。修理方法：用热风枪对焊点均匀加热至焊点熔化;\r\n"
                     "三. "
                     "检查CPU附近的电解电容是否有爆裂，爆裂的电容上下都会鼓起，用肉眼很容易发现，可以用相同规"
                     "格的电容换上，故障就会排除；\r\n"
                     "四. "
                     "CPU附近的功率三极管烧毁，可以用万用表测量这些三极管，一般都表现为击穿（电阻值接近为零）"
                     "，找相同或可以代用的三极管更换即可，搞修理多的朋友一般会从报废主板上拆。"));
    }
};

QTEST_GUILESS_MAIN(TestFixedTexts)
#include "tst_fixedtexts.moc"
