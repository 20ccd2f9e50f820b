// The built-in rows of the code table, kept apart so the knowledge can be reviewed in one place.
#pragma once

#include <string_view>

struct CodeRow {
    std::u16string_view code; // two upper-case hex digits
    std::u16string_view text; // Award, AMI and Phoenix statements, in that order
};

extern const CodeRow CodeRows[173];
