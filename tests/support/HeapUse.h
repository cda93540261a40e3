#pragma once

// The bytes the program holds from the heap, for tests that bound what a
// reader keeps. Under AddressSanitizer the sanitizer's allocator counts them.

#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
#define VX50_HEAP_COUNTED_BY_ASAN
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VX50_HEAP_COUNTED_BY_ASAN
#endif
#endif

#ifdef VX50_HEAP_COUNTED_BY_ASAN
// Declared here: the sanitizer's headers are not always installed.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();

inline std::size_t HeapBytesInUse()
{
    return __sanitizer_get_current_allocated_bytes();
}
#else
#include <malloc.h>

inline std::size_t HeapBytesInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}
#endif
