// Filling of the code table and its bounds-checked reads.
#include "codetable.h"

#include "coderows.h"

namespace
{

const QString &outOfBounds(int slot)
{
    qCritical("CodeTable: slot %d is outside 0..%d", slot, CodeTable::LastSlot);
    Q_ASSERT_X(false, "CodeTable", "slot outside the table");
    static const QString empty;
    return empty;
}

bool inBounds(int slot)
{
    return slot >= 0 && slot <= CodeTable::LastSlot;
}

} // namespace

void CodeTable::FillCodeTable()
{
    static_assert(std::size(CodeRows) == RowCount);
    static_assert(RowCount <= SlotCount);
    for (int k = 0; k < RowCount; ++k) {
        CardCodes[k] = CodeRows[k].code.toString();
        CardTexts[k] = CodeRows[k].text.toString();
    }
}

const QString &CodeTable::code(int slot) const
{
    return inBounds(slot) ? CardCodes[slot] : outOfBounds(slot);
}

const QString &CodeTable::text(int slot) const
{
    return inBounds(slot) ? CardTexts[slot] : outOfBounds(slot);
}
