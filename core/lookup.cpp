// LookupCode: a case-blind scan of the code slots.
#include "lookup.h"

namespace
{

// Whether code, lower-cased, equals key. Codes are ASCII, whose lower-casing maps each character to
// exactly one character, so they are folded in place instead of copied; any other code takes the
// general path and stays exact.
bool lowersTo(const QString &code, const QString &key)
{
    for (QChar c : code) {
        if (c.unicode() >= 0x80)
            return code.toLower() == key;
    }
    if (code.size() != key.size())
        return false;
    for (qsizetype j = 0; j < code.size(); ++j) {
        char16_t c = code[j].unicode();
        if (c >= u'A' && c <= u'Z')
            c = char16_t(c - u'A' + u'a');
        if (c != key[j].unicode())
            return false;
    }
    return true;
}

} // namespace

LookupResult LookupCode(const CodeTable &table, const QString &text)
{
    const QString key = text.toLower();
    if (key.isEmpty())
        return {LookupKind::EmptyInput, -1};

    qint16 i = 0; // 501 once the scan has passed the last slot
    while (i <= LastScannedSlot) {
        if (lowersTo(table.code(i), key))
            return {LookupKind::Found, i};
        ++i;
    }
    return {LookupKind::NoMatch, -1};
}
