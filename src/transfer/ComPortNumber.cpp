#include "transfer/ComPortNumber.h"

#include "transfer/ComPortNames.h"

#include <atomic>

namespace {

std::atomic<int> g_comPortNumber{1};

} // namespace

int ComPortNumber()
{
    return g_comPortNumber.load();
}

void SetComPortNumber(int number)
{
    g_comPortNumber.store(number >= 1 && number <= kMaxComPortNumber ? number : 1);
}
