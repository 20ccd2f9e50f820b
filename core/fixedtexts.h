// The texts the window shows besides the code descriptions. Lines are separated by CR LF. Each text
// views constant data that is followed by a NUL.
#pragma once

#include <string_view>

std::u16string_view AppTitle();         // title of both message boxes
std::u16string_view StartupText();      // result box at start; three lines, each ending with CR LF
std::u16string_view NoticeText();       // result box after a refused query; five lines
std::u16string_view FfGuideText();      // what to check when a board stops at FF or 00; six lines
std::u16string_view EmptyInputPrompt(); // message box for an empty query
std::u16string_view NoMatchPrompt();    // message box for a code without a row; two lines
