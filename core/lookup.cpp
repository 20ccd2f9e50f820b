// LookupCode: finding the slot of a typed code, case-blind, by index or by scan.
#include "lookup.h"

LookupResult LookupCode(const CodeTable &table, const QString &text)
{
    if (!table.hexIndexComplete())
        return ScanForCode(table, text);
    if (text.isEmpty()) // lower-casing never empties a text, nor fills an empty one
        return {LookupKind::EmptyInput, -1};
    const int value = hexPairValue(text);
    const int slot = value < 0 ? -1 : table.firstSlotOfCode(value);
    if (slot < 0)
        return {LookupKind::NoMatch, -1};
    return {LookupKind::Found, slot};
}

LookupResult ScanForCode(const CodeTable &table, const QString &text)
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
