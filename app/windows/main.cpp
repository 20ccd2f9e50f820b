// Entry point of the Windows program: the main window, which fills its code table as it loads, and its
// messages until it is closed. The command line is not read.
#include "frmdc.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    FrmDc window;
    if (!window.start(instance, show))
        return 1;
    return window.run();
}
