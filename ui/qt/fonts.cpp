// Face lists for the window's fonts.
#include "fonts.h"

#include <QFontDatabase>
#include <QStringList>

#include <array>

namespace
{

// Stand-ins for the Windows faces, in order of preference. One face for every control is one font to
// open at start-up, so the list is shared. Faces whose Latin letters are half as wide as a Han
// character come first: the captions were measured for SimSun's, and with proportional Latin
// "DEBUG代码：" no longer fits its line. The simplified-Chinese cuts come first within each design so
// that Han characters take their mainland forms, as the GB2312 character set would give them.
//
// The monospaced ones set every character as one glyph in a fixed cell, with no kerning and no
// ligatures, so the program's own texts come out the same to the pixel without the OpenType shaper
// (see windowFont). Proportional faces kern their Latin letters, and keep it.
const QStringList MonospacedStandIns = {
    QStringLiteral("Noto Sans Mono CJK SC"),
    QStringLiteral("WenQuanYi Zen Hei Mono"),
    QStringLiteral("WenQuanYi Micro Hei Mono"),
};
const QStringList ProportionalStandIns = {
    QStringLiteral("Noto Sans CJK SC"),    QStringLiteral("Source Han Sans SC"),
    QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("WenQuanYi Zen Hei"),
    QStringLiteral("AR PL UMing CN"),      QStringLiteral("AR PL UKai CN"),
    QStringLiteral("Droid Sans Fallback"),
};
const QStringList StandIns = MonospacedStandIns + ProportionalStandIns;

struct Choice {
    QStringList families;
    QFont::StyleHint hint;
    bool monospacedStandIn = false;
};

// The first installed face, alone: the face's own names first, then the stand-ins, then any other
// installed face that covers simplified Chinese, so that a desktop with none of those still gets
// Chinese from its face rather than by borrowing. A name that is not installed costs the toolkit a
// fontconfig fallback list for it, for each script, before it moves on to the next name, and naming
// more than one face makes it build one for the face it settles on as well. With one installed face
// named it builds none, unless the face lacks a character, and then borrows it in fontconfig's order
// for that face and the kind asked for (a serif caption borrows serif Latin letters). Only where no
// face is installed is every name given.
Choice choose(const QStringList &own, QFont::StyleHint hint, const QStringList &installed)
{
    const QStringList faces = own + StandIns;
    for (const QString &face : faces) {
        if (installed.contains(face, Qt::CaseInsensitive))
            return {{face}, hint, MonospacedStandIns.contains(face)};
    }
    const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    return {chinese.isEmpty() ? faces : chinese.mid(0, 1), hint};
}

} // namespace

QFont windowFont(form::Font wanted, Text text)
{
    // Chosen once, from one reading of the installed families, in the order of form::Face.
    static const std::array<Choice, 3> choices = [] {
        const QStringList installed = QFontDatabase::families();
        const QStringList yaHei = {QStringLiteral("微软雅黑"), QStringLiteral("Microsoft YaHei")};
        return std::array{
            choose(yaHei, QFont::SansSerif, installed),
            choose({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("NSimSun")},
                   QFont::Serif, installed),
            choose(QStringList{QStringLiteral("Microsoft YaHei UI")} + yaHei, QFont::SansSerif, installed),
        };
    }();
    const Choice &choice = choices[std::size_t(wanted.face)];

    QFont font;
    font.setFamilies(choice.families);
    font.setStyleHint(choice.hint);
    font.setPointSizeF(wanted.points);
    font.setWeight(wanted.bold ? QFont::Bold : QFont::Normal);
    // Bold drawn from the regular face, so that the bold font file need not be opened as well.
    if (wanted.bold)
        font.setStyleName(QStringLiteral("Regular"));
    // The program's own texts are Chinese, Latin letters, digits and punctuation. In a monospaced
    // stand-in they are laid out without the OpenType shaper, to the same pixels: at start-up that spares
    // reading and checking the face's substitution and positioning tables for every size, and most of
    // the shaper's code (about 2 M instructions and 1 MB). What the user types or pastes may be in any
    // script, so it is shaped.
    if (text == Text::Own && choice.monospacedStandIn)
        font.setStyleStrategy(QFont::PreferNoShaping);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}
