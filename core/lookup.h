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
inline constexpr int LastScannedSlot = 500;
static_assert(CodeTable::RowCount - 1 <= LastScannedSlot && LastScannedSlot <= CodeTable::LastSlot);

// Lower-cases the whole text (nothing trimmed) and returns the first slot in 0..500 whose code,
// lower-cased, equals it, scanning the slots in order. Any text at all gives one of the three kinds;
// it never reads outside the table.
LookupResult LookupCode(const CodeTable &table, const QString &text);
