// Filling of the code table and its bounds-checked reads.
#include "codetable.h"

#include "coderows.h"

#include <cassert>
#include <cstdio>

namespace
{

// An empty slot is an empty text that still ends in a NUL, unlike a default string_view.
constexpr std::u16string_view Empty = u"";

std::u16string_view outOfBounds()
{
    std::fputs("CodeTable: a read outside slots 0..1024\n", stderr);
    assert(!"slot outside the table");
    return Empty;
}

bool inBounds(int slot)
{
    return slot >= 0 && slot <= CodeTable::LastSlot;
}

} // namespace

CodeTable::CodeTable()
{
    CardCodes.fill(Empty);
    CardTexts.fill(Empty);
}

void CodeTable::FillCodeTable()
{
    static_assert(std::size(CodeRows) == RowCount);
    static_assert(RowCount <= SlotCount);
    for (int k = 0; k < RowCount; ++k) {
        CardCodes[k] = CodeRows[k].code;
        CardTexts[k] = CodeRows[k].text;
    }
}

std::u16string_view CodeTable::code(int slot) const
{
    return inBounds(slot) ? CardCodes[slot] : outOfBounds();
}

std::u16string_view CodeTable::text(int slot) const
{
    return inBounds(slot) ? CardTexts[slot] : outOfBounds();
}
