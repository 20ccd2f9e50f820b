// Reads one slot of a filled code table and prints its code's length: slotprobe SLOT
// Lets a test watch what an out-of-bounds read does without risking its own process.
#include "codetable.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    if (argc != 2)
        return 2;
    CodeTable table;
    table.FillCodeTable();
    const int slot = std::atoi(argv[1]);
    std::printf("code=%lld text=%lld\n", static_cast<long long>(table.code(slot).size()),
                static_cast<long long>(table.text(slot).size()));
    return 0;
}
