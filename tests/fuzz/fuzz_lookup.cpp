// libFuzzer target: any UTF-16 text handed to LookupCode gets one of the three answers, the right one.
#include "codetable.h"
#include "lookup.h"

#include <QString>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{

const CodeTable &filledTable()
{
    static const CodeTable *table = [] {
        // A read outside the table reports itself; here that report is a crash the fuzzer keeps.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::abort();
        });
        auto *t = new CodeTable;
        t->FillCodeTable();
        return t;
    }();
    return *table;
}

void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const CodeTable &table = filledTable();
    std::vector<char16_t> units(size / 2);
    if (!units.empty())
        std::memcpy(units.data(), data, units.size() * sizeof(char16_t)); // the input may be unaligned
    const QString text = QString::fromUtf16(units.data(), qsizetype(units.size()));

    const LookupResult result = LookupCode(table, text);
    const LookupResult scanned = ScanForCode(table, text); // the slot-by-slot definition
    require(result.kind == scanned.kind && result.slot == scanned.slot);
    switch (result.kind) {
    case LookupKind::Found:
        require(result.slot >= 0 && result.slot < CodeTable::RowCount);
        require(table.code(result.slot).toLower() == text.toLower());
        break;
    case LookupKind::EmptyInput:
        require(text.isEmpty() && result.slot == -1);
        break;
    case LookupKind::NoMatch:
        require(!text.isEmpty() && result.slot == -1);
        for (int k = 0; k < CodeTable::RowCount; ++k)
            require(table.code(k).toLower() != text.toLower());
        break;
    default:
        std::abort();
    }
    return 0;
}
