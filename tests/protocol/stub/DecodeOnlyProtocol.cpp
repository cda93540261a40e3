// A protocol library that exports GetIDandAddress alone: enough for reading
// a panel, too little for writing, compiling or simulating.

#include "transfer/ProtocolEntryPoints.h"

extern "C" __attribute__((visibility("default"))) int GetIDandAddress(int, const unsigned char*, int, int,
    unsigned char* decoded, int*, int*, int*)
{
    for (int i = 0; i < 7; ++i)
        decoded[i] = 0;
    return 0;
}

static_assert(sizeof(&GetIDandAddress) == sizeof(GetIDandAddressFn));
