// The built-in rows of the code table, kept apart so the knowledge can be reviewed in one place.
#pragma once

#include <QStringView>

struct CodeRow {
    QStringView code; // two upper-case hex digits
    QStringView text; // Award, AMI and Phoenix statements, in that order
};

extern const CodeRow CodeRows[173];
