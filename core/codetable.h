// The code table: every DEBUG code the tool knows, with the description the window shows for it.
#pragma once

#include <QString>
#include <QStringView>

#include <array>

// Two parallel arrays of fixed slots; a row is the pair (CardCodes[k], CardTexts[k]).
// Empty until FillCodeTable() runs, then never changed.
class CodeTable
{
public:
    static constexpr int SlotCount = 1025; // slots 0..1024
    static constexpr int LastSlot = SlotCount - 1;
    static constexpr int RowCount = 173;       // rows 0..172 are filled
    static constexpr int LastLookupSlot = 500; // a lookup considers slots 0..500 only

    CodeTable() { buildIndex(); }

    // Writes rows 0..172, code then description, in ascending slot order.
    void FillCodeTable();

    // Checked reads. A slot outside 0..LastSlot is a program error: it asserts in debug builds and
    // reports it and yields an empty string in release builds, so a bad read never goes unnoticed
    // and never touches memory outside the table.
    const QString &code(int slot) const;
    const QString &text(int slot) const;

    // A lookup aid derived from the codes when the table is filled: for each two-digit code (0..255)
    // the first slot in 0..LastLookupSlot whose code, lower-cased, spells it, or -1. It answers for
    // the whole range only if every code there is empty or two ASCII hex digits; otherwise
    // hexIndexComplete() is false and lookups must scan.
    int firstSlotOfCode(int value) const { return m_firstSlot[value & 0xFF]; }
    bool hexIndexComplete() const { return m_indexComplete; }

private:
    void buildIndex();

    std::array<QString, SlotCount> CardCodes;
    std::array<QString, SlotCount> CardTexts;
    std::array<qint16, 256> m_firstSlot;
    bool m_indexComplete;
};

// The value of exactly two ASCII hex digits in either case ("0b", "FF"), or -1 for any other text.
int hexPairValue(QStringView text);
