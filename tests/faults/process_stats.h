#pragma once

#include <malloc.h>

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
#define QUELLMARK_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUELLMARK_ADDRESS_SANITIZER 1
#endif
#endif

namespace quellmark::faults {

// What this process holds, read from /proc and the allocator.

// Under AddressSanitizer freed memory is held back in quarantine and the allocator is not
// glibc's, so resident and heap figures say nothing about the program; LeakSanitizer watches
// for leaks there instead.
#ifdef QUELLMARK_ADDRESS_SANITIZER
inline constexpr bool kMemoryFiguresMeaningful = false;
#else
inline constexpr bool kMemoryFiguresMeaningful = true;
#endif

inline long OpenFileDescriptorCount() {
    const std::filesystem::directory_iterator entries("/proc/self/fd");
    return long(std::distance(begin(entries), end(entries)));
}

// Bytes the program has allocated and not freed, mmap'ed blocks included.
inline std::size_t HeapBytesInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// A "Vm...:" figure of /proc/self/status in kB, or -1.
inline long StatusKb(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string name;
    long value = -1;
    while (status >> name) {
        if (name == field + ":") {
            status >> value;
            return value;
        }
        status.ignore(4096, '\n');
    }
    return -1;
}

inline long ResidentKb() {
    return StatusKb("VmRSS");
}

inline long PeakResidentKb() {
    return StatusKb("VmHWM");
}

// Starts VmHWM afresh from the present resident size and returns that size. Where the kernel
// does not allow the reset, returns the old peak instead: growth measured from it can only come
// out smaller, so such a check is weaker but never fails falsely.
inline long ResetPeakResidentKb() {
    std::ofstream clearRefs("/proc/self/clear_refs");
    clearRefs << "5" << std::flush;
    return clearRefs ? ResidentKb() : PeakResidentKb();
}

}  // namespace quellmark::faults
