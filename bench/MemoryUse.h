#pragma once

// Memory figures the benchmarks report, in megabytes (10^6 bytes).

#include <malloc.h>
#include <unistd.h>

#include <fstream>

// Bytes the program holds from the heap (small blocks and mapped large ones).
inline double HeapMegabytes()
{
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd) / 1e6;
}

// The process's resident memory.
inline double ResidentMegabytes()
{
    std::ifstream statm("/proc/self/statm");
    long long total = 0;
    long long resident = 0;
    statm >> total >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1e6;
}
