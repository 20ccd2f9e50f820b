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
    // Qt 6.4 does not tell whether the desktop is in a high-contrast theme: the palette is all there is.
    const auto system = [&](SysColour which) { return systemColour(which, palette); };
    return windowColours(system,
                         isHighContrast(system(SysColour::ButtonText), system(SysColour::ButtonFace)));
}
