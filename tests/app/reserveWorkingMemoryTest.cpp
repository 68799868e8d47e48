#include "app/reserveWorkingMemory.hpp"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cstdlib>
#include <cstring>
#include <vector>

// AddressSanitizer brings an allocator of its own, which the reserve leaves alone.
#if defined(__SANITIZE_ADDRESS__)
#define BRINDLEWICK_OWN_ALLOCATOR 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BRINDLEWICK_OWN_ALLOCATOR 1
#endif
#endif

#if defined(__GLIBC__) && !defined(BRINDLEWICK_OWN_ALLOCATOR)
namespace
{

long pageFaultsSoFar()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

} // namespace

// What the driver does with its upload buffers: a fresh megabyte taken and filled while the last one is still in
// use, the last one freed after, over and over, with small blocks coming and going beside them.
TEST(reserveWorkingMemory, LaterMegabyteBlocksComeFromPagesAlreadyThere)
{
    reserveWorkingMemory();
    constexpr std::size_t megabyte = std::size_t{1} << 20;
    const long before = pageFaultsSoFar();
    void* inUse = nullptr;
    std::vector<void*> small;
    for (int round = 0; round < 20; ++round)
    {
        void* fresh = std::malloc(megabyte);
        ASSERT_NE(fresh, nullptr);
        std::memset(fresh, round, megabyte);
        // The compiler must not drop a block that nothing reads.
        asm volatile("" : : "r"(fresh) : "memory");
        std::free(inUse);
        inUse = fresh;
        small.push_back(std::malloc(512));
        if (small.size() > 4)
        {
            std::free(small.front());
            small.erase(small.begin());
        }
    }
    const long faults = pageFaultsSoFar() - before;
    std::free(inUse);
    for (void* block : small)
        std::free(block);
    // A single megabyte on fresh pages would be 256 of them; twenty of them 5,000.
    EXPECT_LT(faults, 64);
}
#endif
