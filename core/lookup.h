// Finding the row that a typed code names.
#pragma once

#include "codetable.h"

#include <QString>

enum class LookupKind { Found, EmptyInput, NoMatch };

struct LookupResult {
    LookupKind kind = LookupKind::NoMatch;
    int slot = -1; // 0..LastScannedSlot when kind is Found, otherwise -1
};

// The scan looks at slots 0..500 only; the filled rows all lie below that.
inline constexpr int LastScannedSlot = CodeTable::LastLookupSlot;

// Lower-cases the whole text (nothing trimmed) and returns the first slot in 0..500 whose code,
// lower-cased, equals it. Any text at all gives one of the three kinds; it never reads outside the
// table. Answered from the table's index when it has a complete one, otherwise by ScanForCode.
LookupResult LookupCode(const CodeTable &table, const QString &text);

// The same answer by walking the slots one by one; the reference that the index must agree with.
LookupResult ScanForCode(const CodeTable &table, const QString &text);
