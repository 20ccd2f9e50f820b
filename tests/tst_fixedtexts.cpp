// The fixed texts: their exact lines and line breaks.
#include "fixedtexts.h"
#include "qttext.h"

#include <QTest>

class TestFixedTexts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each text split at CR LF, line by line. A null line is the program's own wording: it must be there,
    // with no blank at either end. A text that ends with a break has an empty last line.
    void lines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("terminated");
        QTest::addColumn<QStringList>("lines");
        // The Windows window hands the texts to the system as they are: each must end in a NUL.
        const auto row = [](const char *name, std::u16string_view text, const QStringList &lines) {
            QTest::newRow(name) << toQString(text) << (text.data()[text.size()] == u'\0') << lines;
        };
        const QString own;
        row("AppTitle", AppTitle(), {QStringLiteral("tarnwick")});
        row("StartupText", StartupText(),
            {own, own, QStringLiteral("本程序查询结果仅供参考！"), QStringLiteral("")});
        row("NoticeText", NoticeText(), {own, own, own, QStringLiteral("查询结果仅供参考!"), own});
        row("EmptyInputPrompt", EmptyInputPrompt(), {QStringLiteral("请输入要查询的DEBUG代码！")});
        row("NoMatchPrompt", NoMatchPrompt(),
            {QStringLiteral("没有匹配的结果！"), QStringLiteral("请正确输入要查询的DEBUG代码！")});
        row("FfGuideText", FfGuideText(),
            {QStringLiteral("开机后主板测试卡直接显示FF或00的故障原因及排除方法："),
             QStringLiteral(
                 "开机直接显示FF或00，确实是CPU没有工作，但是CPU损坏的可能性远远低于下列四种原因："),
             QStringLiteral(
                 "一. "
                 "ATX电源损坏，缺少供给CPU的某组电压，也会出现FF或00，可以换一个好的电源试一下，如果正常"
                 "了说明原来的电源损坏，可以用万用表测量电源的20芯插头里面的各组电压与好的电源作比较，肯"
                 "定会发现毛病；"),
             QStringLiteral(
                 "二. "
                 "主板CPU座下的焊点因为长时间的热胀冷缩，会出现脱焊（焊点开裂），也会出现FF或00，尤其是是"
                 "用老式直立式转接卡的CPU，转接卡的CPU座焊点开裂情况比较多，一般肉眼不容易看出来，要用放"
                 "大镜。修理方法：用热风枪对焊点均匀加热至焊点熔化;"),
             QStringLiteral(
                 "三. "
                 "检查CPU附近的电解电容是否有爆裂，爆裂的电容上下都会鼓起，用肉眼很容易发现，可以用相同规"
                 "格的电容换上，故障就会排除；"),
             QStringLiteral(
                 "四. "
                 "CPU附近的功率三极管烧毁，可以用万用表测量这些三极管，一般都表现为击穿（电阻值接近为零）"
                 "，找相同或可以代用的三极管更换即可，搞修理多的朋友一般会从报废主板上拆。")});
    }
    void lines()
    {
        QFETCH(QString, text);
        QFETCH(bool, terminated);
        QFETCH(QStringList, lines);
        QVERIFY(terminated);
        const QStringList actual = text.split(QStringLiteral("\r\n"));
        QCOMPARE(actual.size(), lines.size());
        // No bare CR or LF: every break is a CR LF pair.
        QCOMPARE(text.count(u'\r') + text.count(u'\n'), 2 * (lines.size() - 1));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (lines.at(i).isNull())
                QVERIFY2(!actual.at(i).isEmpty() && actual.at(i).trimmed() == actual.at(i),
                         qPrintable(actual.at(i)));
            else
                QCOMPARE(actual.at(i), lines.at(i));
        }
    }
};

QTEST_GUILESS_MAIN(TestFixedTexts)
#include "tst_fixedtexts.moc"
