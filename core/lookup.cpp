// LookupCode: finding the slot of a typed code, case-blind, by scanning the table in slot order.
#include "lookup.h"

LookupResult LookupCode(const CodeTable &table, const QString &text)
{
    const QString key = text.toLower();
    if (key.isEmpty())
        return {LookupKind::EmptyInput, -1};

    qint16 i = 0; // 501 once the scan has passed the last slot
    while (i <= LastScannedSlot) {
        if (table.code(i).toLower() == key)
            return {LookupKind::Found, i};
        ++i;
    }
    return {LookupKind::NoMatch, -1};
}
