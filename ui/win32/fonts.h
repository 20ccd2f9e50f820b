// The window's fonts on Windows: each face it names with the simplified-Chinese character set, or the
// face Windows puts in for it that shows Chinese where it is missing, at the same size and weight.
#pragma once

#include "form.h"

#include <windows.h>

// The font a control asks for, at a DPI. The caller deletes it.
HFONT createFont(form::Font font, UINT dpi);

// What createFont asks for, for a caller that draws with a variant of it.
LOGFONTW fontRequest(form::Font font, UINT dpi);
