// Address lookups scan the table linearly on every call (the simulation
// worker calls them for every polled element); these figures show what a
// large device table costs per lookup and per file read and write.
#include "devices/AddressLookup.h"
#include "devices/AddressTableFile.h"

#include <benchmark/benchmark.h>

namespace {

// 251 groups of 250 elements: the largest table the editor lets a user make.
AddressTable LargeTable()
{
    AddressTable table;
    for (int g = 0; g < 251; ++g) {
        ElementGroup group;
        group.name = "G" + std::to_string(g);
        group.elementType = g % 2 ? Word16ElementType : BitElementType;
        group.accessMode = g % 2 ? SingleWriteMode : WordBitMode;
        for (int e = 0; e < 250; ++e)
            group.elements.push_back({"E" + std::to_string(e), e / 16, e % 16});
        table.push_back(std::move(group));
    }
    return table;
}

const AddressTable& Table()
{
    static const AddressTable table = LargeTable();
    return table;
}

void BM_FindElementAddressLastGroupLastElement(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(FindElementAddress(Table(), "G250", "E249"));
}
BENCHMARK(BM_FindElementAddressLastGroupLastElement);

void BM_EncodeAddressMiddle(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(EncodeAddress(Table(), "G125", "E125"));
}
BENCHMARK(BM_EncodeAddressMiddle);

void BM_FormatLargeTable(benchmark::State& state)
{
    const DeviceKeys keys{"ModBus Slave.dll", 1, 256, 1};
    for (auto _ : state)
        benchmark::DoNotOptimize(FormatAddressTable(keys, "Big", Table()));
}
BENCHMARK(BM_FormatLargeTable)->Unit(benchmark::kMillisecond);

void BM_ParseLargeTable(benchmark::State& state)
{
    const std::string file = FormatAddressTable({"ModBus Slave.dll", 1, 256, 1}, "Big", Table());
    for (auto _ : state) {
        AddressTable read;
        benchmark::DoNotOptimize(ParseAddressTable(file, read));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_ParseLargeTable)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
