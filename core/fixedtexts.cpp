// The fixed texts of the window: start text, refusal notice, FF/00 guide, message prompts. Each is
// composed of its lines at compile time: a line, CR LF, the next line.
#include "fixedtexts.h"

std::u16string_view AppTitle()
{
    return u"tarnwick";
}

std::u16string_view StartupText()
{
    // Each of the three lines ends with CR LF, so the box shows an empty fourth line.
    return u"tarnwick 主板DEBUG代码查询工具 · tarnwick 开发组\r\n"
           u"问题与建议：请到 tarnwick 项目主页的问题跟踪处反馈\r\n"
           u"本程序查询结果仅供参考！\r\n";
}

std::u16string_view NoticeText()
{
    return u"tarnwick 开发组 · 主板维修辅助工具\r\n"
           u"交流：欢迎到 tarnwick 项目讨论区交流维修经验\r\n"
           u"本程序供主板维修人员免费使用，请勿用于非法用途\r\n"
           u"查询结果仅供参考!\r\n"
           u"未经许可，禁止复制、传播本程序";
}

std::u16string_view FfGuideText()
{
    return u"开机后主板测试卡直接显示FF或00的故障原因及排除方法：\r\n"
           u"开机直接显示FF或00，确实是CPU没有工作，但是CPU损坏的可能性远远低于下列四种原因：\r\n"
           u"一. "
           u"ATX电源损坏，缺少供给CPU的某组电压，也会出现FF或00，可以换一个好的电源试一下，如果正常了说明原来"
           u"的"
           u"电源损坏，可以用万用表测量电源的20芯插头里面的各组电压与好的电源作比较，肯定会发现毛病；\r\n"
           u"二. "
           u"主板CPU座下的焊点因为长时间的热胀冷缩，会出现脱焊（焊点开裂），也会出现FF或00，尤其是是用老式直"
           u"立式"
           u"转接卡的CPU，转接卡的CPU座焊点开裂情况比较多，一般肉眼不容易看出来，要用放大镜。修理方法：用热风"
           u"枪"
           u"对焊点均匀加热至焊点熔化;\r\n"
           u"三. "
           u"检查CPU附近的电解电容是否有爆裂，爆裂的电容上下都会鼓起，用肉眼很容易发现，可以用相同规格的电容"
           u"换上"
           u"，故障就会排除；\r\n"
           u"四. "
           u"CPU附近的功率三极管烧毁，可以用万用表测量这些三极管，一般都表现为击穿（电阻值接近为零），找相同"
           u"或可"
           u"以代用的三极管更换即可，搞修理多的朋友一般会从报废主板上拆。";
}

std::u16string_view EmptyInputPrompt()
{
    return u"请输入要查询的DEBUG代码！";
}

std::u16string_view NoMatchPrompt()
{
    return u"没有匹配的结果！\r\n请正确输入要查询的DEBUG代码！";
}
