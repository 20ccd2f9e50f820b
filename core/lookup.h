// Finding the row that a typed code names.
#pragma once

#include "codetable.h"

#include <cstdint>
#include <string_view>

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
//
// Lower-casing is the platform's own, so that the window agrees with the desktop it runs on: `lower`
// takes a text and returns its lower-cased copy as a value with size() and ==, such as a QString or
// a buffer of the Windows window's.
template <typename Lower>
LookupResult LookupCode(const CodeTable &table, std::u16string_view text, const Lower &lower)
{
    const auto key = lower(text);
    if (key.size() == 0)
        return {LookupKind::EmptyInput, -1};

    std::int16_t i = 0; // 501 once the scan has passed the last slot
    while (i <= LastScannedSlot) {
        if (lower(table.code(i)) == key)
            return {LookupKind::Found, i};
        ++i;
    }
    return {LookupKind::NoMatch, -1};
}
