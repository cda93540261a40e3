#pragma once

// Memory figures the benchmarks report, in megabytes (10^6 bytes).

#include "support/HeapUse.h"

#include <malloc.h>
#include <unistd.h>

#include <fstream>

// Bytes the program holds from the heap (small blocks and mapped large ones).
inline double HeapMegabytes()
{
    return static_cast<double>(HeapBytesInUse()) / 1e6;
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

// Gives the memory freed so far back to the system, so that a benchmark pays
// for touching new pages as it would in a process of its own, whatever ran
// before it.
inline void StartWithFreshPages()
{
    malloc_trim(0);
}
