// LookupCode and FillCodeTable, each beside a baseline built from the same table.
#include "codetable.h"
#include "lookup.h"

#include <benchmark/benchmark.h>

#include <array>

namespace
{

const CodeTable &filledTable()
{
    static const CodeTable table = [] {
        CodeTable t;
        t.FillCodeTable();
        return t;
    }();
    return table;
}

// Baseline: the cheapest possible answer, a 256-entry array indexed by the two digits' value.
class DirectIndex
{
public:
    explicit DirectIndex(const CodeTable &table)
    {
        m_slot.fill(-1);
        for (int k = 0; k < CodeTable::RowCount; ++k)
            m_slot[table.code(k).toUShort(nullptr, 16)] = k;
    }
    // Not inlined: LookupCode is a call into the core library, and so is this.
    [[gnu::noinline]] int find(const QString &text) const
    {
        if (text.size() != 2)
            return -1;
        const int high = digit(text[0].unicode()), low = digit(text[1].unicode());
        return high < 0 || low < 0 ? -1 : m_slot[high * 16 + low];
    }

private:
    static int digit(char16_t c)
    {
        if (c >= u'0' && c <= u'9')
            return c - u'0';
        c |= 0x20;
        return c >= u'a' && c <= u'f' ? c - u'a' + 10 : -1;
    }
    std::array<int, 256> m_slot;
};

const QString &key(int which)
{
    static const QString keys[] = {QStringLiteral("00"), QStringLiteral("ff"), QStringLiteral("3F"),
                                   QString()};
    return keys[which];
}
const char *const keyNames[] = {"first_slot", "last_row", "miss", "empty"};

void BM_LookupCode(benchmark::State &state)
{
    const CodeTable &table = filledTable();
    const QString &text = key(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(LookupCode(table, text));
    state.SetLabel(keyNames[state.range(0)]);
}

void BM_ScanForCode(benchmark::State &state)
{
    const CodeTable &table = filledTable();
    const QString &text = key(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ScanForCode(table, text));
    state.SetLabel(keyNames[state.range(0)]);
}

void BM_Baseline_DirectIndex(benchmark::State &state)
{
    static const DirectIndex index(filledTable());
    const QString &text = key(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(index.find(text));
    state.SetLabel(keyNames[state.range(0)]);
}

void BM_FillCodeTable(benchmark::State &state)
{
    for (auto _ : state) {
        CodeTable table;
        table.FillCodeTable();
        benchmark::DoNotOptimize(table);
    }
}

// Baseline for the fill: making the same 173 pairs of strings from the same data, with no table.
void BM_Baseline_CopyRows(benchmark::State &state)
{
    const CodeTable &source = filledTable();
    for (auto _ : state) {
        std::array<QString, 2 * CodeTable::RowCount> copies;
        for (int k = 0; k < CodeTable::RowCount; ++k) {
            copies[2 * k] = QString(source.code(k).constData(), source.code(k).size());
            copies[2 * k + 1] = QString(source.text(k).constData(), source.text(k).size());
        }
        benchmark::DoNotOptimize(copies);
    }
}

} // namespace

BENCHMARK(BM_LookupCode)->DenseRange(0, 3);
BENCHMARK(BM_ScanForCode)->DenseRange(0, 3);
BENCHMARK(BM_Baseline_DirectIndex)->DenseRange(0, 3);
BENCHMARK(BM_FillCodeTable);
BENCHMARK(BM_Baseline_CopyRows);
BENCHMARK_MAIN();
