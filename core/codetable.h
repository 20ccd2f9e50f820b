// The code table: every DEBUG code the tool knows, with the description the window shows for it.
#pragma once

#include <QString>

#include <array>

// Two parallel arrays of fixed slots; a row is the pair (CardCodes[k], CardTexts[k]).
// Empty until FillCodeTable() runs, then never changed.
class CodeTable
{
public:
    static constexpr int SlotCount = 1025; // slots 0..1024
    static constexpr int LastSlot = SlotCount - 1;
    static constexpr int RowCount = 173; // rows 0..172 are filled

    // Writes rows 0..172, code then description, in ascending slot order.
    void FillCodeTable();

    // Checked reads. A slot outside 0..LastSlot is a program error: it asserts in debug builds and
    // reports it and yields an empty string in release builds, so a bad read never goes unnoticed
    // and never touches memory outside the table.
    const QString &code(int slot) const;
    const QString &text(int slot) const;

private:
    std::array<QString, SlotCount> CardCodes;
    std::array<QString, SlotCount> CardTexts;
};
