// The window FrmDc described once for every toolkit: its title and size, and each control's place in
// twips, caption and font. Each front-end (qt/, win32/) builds the same window from this.
#pragma once

#include <string_view>

namespace form
{

// Places and sizes are in twips: 1440 to the inch, so 15 to the pixel at 96 dpi.
constexpr int TwipsPerInch = 1440;

// Twips as pixels at a display's dots per inch, to the nearest pixel.
constexpr int pixels(int twips, int dpi)
{
    return (twips * dpi + TwipsPerInch / 2) / TwipsPerInch;
}

struct Rect {
    int left, top, width, height; // from the top-left corner of the window's client area
};

enum class Face {
    YaHei,  // 微软雅黑: sans serif
    SimSun, // 宋体: serif, used for the captions
    Default // the window's own font: the window, its buttons and message boxes
};

struct Font {
    Face face;
    double points;
    bool bold;
};

struct Control {
    const char *name; // the control's name, also its object name in Qt
    Rect place;
    std::u16string_view caption; // of a label or button; the boxes' texts are set at start-up
    Font font;
};

inline constexpr std::u16string_view Title = u"DEBUG代码查询系统";
inline constexpr int ClientWidth = 3735;
inline constexpr int ClientHeight = 3615;

// The default font, used where a control names none. At 9 pt it matches the classic dialog fonts.
inline constexpr Font DefaultFont{Face::Default, 9, false};

// In tab order. The labels are never focused; they lie beneath the boxes and buttons.
inline constexpr Control TxtC{"TxtC", {2520, 120, 855, 510}, u"", {Face::YaHei, 15.75, false}};
inline constexpr Control Label1{"Label1", {360, 240, 2295, 375}, u"DEBUG代码：", {Face::SimSun, 18, true}};
inline constexpr Control CmdOK{"CmdOK", {120, 3000, 1095, 495}, u"查询", DefaultFont};
inline constexpr Control Cmdm{"Cmdm", {1320, 3000, 1095, 495}, u"更多", DefaultFont};
inline constexpr Control CmdCE{"CmdCE", {2520, 3000, 1095, 495}, u"退出", DefaultFont};
inline constexpr Control TxtGD{"TxtGD", {120, 1200, 3495, 1695}, u"", {Face::YaHei, 10.5, true}};
inline constexpr Control Label3{"Label3",
                                {120, 720, 3495, 495},
                                u"代码适用：Award BIOS、Ami BIOS、Phoenix BIOS、Tandy 3000 BIOS",
                                {Face::SimSun, 10.5, false}};

// The code box takes at most this many characters from the user.
inline constexpr int CodeLimit = 2;

// What a screen reader calls the two boxes.
inline constexpr std::u16string_view CodeBoxName = u"DEBUG代码";
inline constexpr std::u16string_view ResultBoxName = u"查询结果";

} // namespace form
