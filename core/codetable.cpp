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

int hexDigit(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

} // namespace

int hexPairValue(QStringView text)
{
    if (text.size() != 2)
        return -1;
    const int high = hexDigit(text[0].unicode());
    const int low = hexDigit(text[1].unicode());
    return high < 0 || low < 0 ? -1 : high * 16 + low;
}

void CodeTable::buildIndex()
{
    m_firstSlot.fill(-1);
    m_indexComplete = true;
    // From the top down, so that the first slot holding a code is the one that stays.
    for (int k = LastLookupSlot; k >= 0; --k) {
        const QString &code = CardCodes[k];
        if (code.isEmpty())
            continue;
        // A typed key equals this code lower-cased exactly when both are two ASCII hex digits of the
        // same value: no other character lower-cases to 0-9 or a-f, so neither side needs lowering.
        const int value = hexPairValue(code);
        if (value < 0)
            m_indexComplete = false;
        else
            m_firstSlot[value] = qint16(k);
    }
}

void CodeTable::FillCodeTable()
{
    static_assert(std::size(CodeRows) == RowCount);
    static_assert(RowCount <= SlotCount);
    for (int k = 0; k < RowCount; ++k) {
        CardCodes[k] = CodeRows[k].code.toString();
        CardTexts[k] = CodeRows[k].text.toString();
    }
    buildIndex();
}

const QString &CodeTable::code(int slot) const
{
    return inBounds(slot) ? CardCodes[slot] : outOfBounds(slot);
}

const QString &CodeTable::text(int slot) const
{
    return inBounds(slot) ? CardTexts[slot] : outOfBounds(slot);
}
