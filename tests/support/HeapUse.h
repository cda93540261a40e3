#pragma once

// The bytes the program holds from the heap, for tests that bound what a
// reader keeps or takes at its peak. Under AddressSanitizer the sanitizer's
// allocator counts them.

#include <atomic>
#include <cstddef>
#include <cstdint>

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
extern "C" std::size_t __sanitizer_get_allocated_size(const volatile void* block);
extern "C" int __sanitizer_install_malloc_and_free_hooks(
    void (*onMalloc)(const volatile void*, std::size_t), void (*onFree)(const volatile void*));

inline std::size_t HeapBytesInUse()
{
    return __sanitizer_get_current_allocated_bytes();
}

namespace heap_peak {

inline std::atomic<bool> counting{false};
inline std::atomic<std::int64_t> held{0};
inline std::atomic<std::int64_t> peak{0};

inline void OnMalloc(const volatile void*, std::size_t size)
{
    if (!counting)
        return;
    const std::int64_t now = held += static_cast<std::int64_t>(size);
    std::int64_t seen = peak;
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
}

inline void OnFree(const volatile void* block)
{
    if (counting && block)
        held -= static_cast<std::int64_t>(__sanitizer_get_allocated_size(block));
}

// Installs the hooks once for the whole process: each call would add a pair.
inline bool Installed()
{
    static const bool installed = __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree) != 0;
    return installed;
}

} // namespace heap_peak

// The most heap bytes held at once while `action` ran, beyond those held
// when it began, counted at every allocation.
template <class Action>
std::size_t HeapPeakDuring(Action action)
{
    if (!heap_peak::Installed())
        return SIZE_MAX;
    heap_peak::held = 0;
    heap_peak::peak = 0;
    heap_peak::counting = true;
    action();
    heap_peak::counting = false;
    return static_cast<std::size_t>(heap_peak::peak.load());
}
#else
#include <malloc.h>

#include <fstream>
#include <string>

inline std::size_t HeapBytesInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// A line "<key> <n> kB" of /proc/self/status, in bytes.
inline std::size_t ProcessStatusBytes(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    std::string word;
    std::size_t kilobytes = 0;
    while (status >> word)
        if (word == key && status >> kilobytes)
            return kilobytes * 1024;
    return 0;
}

// Without the sanitizer's allocation hooks: the rise of the process's peak
// resident size while `action` ran (the peak is reset first), which counts
// the heap pages the action touched.
template <class Action>
std::size_t HeapPeakDuring(Action action)
{
    std::ofstream("/proc/self/clear_refs") << "5";
    const std::size_t before = ProcessStatusBytes("VmRSS:");
    action();
    const std::size_t peak = ProcessStatusBytes("VmHWM:");
    return peak > before ? peak - before : 0;
}
#endif
