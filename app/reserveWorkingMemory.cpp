#include "app/reserveWorkingMemory.hpp"

#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#include <unistd.h>
#endif

void reserveWorkingMemory(std::size_t bytes)
{
#if defined(__GLIBC__)
    // Blocks up to glibc's largest mapping threshold come from the heap rather than a mapping of their own, and
    // the heap keeps what is freed instead of trimming it.
    constexpr int largestMappingThreshold = 32 << 20;
    constexpr int keptWhenFreed = 256 << 20;
    mallopt(M_MMAP_THRESHOLD, largestMappingThreshold);
    mallopt(M_TRIM_THRESHOLD, keptWhenFreed);

    // One write a page brings them in; freed, the block stays in the heap for the frames to use.
    auto* block = static_cast<volatile char*>(std::malloc(bytes));
    if (block == nullptr)
        return;
    const long pageSize = sysconf(_SC_PAGESIZE);
    const std::size_t step = pageSize > 0 ? static_cast<std::size_t>(pageSize) : 4096;
    for (std::size_t offset = 0; offset < bytes; offset += step)
        block[offset] = 0;
    std::free(const_cast<char*>(block));
#else
    static_cast<void>(bytes);
#endif
}
