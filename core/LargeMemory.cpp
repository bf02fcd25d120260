#include "core/LargeMemory.h"

#include <cstdint>
#include <new>

#include <sys/mman.h>

void *AllocateLarge(std::size_t bytes)
{
    // Mapped with a huge page to spare, then trimmed to the aligned part.
    const std::size_t mapped = bytes + LargePageBytes;
    void *area = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (area == MAP_FAILED)
        throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(area);
    const std::uintptr_t aligned = (start + LargePageBytes - 1) & ~(std::uintptr_t(LargePageBytes) - 1);
    if (aligned > start)
        munmap(area, aligned - start);
    const std::uintptr_t end = start + mapped;
    if (end > aligned + bytes)
        munmap(reinterpret_cast<void *>(aligned + bytes), end - (aligned + bytes));
    void *block = reinterpret_cast<void *>(aligned);
    // Only a hint: without huge pages the block works the same, page by page.
    madvise(block, bytes, MADV_HUGEPAGE);
    return block;
}

void FreeLarge(void *block, std::size_t bytes) noexcept
{
    if (block)
        munmap(block, bytes);
}
