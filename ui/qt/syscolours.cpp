// The toolkit palette's roles that stand for the system colours.
#include "syscolours.h"

namespace
{

QPalette::ColorRole roleOf(SysColour which)
{
    switch (which) {
    case SysColour::ActiveCaption:
        return QPalette::Highlight;
    case SysColour::Window:
        return QPalette::Base;
    case SysColour::WindowText:
        return QPalette::Text;
    case SysColour::AppWorkspace:
        return QPalette::Dark;
    case SysColour::ButtonFace:
        return QPalette::Button;
    case SysColour::ButtonText:
        return QPalette::ButtonText;
    }
    return QPalette::WindowText;
}

} // namespace

Rgb systemColour(SysColour which, const QPalette &palette)
{
    return toRgb(palette.color(QPalette::Active, roleOf(which)));
}

WindowColours windowColours(const QPalette &palette)
{
    return windowColours([&](SysColour which) { return systemColour(which, palette); });
}
