// The fonts of the window: the faces it names, and what stands in where they are not installed.
#pragma once

#include "form.h"

#include <QFont>

// The named face where it is installed, else the first installed stand-in that covers simplified
// Chinese. A character that the chosen face lacks is borrowed from another installed font, so no text
// is ever drawn as empty boxes.
// Own: the program's own texts; Typed: what the user types or pastes.
enum class Text { Own, Typed };
QFont windowFont(form::Font font, Text text = Text::Own);
