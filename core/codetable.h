// The code table: every DEBUG code the tool knows, with the description the window shows for it.
#pragma once

#include <array>
#include <string_view>

// Two parallel arrays of fixed slots; a row is the pair (CardCodes[k], CardTexts[k]).
// Empty until FillCodeTable() runs, then never changed. Every text it hands out views constant data
// that is followed by a NUL, so a window can take it as it is, without a copy.
class CodeTable
{
public:
    static constexpr int SlotCount = 1025; // slots 0..1024
    static constexpr int LastSlot = SlotCount - 1;
    static constexpr int RowCount = 173; // rows 0..172 are filled

    CodeTable(); // every slot empty

    // Writes rows 0..172, code then description, in ascending slot order.
    void FillCodeTable();

    // Checked reads. A slot outside 0..LastSlot is a program error: it asserts in debug builds and
    // reports it on stderr and yields an empty text in release builds, so a bad read never goes
    // unnoticed and never touches memory outside the table.
    std::u16string_view code(int slot) const;
    std::u16string_view text(int slot) const;

private:
    std::array<std::u16string_view, SlotCount> CardCodes;
    std::array<std::u16string_view, SlotCount> CardTexts;
};
