// The fonts of the window: the faces it names, and what stands in where they are not installed.
#pragma once

#include <QFont>

enum class Face {
    YaHei,  // 微软雅黑: sans serif
    SimSun, // 宋体: serif, used for the captions
    Default // the window's own font, used by the window, its buttons, menus and message boxes
};

// The face first, then installed stand-ins that cover simplified Chinese. A character that the chosen
// face lacks is borrowed from another installed font, so no text is ever drawn as empty boxes.
QFont windowFont(Face face, qreal pointSize, QFont::Weight weight);
