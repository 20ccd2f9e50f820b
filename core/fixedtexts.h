// The texts the window shows besides the code descriptions. Lines are separated by CR LF.
#pragma once

#include <QString>

QString AppTitle();         // title of both message boxes
QString StartupText();      // result box at start; three lines, each ending with CR LF
QString NoticeText();       // result box after a refused query; five lines
QString FfGuideText();      // what to check when a board stops at FF or 00; six lines
QString EmptyInputPrompt(); // message box for an empty query
QString NoMatchPrompt();    // message box for a code without a row; two lines
