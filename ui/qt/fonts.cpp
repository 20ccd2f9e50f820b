// Face lists for the window's fonts.
#include "fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace
{

// Stand-ins for the Windows faces, in order of preference. One face for every control is one font to
// open at start-up, so the list is shared. Faces whose Latin letters are half as wide as a Han
// character come first: the captions were measured for SimSun's, and with proportional Latin
// "DEBUG代码：" no longer fits its line. The simplified-Chinese cuts come first within each design so
// that Han characters take their mainland forms, as the GB2312 character set would give them.
QStringList standIns()
{
    QStringList faces = {
        QStringLiteral("Noto Sans Mono CJK SC"),
        QStringLiteral("WenQuanYi Zen Hei Mono"),
        QStringLiteral("WenQuanYi Micro Hei Mono"),
        QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("Source Han Sans SC"),
        QStringLiteral("WenQuanYi Micro Hei"),
        QStringLiteral("WenQuanYi Zen Hei"),
        QStringLiteral("AR PL UMing CN"),
        QStringLiteral("AR PL UKai CN"),
        QStringLiteral("Droid Sans Fallback"),
    };
    // Then any other installed face that covers simplified Chinese, so that a desktop with none of
    // the faces above still gets Chinese from its first face rather than by borrowing.
    for (const QString &family : QFontDatabase::families(QFontDatabase::SimplifiedChinese)) {
        if (!faces.contains(family))
            faces.append(family);
    }
    return faces;
}

} // namespace

QFont windowFont(form::Font wanted)
{
    static const QStringList fallback = standIns();
    static const QStringList sans =
        QStringList{QStringLiteral("微软雅黑"), QStringLiteral("Microsoft YaHei")} + fallback;
    static const QStringList serif =
        QStringList{QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("NSimSun")} + fallback;
    static const QStringList ui = QStringList{QStringLiteral("Microsoft YaHei UI")} + sans;

    using form::Face;
    QFont font;
    font.setFamilies(wanted.face == Face::YaHei ? sans : wanted.face == Face::SimSun ? serif : ui);
    font.setStyleHint(wanted.face == Face::SimSun ? QFont::Serif : QFont::SansSerif);
    font.setPointSizeF(wanted.points);
    font.setWeight(wanted.bold ? QFont::Bold : QFont::Normal);
    // Bold drawn from the regular face, so that the bold font file need not be opened as well.
    if (wanted.bold)
        font.setStyleName(QStringLiteral("Regular"));
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}
