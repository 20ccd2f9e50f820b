// libFuzzer target: any UTF-16 text handed to LookupCode gets one of the three answers, the right one.
#include "codetable.h"
#include "lookup.h"
#include "qttext.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{

// The rule as a user would put it, without lower-casing: a text names a row exactly when it is that
// row's code with any of its letters written in small. Returns the row, or -1.
int rowNamedBy(const CodeTable &table, std::u16string_view text)
{
    if (text.size() != 2)
        return -1;
    char16_t asStored[2];
    for (int i = 0; i < 2; ++i) {
        const char16_t u = text[i];
        if (u >= u'a' && u <= u'f')
            asStored[i] = char16_t(u - u'a' + u'A');
        else if ((u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'F'))
            asStored[i] = u;
        else
            return -1;
    }
    for (int k = 0; k < CodeTable::RowCount; ++k) {
        if (table.code(k) == std::u16string_view(asStored, 2))
            return k;
    }
    return -1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // A read outside the table asserts: built with assertions on, that is a crash the fuzzer keeps.
    static const CodeTable &table = *[] {
        auto *t = new CodeTable;
        t->FillCodeTable();
        return t;
    }();
    std::vector<char16_t> units(size / 2);
    if (!units.empty())
        std::memcpy(units.data(), data, units.size() * sizeof(char16_t)); // the input may be unaligned
    const std::u16string_view text(units.data(), units.size());

    const LookupResult result = LookupCode(table, text, QtLower{});
    const int row = rowNamedBy(table, text);
    const LookupKind expected = text.empty() ? LookupKind::EmptyInput
                                : row < 0    ? LookupKind::NoMatch
                                             : LookupKind::Found;
    if (result.kind != expected || result.slot != row)
        std::abort();
    return 0;
}
